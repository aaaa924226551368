// The pictures that zentor-replay's screenshot command writes, in every state a game goes
// through, checked against the layout's stacking order and colours.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "picture/scene.h"
#include "playfield/layout.h"
#include "playfield/rect.h"

namespace zentor::testing {
namespace {

constexpr int kPixel = 15;  // twips per pixel at scale 1
constexpr Rgb kGrey = 0x808080;
constexpr Rgb kPanelGreen = 0x00FF00;
constexpr Rgb kBlack = 0x000000;
constexpr Rgb kBannerGreen = 0xC0FFC0;
constexpr Rgb kButtonFace = 0xC0C0C0;

// zentor-replay run on a script in a directory of its own, where its pictures land.
class ReplayRun {
 public:
  explicit ReplayRun(const std::string& script) {
    char pattern[] = "/tmp/zentor-picture-XXXXXX";
    dir_ = mkdtemp(pattern);
    const std::string path = dir_ + "/script.replay";
    std::ofstream(path) << script;
    const std::string command = "cd '" + dir_ + "' && '" ZENTOR_REPLAY "' script.replay >out 2>err";
    const int raw = std::system(command.c_str());
    status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    std::ifstream out(dir_ + "/out");
    for (std::string line; std::getline(out, line);) {
      (line.rfind("{\"event\"", 0) == 0 ? events : stateLines).push_back(line);
    }
    std::stringstream err;
    err << std::ifstream(dir_ + "/err").rdbuf();
    error = err.str();
  }
  ~ReplayRun() { std::filesystem::remove_all(dir_); }

  Picture Load(const std::string& name) const { return Picture(dir_ + "/" + name); }

  int status = -1;
  std::vector<std::string> stateLines;
  std::vector<std::string> events;
  std::string error;

 private:
  std::string dir_;
};

std::string Randoms(int count, const char* value) {
  std::string line = "random";
  for (int i = 0; i < count; ++i) {
    line += std::string(" ") + value;
  }
  return line + "\n";
}

std::string ReadFile(const std::string& path) {
  std::stringstream text;
  text << std::ifstream(path).rdbuf();
  return text.str();
}

struct PixelBox {
  int x, y, w, h;
};

template <class Control>
PixelBox BoxOf(const Control& c) {
  return {static_cast<int>(c.Left) / kPixel, static_cast<int>(c.Top) / kPixel,
          static_cast<int>(c.Width) / kPixel, static_cast<int>(c.Height) / kPixel};
}

int Brightness(Rgb p) {
  return ((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF);
}

void ExpectMatchesLayout(const Picture& picture, const Form& form, const std::string& what) {
  const GridCheck check = CheckAgainstLayout(picture, form);
  EXPECT_GT(check.checked, 10000) << what;
  EXPECT_TRUE(check.mismatches.empty()) << what << ": " << Describe(check);
}

class StartPicture : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    run_ = new ReplayRun(Randoms(kRockCount, "0.5") + "load\nscreenshot start.png\ndump\n");
    ASSERT_EQ(run_->status, 0) << run_->error;
    picture_ = new Picture(run_->Load("start.png"));
  }
  static void TearDownTestSuite() {
    delete picture_;
    delete run_;
  }
  static ReplayRun* run_;
  static Picture* picture_;
};

ReplayRun* StartPicture::run_ = nullptr;
Picture* StartPicture::picture_ = nullptr;

TEST_F(StartPicture, IsTheClientAreaAtFifteenTwipsPerPixel) {
  EXPECT_EQ(picture_->Width(), 992);
  EXPECT_EQ(picture_->Height(), 821);
}

TEST_F(StartPicture, MatchesTheStackingOrderEverywhere) {
  ASSERT_EQ(run_->stateLines.size(), 1u);
  ExpectMatchesLayout(*picture_, FormFromStateLine(run_->stateLines[0]), "start");
}

TEST_F(StartPicture, KnownPointsHaveTheirColours) {
  const struct {
    const char* what;
    int x, y;
    Rgb colour;
  } points[] = {
      {"grey field", 100, 400, kGrey},
      {"grey field, bottom right", 980, 810, kGrey},
      {"green panel below the status line", 300, 135, kPanelGreen},
      {"panel's bottom border", 500, 144, kBlack},
      {"first row below the panel", 500, 145, kGrey},
      {"black square", 472, 488, kBlack},
      {"left of the square", 452, 488, kGrey},
      {"up arrow's shaft", 568, 56, kBlack},
      {"up arrow's left head stroke", 564, 48, kBlack},
      {"down arrow's shaft", 568, 112, kBlack},
      {"right arrow's shaft", 616, 104, kBlack},
      {"left arrow's shaft", 520, 104, kBlack},
      {"up key's top border", 552, 32, kBlack},
      {"inside the up key, not filled", 552, 45, kPanelGreen},
  };
  for (const auto& p : points) {
    EXPECT_EQ(picture_->At(p.x, p.y), p.colour) << p.what << " at (" << p.x << ", " << p.y << ")";
  }
}

TEST_F(StartPicture, RocksAndBannerAreHiddenBehindThePanel) {
  const Form form = MakeForm();
  for (const Shape& rock : form.Rock) {
    // The green rock's colour also shows where text is blended into the panel's green.
    if (RgbOf(rock.FillColor) != 0x00C000) {
      EXPECT_EQ(picture_->Count(RgbOf(rock.FillColor)), 0) << std::hex << rock.FillColor;
    }
  }
  EXPECT_EQ(picture_->Count(kBannerGreen), 0);
}

TEST_F(StartPicture, ShownLabelsHaveTextAndTheHiddenOneNone) {
  const Form form = MakeForm();
  const struct {
    const char* name;
    const Label& label;
  } labels[] = {{"Label1", form.Label1},       {"lblfunny", form.lblfunny}, {"high", form.high},
                {"Highscore", form.Highscore}, {"Start", form.Start},       {"Score", form.Score},
                {"lblScore", form.lblScore}};
  for (const auto& [name, label] : labels) {
    const PixelBox box = BoxOf(label);
    const int dark = picture_->DarkPixels(box.x, box.y, box.w, box.h);
    if (label.Visible) {
      EXPECT_GT(dark, 20) << name;
    } else {
      EXPECT_EQ(dark, 0) << name;
    }
  }
}

TEST_F(StartPicture, HasNoButtonsBeforeAGameOver) {
  EXPECT_EQ(picture_->Count(kButtonFace), 0);
}

// The square stays still on the start place until a falling rock hits it.
std::string GameOverScript() {
  return Randoms(200, "0.5") +
         "load\nkeydown 32\ntick 1000\nscreenshot over.png\ndump\n"
         "click restart\nscreenshot restarted.png\ndump\n";
}

TEST(GameOverPicture, ShowsBothButtonsRaisedAboveEverything) {
  const ReplayRun run(GameOverScript());
  ASSERT_EQ(run.status, 0) << run.error;
  ASSERT_EQ(run.events.size(), 1u);
  ASSERT_EQ(run.stateLines.size(), 2u);
  const Form form = FormFromStateLine(run.stateLines[0]);
  ASSERT_TRUE(form.Restart.Visible && form.endgame.Visible);
  const Picture picture = run.Load("over.png");
  ExpectMatchesLayout(picture, form, "game over");
  for (const CommandButton* button : {&form.Restart, &form.endgame}) {
    const PixelBox b = BoxOf(*button);
    const Rgb face = picture.At(b.x + 7, b.y + 7);
    EXPECT_EQ(face, picture.At(b.x + b.w - 9, b.y + b.h - 9)) << button->Caption;
    EXPECT_NE(face, kGrey) << button->Caption;
    const int mid = b.y + b.h / 2;
    EXPECT_GT(Brightness(picture.At(b.x, mid)), Brightness(face)) << button->Caption;
    EXPECT_GT(Brightness(picture.At(b.x + b.w / 2, b.y)), Brightness(face)) << button->Caption;
    EXPECT_LT(Brightness(picture.At(b.x + b.w - 1, mid)), Brightness(face)) << button->Caption;
    EXPECT_LT(Brightness(picture.At(b.x + b.w / 2, b.y + b.h - 1)), Brightness(face))
        << button->Caption;
    EXPECT_GT(picture.DarkPixels(b.x + 6, b.y + 6, b.w - 12, b.h - 12), 30) << button->Caption;
  }
}

TEST(GameOverPicture, SquareIsDrawnWholeOverTheRockThatHitIt) {
  const ReplayRun run(GameOverScript());
  ASSERT_EQ(run.status, 0) << run.error;
  const Form form = FormFromStateLine(run.stateLines.at(0));
  const Shape& red = form.Red;
  const Rect square = RectOf(red.Left, red.Top, red.Width, red.Height);
  int hits = 0;
  for (const Shape& rock : form.Rock) {
    hits += IntersectRect(square, RectOf(rock.Left, rock.Top, rock.Width, rock.Height)) ? 1 : 0;
  }
  ASSERT_GE(hits, 1);
  const Picture picture = run.Load("over.png");
  const PixelBox box = BoxOf(red);
  for (int y = box.y; y < box.y + box.h; ++y) {
    for (int x = box.x; x < box.x + box.w; ++x) {
      ASSERT_EQ(picture.At(x, y), kBlack) << "(" << x << ", " << y << ")";
    }
  }
}

TEST(GameOverPicture, RestartTakesTheButtonsAway) {
  const ReplayRun run(GameOverScript());
  ASSERT_EQ(run.status, 0) << run.error;
  const Form form = FormFromStateLine(run.stateLines.at(1));
  EXPECT_FALSE(form.Restart.Visible || form.endgame.Visible);
  const Picture picture = run.Load("restarted.png");
  ExpectMatchesLayout(picture, form, "after the restart");
  EXPECT_EQ(picture.Count(kButtonFace), 0);
}

class LongGamePictures : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    run_ = new ReplayRun(ReadFile(ZENTOR_PICTURE_DIR "/long_game.replay"));
    ASSERT_EQ(run_->status, 0) << run_->error;
    ASSERT_TRUE(run_->events.empty()) << "the game ended: " << run_->events[0];
  }
  static void TearDownTestSuite() { delete run_; }

  // The picture and the state line written after it, by the picture's name.
  static std::pair<Picture, Form> Shot(const std::string& name) {
    for (size_t i = 0; i < kShots.size(); ++i) {
      if (kShots[i] == name) {
        return {run_->Load(name + ".png"), FormFromStateLine(run_->stateLines.at(i))};
      }
    }
    ADD_FAILURE() << "no picture " << name;
    return {Picture(0, 0, {}), MakeForm()};
  }

  static inline const std::vector<std::string> kShots = {
      "stage1", "banner", "stage2", "taunt", "stage3", "stage4", "stage5", "past5000", "far"};
  static ReplayRun* run_;
};

ReplayRun* LongGamePictures::run_ = nullptr;

TEST_F(LongGamePictures, EveryStageMatchesTheStackingOrder) {
  ASSERT_EQ(run_->stateLines.size(), kShots.size());
  for (const std::string& name : kShots) {
    const auto [picture, form] = Shot(name);
    ExpectMatchesLayout(picture, form, name);
    const PixelBox score = BoxOf(form.lblScore);
    EXPECT_GT(picture.DarkPixels(score.x, score.y, score.w, score.h), 20) << name;
  }
}

TEST_F(LongGamePictures, PanelCoversTheBannerWhereItOverlaps) {
  const auto [picture, form] = Shot("banner");
  const PixelBox banner = BoxOf(form.lblnext);
  const PixelBox panel = BoxOf(form.Scorebox);
  ASSERT_LT(banner.y, panel.y + panel.h);
  ASSERT_GT(banner.y + banner.h, panel.y + panel.h);
  int above = 0;
  int below = 0;
  for (int y = 0; y < picture.Height(); ++y) {
    for (int x = 0; x < picture.Width(); ++x) {
      if (picture.At(x, y) == kBannerGreen) {
        (y < panel.y + panel.h ? above : below) += 1;
      }
    }
  }
  EXPECT_EQ(above, 0);
  EXPECT_GT(below, 1000);
}

TEST_F(LongGamePictures, TauntIsWrittenAcrossThePlayfield) {
  const auto [picture, form] = Shot("taunt");
  ASSERT_TRUE(form.lblfunny.Visible);
  const PixelBox taunt = BoxOf(form.lblfunny);
  const PixelBox square = BoxOf(form.Red);
  const int text = picture.DarkPixels(taunt.x, taunt.y, taunt.w, taunt.h) -
                   picture.DarkPixels(square.x, square.y, square.w, square.h);
  EXPECT_GT(text, 3000);
}

TEST_F(LongGamePictures, FarAwayBannerIsNotDrawnAnywhere) {
  const auto [picture, form] = Shot("far");
  EXPECT_GT(form.lblnext.Top, 1e7f);
  EXPECT_EQ(picture.Count(kBannerGreen), 0);
}

TEST(Screenshot, PathsThatCannotBeWrittenAreRefused) {
  const struct {
    const char* path;
    const char* reason;
  } cases[] = {{"/nonexistent-dir/x.png", "No such file or directory"}, {".", "Is a directory"}};
  for (const auto& c : cases) {
    const ReplayRun run(std::string("screenshot ") + c.path + "\n");
    EXPECT_EQ(run.status, 2) << c.path;
    EXPECT_EQ(run.error, std::string("zentor-replay: line 1: cannot write ") + c.path + ": " +
                             c.reason + "\n");
  }
}

}  // namespace
}  // namespace zentor::testing

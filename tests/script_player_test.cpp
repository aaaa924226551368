#include "replay/script_player.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "replay/replay.h"

namespace zentor {
namespace {

std::string Contents(const std::filesystem::path& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

std::unique_ptr<ScriptPlayer> Load(const std::string& script, std::string& error) {
  std::istringstream in(script);
  return ScriptPlayer::Load(in, error);
}

// Every scenario, stepped tick by tick, ends where zentor-replay ends it, with the same boxes
// shown; a scenario that zentor-replay refuses is refused before playing, with its sentence.
TEST(ScriptPlayer, EndsEveryScenarioWhereTheReplayEndsIt) {
  int scenarios = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(ZENTOR_SCENARIOS)) {
    if (entry.path().extension() != ".replay") {
      continue;
    }
    ++scenarios;
    SCOPED_TRACE(entry.path().string());
    const std::string script = Contents(entry.path());
    std::string error;
    std::unique_ptr<ScriptPlayer> player = Load(script, error);
    std::filesystem::path refusal = entry.path();
    refusal.replace_extension(".err");
    if (std::filesystem::exists(refusal)) {
      EXPECT_EQ(player, nullptr);
      EXPECT_EQ("zentor-replay: " + error + "\n", Contents(refusal));
      continue;
    }
    ASSERT_NE(player, nullptr) << error;
    std::istringstream in(script + "\ndump\n");
    std::ostringstream out;
    std::ostringstream err;
    ReplayOptions options;
    options.screenshot = [](const Form&, const std::string&) {};
    ASSERT_EQ(RunReplay(in, out, err, options), kReplayOk) << err.str();

    std::string shown;
    player->OnMessageBox([&](std::string_view prompt, std::string_view title) {
      shown += "{\"event\":\"msgbox\",\"prompt\":\"" + std::string(prompt) + "\",\"title\":\"" +
               std::string(title) + "\"}\n";
    });
    while (player->Advance()) {
    }
    std::string boxes;
    std::string last;
    std::istringstream lines(out.str());
    for (std::string line; std::getline(lines, line); last = line) {
      if (line.rfind("{\"event\":\"msgbox\"", 0) == 0) {
        boxes += line + "\n";
      }
    }
    EXPECT_EQ(shown, boxes);
    if (last == "{\"event\":\"end\"}") {
      EXPECT_TRUE(player->Ended());
    } else {
      EXPECT_FALSE(player->Ended());
      EXPECT_EQ(StateLine(player->game(), player->Reseeds()), last);
    }
  }
  EXPECT_GT(scenarios, 20);
}

TEST(ScriptPlayer, AdvancesOneTickAtATime) {
  constexpr std::string_view kLoad = "random 0 0 0 0 0 0 0 0 0 0 0 0\nload\n";
  const struct {
    std::string script;
    std::vector<std::string> scores;  // after each Advance; the last one returns false
  } cases[] = {
      {"keydown 32\ntick 3\nkeydown 37\n", {"1", "2", "3", "3"}},
      {"keydown 32\ntick 2\ntick\ndump\nscreenshot x.png\n", {"1", "2", "3"}},
      {"tick 1000\n", {"0"}},  // the clock is off: no tick runs
      {"keydown 32\ntick 2\nkeydown 80\ntick 5\n", {"1", "2", "2"}},  // paused midway
      {"keydown 32\ntick 0\n", {"0"}},
      {"", {"0"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.script);
    std::string error;
    std::unique_ptr<ScriptPlayer> player = Load(std::string(kLoad) + c.script, error);
    ASSERT_NE(player, nullptr) << error;
    for (size_t i = 0; i < c.scores.size(); ++i) {
      EXPECT_EQ(player->Advance(), i + 1 < c.scores.size()) << "advance " << i;
      EXPECT_EQ(player->form().lblScore.Caption, c.scores[i]) << "advance " << i;
    }
  }
}

TEST(ScriptPlayer, RefusesWhatCannotBePlayedWithTheLineAtFault) {
  const std::pair<std::string, std::string> cases[] = {
      {"load\n", "line 1: draw from an empty random queue"},
      {"# fine\n\ndump\nbogus\n", "line 4: unknown command 'bogus'"},
      {"tick 1 2\n", "line 1: unexpected argument '2'"},
  };
  for (const auto& [script, sentence] : cases) {
    std::string error;
    EXPECT_EQ(Load(script, error), nullptr) << script;
    EXPECT_EQ(error, sentence);
  }
}

}  // namespace
}  // namespace zentor

#include "replay/recorder.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif
#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <sstream>

#include "playfield/convert.h"
#include "playfield/decimal.h"
#include "replay/replay.h"
#include "replay/script.h"
#include "temp_directory.h"
#include "test_host.h"

namespace zentor {
namespace {

using zentor::testing::TempDirectory;
using zentor::testing::TestHost;

std::string Contents(const std::string& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    lines.push_back(line);
  }
  return lines;
}

// What zentor-replay prints for the script.
std::string Replayed(const std::string& script) {
  std::istringstream in(script);
  std::ostringstream out;
  std::ostringstream err;
  EXPECT_EQ(RunReplay(in, out, err, {}), kReplayOk) << err.str();
  return out.str();
}

std::string LastLine(const std::string& text) {
  const std::vector<std::string> lines = Lines(text);
  return lines.empty() ? "" : lines.back();
}

std::unique_ptr<Recording> Open(const std::string& path) {
  std::string error;
  auto recording = OpenRecording(path, "1.0.0", "2026-12-09T04:20:00Z", error);
  EXPECT_NE(recording, nullptr) << error;
  return recording;
}

TEST(Recorder, WritesEachRandomAsTheShortestDecimalOfTheSameSingle) {
  const float kBelowOne = std::nextafter(1.0f, 0.0f);
  const std::vector<std::pair<float, std::string>> cases = {
      {0.1f, "0.1"},
      {1e-8f, "1e-08"},
      {kBelowOne, "0.99999994"},
      {0.0f, "0"},
      {0.5f, "0.5"},
      {0.0033112583f, "0.0033112583"},
      {1.4e-45f, "1e-45"},
      {0.3f, "0.3"},
      {0.7777777f, "0.7777777"},
      {2.0f / 3, "0.6666667"},
      {0.25f, "0.25"},
      {0.123456789f, "0.12345679"},
  };
  const TempDirectory directory;
  const std::string path = directory / "randoms.replay";
  TestHost host;
  for (const auto& [value, text] : cases) {
    host.randoms.push_back(value);
  }
  Session session(host, Open(path));
  session.Load();

  const std::vector<std::string> lines = Lines(Contents(path));
  ASSERT_EQ(lines.size(), cases.size() + 2);
  EXPECT_EQ(lines.front(), "# zentor 1.0.0 recording, 2026-12-09T04:20:00Z");
  EXPECT_EQ(lines.back(), "load");
  for (size_t i = 0; i < cases.size(); ++i) {
    const std::string& line = lines[i + 1];
    EXPECT_EQ(line, "random " + cases[i].second);
    const auto read = ReadSingle(std::string_view(line).substr(7));
    ASSERT_TRUE(read) << line;
    EXPECT_EQ(read->nearest, cases[i].first) << line;
  }
  EXPECT_EQ(LastLine(Replayed(Contents(path) + "dump\n")),
            StateLine(session.game(), static_cast<uint64_t>(host.reseeds)));
}

// The host of a scenario played in a window: its random values are what the game draws, its
// window lines where the frame stands, moved by the test; every frame the game reads is kept.
class ScenarioHost : public TestHost {
 public:
  WindowFrame Frame() const override {
    const WindowFrame frame = {this->frame.Left + shift, this->frame.Top - shift, this->frame.Width,
                               this->frame.Height};
    if (read.empty() || !Same(read.back(), frame)) {
      read.push_back(frame);
    }
    return frame;
  }
  static bool Same(const WindowFrame& a, const WindowFrame& b) {
    return a.Left == b.Left && a.Top == b.Top && a.Width == b.Width && a.Height == b.Height;
  }

  float shift = 0;  // the window moved: a place the game never uses, but reads and records
  mutable std::vector<WindowFrame> read;  // each frame read that differs from the one before
};

std::string WindowLine(const WindowFrame& frame) {
  std::string line = "window";
  for (const float value : {frame.Left, frame.Top, frame.Width, frame.Height}) {
    line += ' ' + ShortestDecimal(value);
  }
  return line;
}

// Every scenario, played through a session as the window would make its calls, with the window
// moved now and then: the live game is at each of the scenario's dumps where the scenario is, and
// the recording replays to it after each of the first ticks and at the end. The recording holds
// every draw, every tick in merged lines, and a window line exactly where the frame read differs
// from the last one written.
TEST(Recorder, RecordingsOfTheScenariosReplayToTheLiveGame) {
  constexpr int kTicksMoved = 250;        // the window moves after this many ticks
  constexpr int kTicksCheckedEach = 100;  // after each of the first ticks the file is current
  int scenarios = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(ZENTOR_SCENARIOS)) {
    std::filesystem::path refusal = entry.path();
    refusal.replace_extension(".err");
    if (entry.path().extension() != ".replay" || std::filesystem::exists(refusal)) {
      continue;
    }
    ++scenarios;
    SCOPED_TRACE(entry.path().string());
    const TempDirectory directory;
    const std::string path = directory / "scenario.replay";
    ScenarioHost host;
    Session session(host, Open(path));
    const auto current = [&] {
      return LastLine(Replayed(Contents(path) + "dump\n")) ==
             StateLine(session.game(), static_cast<uint64_t>(host.reseeds));
    };
    std::string dumps;  // the live game's state lines where the scenario dumps its own
    size_t queued = 0;
    int64_t ticks = 0;
    std::istringstream script(Contents(entry.path().string()));
    for (std::string text; std::getline(script, text);) {
      const std::optional<ScriptCommand> command = ParseScriptLine(text);
      using Kind = ScriptCommand::Kind;
      switch (command ? command->kind : Kind::Screenshot) {
        case Kind::Load:
          session.Load();
          break;
        case Kind::Random:
          host.randoms.insert(host.randoms.end(), command->randoms.begin(), command->randoms.end());
          queued += command->randoms.size();
          break;
        case Kind::KeyDown:
          session.KeyDown(command->key);
          break;
        case Kind::KeyUp:
          session.KeyUp(command->key);
          break;
        case Kind::Tick:
          // As a replay runs them: none once the clock is off.
          for (int64_t i = 0; i < command->ticks && session.form().Timer1.Enabled; ++i) {
            ++ticks;
            session.Tick();
            host.shift = static_cast<float>(ticks / kTicksMoved % 3 * 15);
            if (ticks <= kTicksCheckedEach) {
              ASSERT_TRUE(current()) << "after tick " << ticks;
            }
          }
          break;
        case Kind::ClickRestart:
          session.ClickRestart();
          break;
        case Kind::ClickEndgame:
          session.ClickEndgame();
          break;
        case Kind::Window:
          host.frame = command->frame;
          break;
        case Kind::Dump:
          dumps += StateLine(session.game(), static_cast<uint64_t>(host.reseeds)) + "\n";
          break;
        case Kind::Screenshot:
          break;
      }
      if (host.ends > 0) {
        break;
      }
    }
    std::istringstream original(Contents(entry.path().string()) + "\ndump\n");
    std::ostringstream out;
    std::ostringstream err;
    ReplayOptions options;
    options.screenshot = [](const Form&, const std::string&) {};
    ASSERT_EQ(RunReplay(original, out, err, options), kReplayOk);
    std::string expectedDumps;
    for (const std::string& line : Lines(out.str())) {
      expectedDumps += line.rfind("{\"score\"", 0) == 0 ? line + "\n" : "";
    }
    if (host.ends == 0) {
      dumps += StateLine(session.game(), static_cast<uint64_t>(host.reseeds)) + "\n";
    }
    EXPECT_EQ(dumps, expectedDumps);
    if (host.ends > 0) {
      EXPECT_EQ(LastLine(Replayed(Contents(path))), "{\"event\":\"end\"}");
      continue;
    }
    EXPECT_TRUE(current());

    int64_t recordedTicks = 0;
    size_t randoms = 0;
    std::vector<std::string> windows;
    for (const std::string& line : Lines(Contents(path))) {
      if (line.rfind("tick ", 0) == 0) {
        recordedTicks += std::stoll(line.substr(5));
      } else if (line.rfind("random ", 0) == 0) {
        ++randoms;
      } else if (line.rfind("window ", 0) == 0) {
        windows.push_back(line);
      }
    }
    EXPECT_EQ(recordedTicks, ticks);
    EXPECT_EQ(randoms, queued - host.randoms.size());
    std::vector<std::string> changes;
    for (const WindowFrame& frame : host.read) {
      if (!ScenarioHost::Same(frame, kDefaultFrame) || !changes.empty()) {
        changes.push_back(WindowLine(frame));
      }
    }
    EXPECT_EQ(windows, changes);
  }
  EXPECT_GT(scenarios, 15);
}

TEST(Recorder, MergesTicksUntilOneReadsSomethingNew) {
  const TempDirectory directory;
  const std::string path = directory / "ticks.replay";
  TestHost host;
  host.randoms.assign(kRockCount, 0.0f);
  Session session(host, Open(path));
  session.Load();
  session.KeyDown(kKeySpace);
  for (int i = 0; i < 3; ++i) {
    session.Tick();
  }
  host.randoms.push_back(0.5f);
  session.game().form.Rock[0].Top = 20000;  // recycled on the next tick, which draws its speed
  session.Tick();
  session.Tick();
  session.KeyDown(kKeyP);
  session.Tick();  // the clock is off: no tick
  const std::vector<std::string> lines = Lines(Contents(path));
  const std::vector<std::string> tail(lines.end() - 5, lines.end());
  const std::vector<std::string> expected = {"keydown 32", "tick 3", "random 0.5", "tick 2",
                                             "keydown 80"};
  EXPECT_EQ(tail, expected);
}

TEST(Recorder, RefusesAFileThatExistsOrCannotBeMade) {
  const TempDirectory temporary;
  const std::string& directory = temporary.Path();
  const std::string existing = temporary / "existing.replay";
  std::ofstream(existing) << "keep me\n";
  const struct {
    std::string path;
    std::string sentence;
  } cases[] = {
      {existing, "cannot record to " + existing + ": File exists"},
      {directory, "cannot record to " + directory + ": File exists"},
      {directory + "/missing/game.replay",
       "cannot record to " + directory + "/missing/game.replay: No such file or directory"},
      {"", "cannot record to : No such file or directory"},
  };
  for (const auto& c : cases) {
    std::string error;
    EXPECT_EQ(OpenRecording(c.path, "1.0.0", "now", error), nullptr) << c.path;
    EXPECT_EQ(error, c.sentence);
  }
  EXPECT_EQ(Contents(existing), "keep me\n");
}

// Draws pseudo-random numbers as the window does, and reports a frame that the test moves.
class WindowLikeHost : public Host {
 public:
  void MessageBox(std::string_view, int32_t, std::string_view) override { ++boxes; }
  void End() override { ++ends; }
  void Reseed() override { ++reseeds; }
  float NextRandom() override { return UnitFromBits(static_cast<uint32_t>(bits())); }
  WindowFrame Frame() const override { return frame; }

  std::mt19937 bits{20261209};
  WindowFrame frame = {0, 0, 15000, 12750};
  uint64_t boxes = 0;
  uint64_t ends = 0;
  uint64_t reseeds = 0;
};

// A whole session as a player makes one: arrows held and released, two at once, pause and
// resume, the window moved and resized, a game over, a restart, a second game over and the end.
// Its recording replays to the very state the live game had.
TEST(Recorder, AWholeSessionReplaysToTheLiveGame) {
  const TempDirectory directory;
  const std::string path = directory / "session.replay";
  WindowLikeHost host;
  Session session(host, Open(path));
  constexpr int kTickLimit = 50000;
  const auto playUntilGameOver = [&](uint64_t boxes) {
    for (int tick = 0; host.boxes == boxes && tick < kTickLimit; ++tick) {
      switch (tick % 97) {
        case 10:
          session.KeyDown(kKeyLeft);
          break;
        case 20:
          session.KeyDown(kKeyUp);
          break;
        case 30:
          session.KeyUp(kKeyLeft);
          session.KeyUp(kKeyUp);
          break;
        case 40:
          session.KeyDown(kKeyP);
          session.Tick();
          session.KeyDown(kKeySpace);
          break;
        case 50:
          host.frame = {static_cast<float>(tick), 300, 15000 + static_cast<float>(tick % 7) * 15,
                        12750};
          break;
        case 60:
          session.KeyDown(kKeyRight);
          session.KeyDown(kKeyDown);
          session.KeyDown(kKeyRight);
          break;
        case 70:
          session.KeyUp(kKeyRight);
          session.KeyUp(kKeyDown);
          break;
        default:
          break;
      }
      session.Tick();
    }
    ASSERT_EQ(host.boxes, boxes + 1) << "no game over within " << kTickLimit << " ticks";
  };
  session.Load();
  session.ClickRestart();  // hidden: does nothing
  session.KeyDown(kKeySpace);
  playUntilGameOver(0);
  session.Tick();  // the clock is off after a game over
  session.ClickRestart();
  session.KeyDown(kKeySpace);
  playUntilGameOver(1);

  const std::string script = Contents(path);
  const std::string replayed = Replayed(script + "dump\n");
  EXPECT_EQ(LastLine(replayed), StateLine(session.game(), host.reseeds));
  size_t boxes = 0;
  for (const std::string& line : Lines(replayed)) {
    boxes += line.rfind("{\"event\":\"msgbox\"", 0) == 0 ? 1 : 0;
  }
  EXPECT_EQ(boxes, host.boxes);
  EXPECT_EQ(Lines(script).front().rfind("# zentor 1.0.0 recording", 0), 0U);

  session.ClickEndgame();
  EXPECT_EQ(host.ends, 1U);
  EXPECT_EQ(LastLine(Contents(path)), "click endgame");
  EXPECT_EQ(LastLine(Replayed(Contents(path))), "{\"event\":\"end\"}");
}

// A window that changes one thing at a time, its place, its width or only its height: each frame
// the game reads is written before the call that read it, so that the recording replays in a
// window of the same shape; a frame read again unchanged writes nothing.
TEST(Recorder, EachChangeOfTheWindowsFrameIsWritten) {
  const TempDirectory directory;
  const std::string path = directory / "frames.replay";
  std::unique_ptr<Recording> recording = Open(path);
  const WindowFrame frames[] = {
      {0, 0, 15000, 9000},  {0, 0, 15000, 9000},   {0, 0, 15015, 9000},
      {0, 15, 15015, 9000}, {30, 15, 15015, 9000}, {30, 15, 15015, 12750},
  };
  for (const WindowFrame& frame : frames) {
    recording->NoteFrame(frame);
    recording->Called(SessionCall::Tick, 0);
  }
  const std::vector<std::string> lines = Lines(Contents(path));
  EXPECT_EQ(std::vector<std::string>(lines.begin() + 1, lines.end()),
            (std::vector<std::string>{"window 0 0 15000 9000", "tick 2", "window 0 0 15015 9000",
                                      "tick 1", "window 0 15 15015 9000", "tick 1",
                                      "window 30 15 15015 9000", "tick 1",
                                      "window 30 15 15015 12750", "tick 1"}));
}

// A full disk and a file size limit are Linux's; a Windows build has neither. (Windows' writes
// share the code that cuts a failed write back, tested here.)
#ifndef _WIN32
TEST(Recorder, AWriteErrorStopsTheRecordingOnceAndThePlayGoesOn) {
  const int full = open("/dev/full", O_WRONLY);
  ASSERT_GE(full, 0);
  std::ostringstream complaints;
  TestHost host;
  host.randoms.assign(100000, 0.0f);
  Session session(host, std::make_unique<Recording>(full, "/dev/full", complaints));
  session.Load();
  session.KeyDown(kKeySpace);
  for (int i = 0; i < 50; ++i) {
    session.Tick();
  }
  EXPECT_EQ(complaints.str(),
            "zentor: recording stopped: /dev/full: No space left on device; it holds the game up "
            "to now\n");
  EXPECT_EQ(session.form().lblScore.Caption, "50");
}

// Runs `run` in a child process and returns how it ended, as waitpid tells. The child ignores
// SIGXFSZ, as the game does, so that a write past its file size limit fails with EFBIG.
int InChild(const std::function<void()>& run) {
  const pid_t child = fork();
  if (child == 0) {
    signal(SIGXFSZ, SIG_IGN);
    run();
    _exit(0);
  }
  int status = -1;
  waitpid(child, &status, 0);
  return status;
}

// Runs `run` with files limited to `limit` bytes, as on a disk that fills up there.
void WithFileSizeLimit(rlim_t limit, const std::function<void()>& run) {
  rlimit before{};
  getrlimit(RLIMIT_FSIZE, &before);
  rlimit limited = before;
  limited.rlim_cur = limit;
  setrlimit(RLIMIT_FSIZE, &limited);
  run();
  setrlimit(RLIMIT_FSIZE, &before);
}

bool ExitedWell(int status) {
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// A player's next call on the game: mostly ticks; arrows pressed and released, a pause and the
// space bar that resumes it, the window moved now and then; after a game over the restart.
void PlayerStep(Session& session, WindowLikeHost& host, int step) {
  constexpr int kRound = 61;
  constexpr float kPixelInTwips = 15;
  if (session.form().Restart.Visible) {
    session.ClickRestart();
    return;
  }
  if (!session.form().Timer1.Enabled) {
    session.KeyDown(kKeySpace);
    return;
  }
  switch (step % kRound) {
    case 7:
      session.KeyDown(kKeyLeft);
      return;
    case 19:
      session.KeyUp(kKeyLeft);
      return;
    case 31:
      host.frame.Left += kPixelInTwips;
      session.KeyDown(kKeyDown);
      return;
    case 43:
      session.KeyUp(kKeyDown);
      return;
    case 52:
      session.KeyDown(kKeyP);
      return;
    default:
      session.Tick();
      return;
  }
}

// Plays into a recording at `path` until the file is full and for kTicksAfter ticks more.
// Reports the state the live game had after the last call the file holds, then the ticks run
// after the recording stopped, then what the recording said.
std::string PlayOntoAFullDisk(const std::string& path) {
  constexpr int kTicksAfter = 100;
  constexpr int kStepLimit = 100000;
  WindowLikeHost host;
  std::ostringstream complaints;
  std::string error;
  std::unique_ptr<Recording> recording = OpenRecording(path, "1.0.0", "now", error, complaints);
  if (!recording) {
    return error;
  }
  const Recording& written = *recording;
  Session session(host, std::move(recording));
  // The header alone replays to the game before its load.
  std::string held = StateLine(session.game(), host.reseeds);
  session.Load();
  if (!written.Stopped()) {
    held = StateLine(session.game(), host.reseeds);
  }
  int ticksAfter = 0;
  for (int step = 0; ticksAfter < kTicksAfter && step < kStepLimit; ++step) {
    const std::string before = session.form().lblScore.Caption;
    PlayerStep(session, host, step);
    if (!written.Stopped()) {
      held = StateLine(session.game(), host.reseeds);
    } else if (session.form().lblScore.Caption != before) {
      ++ticksAfter;
    }
  }
  return held + "\n" + std::to_string(ticksAfter) + "\n" + complaints.str();
}

// The disk fills at every byte of the first 800 bytes of a recorded game: the game plays on, the
// recording stops with one sentence, and the file ends at a whole line and replays to the state
// the game had after the last call it holds, also where a tick line gained a digit.
TEST(Recorder, AFullDiskStopsTheRecordingAtAWholeLineAndThePlayGoesOn) {
  const std::string kHeader = "# zentor 1.0.0 recording, now\n";
  constexpr rlim_t kLargestLimit = 800;
  const TempDirectory directory;
  const auto path = [&](rlim_t limit) { return directory / ("full" + std::to_string(limit)); };
  const int status = InChild([&] {
    for (rlim_t limit = kHeader.size(); limit <= kLargestLimit; ++limit) {
      std::string report;
      WithFileSizeLimit(limit, [&] { report = PlayOntoAFullDisk(path(limit)); });
      std::ofstream(path(limit) + ".report") << report;
    }
  });
  ASSERT_TRUE(ExitedWell(status)) << status;
  for (rlim_t limit = kHeader.size(); limit <= kLargestLimit; ++limit) {
    SCOPED_TRACE("file size limit " + std::to_string(limit));
    const std::vector<std::string> report = Lines(Contents(path(limit) + ".report"));
    ASSERT_EQ(report.size(), 3U);
    EXPECT_EQ(report[1], "100") << "ticks after the recording stopped";
    EXPECT_EQ(report[2], "zentor: recording stopped: " + path(limit) +
                             ": File too large; it holds the game up to now");
    const std::string script = Contents(path(limit));
    EXPECT_LE(script.size(), limit);
    ASSERT_EQ(script.back(), '\n');
    EXPECT_EQ(LastLine(Replayed(script + "dump\n")), report[0]);
  }
}

TEST(Recorder, ARecordingWhoseHeaderCannotBeWrittenLeavesNoFile) {
  const TempDirectory directory;
  for (const rlim_t limit : {0, 1, 20}) {
    SCOPED_TRACE("file size limit " + std::to_string(limit));
    const std::string path = directory / ("header" + std::to_string(limit));
    const int status = InChild([&] {
      std::string error = "opened";
      std::ostringstream complaints;
      WithFileSizeLimit(limit, [&] { OpenRecording(path, "1.0.0", "now", error, complaints); });
      std::ofstream(path + ".error") << error;
    });
    ASSERT_TRUE(ExitedWell(status)) << status;
    EXPECT_EQ(Contents(path + ".error"), "cannot record to " + path + ": File too large");
    EXPECT_FALSE(std::filesystem::exists(path));
  }
}

#endif

}  // namespace
}  // namespace zentor

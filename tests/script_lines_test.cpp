// Reading scripts: the end of the input told apart from a failure to read it, endless lines
// refused after a mebibyte, and line ends of either kind; zentor-replay and the window's playback
// read alike.
#include "replay/script_lines.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <new>
#include <sstream>
#include <system_error>

#include "replay/replay.h"
#include "replay/script_player.h"

namespace zentor {
namespace {

// Hands out `text`, then fails as `fail` does: a device that cannot be read, memory running out.
class FailingInput : public std::streambuf {
 public:
  FailingInput(std::string text, std::function<void()> fail)
      : text_(std::move(text)), fail_(std::move(fail)) {}

 protected:
  int_type underflow() override {
    if (given_) {
      fail_();
      return traits_type::eof();
    }
    given_ = true;
    setg(text_.data(), text_.data(), text_.data() + text_.size());
    return traits_type::to_int_type(text_.front());
  }

 private:
  std::string text_;
  std::function<void()> fail_;
  bool given_ = false;
};

constexpr size_t kBlock = 4096;

// Bytes without end and without a line end, as /dev/zero gives them; counts how many it handed out.
class EndlessInput : public std::streambuf {
 public:
  size_t Handed() const { return handed_; }

 protected:
  int_type underflow() override {
    handed_ += block_.size();
    setg(block_.data(), block_.data(), block_.data() + block_.size());
    return traits_type::to_int_type(block_.front());
  }

 private:
  std::array<char, kBlock> block_{};
  size_t handed_ = 0;
};

struct Answer {
  int status;
  std::string out;
  std::string err;
};

constexpr std::string_view kName = "game.replay";

Answer Replay(std::istream& script) {
  std::ostringstream out;
  std::ostringstream err;
  ReplayOptions options;
  options.scriptName = kName;
  const int status = RunReplay(script, out, err, options);
  return {status, out.str(), err.str()};
}

// What zentor-replay and the window's playback say of a script they refuse.
struct Refusal {
  uint64_t line;  // 0: the script as a whole
  std::string reason;

  std::string FromReplay() const {
    return "zentor-replay: " + (line > 0 ? "line " + std::to_string(line) : std::string(kName)) +
           ": " + reason + "\n";
  }
  std::string FromPlayback() const {
    return (line > 0 ? "line " + std::to_string(line) + ": " : "") + reason;
  }
};

// Makes the same input afresh for each reader.
using Source = std::function<std::unique_ptr<std::streambuf>()>;

void ExpectRefused(const Source& source, const Refusal& refusal, size_t linesShown) {
  const std::unique_ptr<std::streambuf> forReplay = source();
  std::istream replayed(forReplay.get());
  const Answer answer = Replay(replayed);
  EXPECT_EQ(answer.status, kReplayError);
  EXPECT_EQ(answer.err, refusal.FromReplay());
  EXPECT_EQ(std::count(answer.out.begin(), answer.out.end(), '\n'), linesShown);
  const std::unique_ptr<std::streambuf> forPlayback = source();
  std::istream played(forPlayback.get());
  std::string error;
  EXPECT_EQ(ScriptPlayer::Load(played, error), nullptr);
  EXPECT_EQ(error, refusal.FromPlayback());
}

Source Text(const std::string& text) {
  return [text] { return std::make_unique<std::stringbuf>(text); };
}

TEST(ScriptLines, AFailedReadIsNeverTheEndOfTheScript) {
  const struct {
    std::string what;
    std::function<void()> fail;
    std::string reason;
  } cases[] = {
      {"an I/O error",
       [] { throw std::ios_base::failure("read", std::error_code(EIO, std::generic_category())); },
       std::strerror(EIO)},
      {"memory running out", [] { throw std::bad_alloc(); }, "out of memory"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ExpectRefused([&] { return std::make_unique<FailingInput>("dump\n# read so far\n", c.fail); },
                  {0, c.reason}, 1);
  }
#if !defined(__EMSCRIPTEN__) && !defined(_WIN32)
  // Under node and on Windows a directory cannot even be opened as a file, so no read of it can
  // fail.
  SCOPED_TRACE("a directory opened as a file");
  ExpectRefused(
      [] {
        auto directory = std::make_unique<std::filebuf>();
        directory->open(::testing::TempDir(), std::ios::in);
        return directory;
      },
      {0, "Is a directory"}, 0);
#endif
}

TEST(ScriptLines, AnEndlessLineIsRefusedAfterAMebibyteOfIt) {
  ExpectRefused([] { return std::make_unique<EndlessInput>(); }, {1, "longer than 1 MiB"}, 0);
  EndlessInput endless;
  std::istream script(&endless);
  Replay(script);
  EXPECT_LE(endless.Handed(), kLongestLine + kBlock);
}

TEST(ScriptLines, ALineOfAMebibyteIsReadAndOneByteMoreIsRefused) {
  const std::string longest = "#" + std::string(kLongestLine - 1, 'x');
  std::istringstream fits("dump\n" + longest + "\ndump");
  const Answer read = Replay(fits);
  EXPECT_EQ(read.status, kReplayOk) << read.err;
  EXPECT_EQ(std::count(read.out.begin(), read.out.end(), '\n'), 2);
  ExpectRefused(Text("dump\n" + longest + "x\ndump\n"), {2, "longer than 1 MiB"}, 1);
}

// Every scenario, its lines ended by CR LF, replays as it does with LF alone.
TEST(ScriptLines, ACrLfScriptReplaysAsItsLfTwin) {
  int scenarios = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(ZENTOR_SCENARIOS)) {
    if (entry.path().extension() != ".replay") {
      continue;
    }
    ++scenarios;
    SCOPED_TRACE(entry.path().string());
    std::ifstream file(entry.path());
    std::stringstream text;
    text << file.rdbuf();
    std::string crlf;
    for (const char c : text.str()) {
      crlf += c == '\n' ? "\r\n" : std::string(1, c);
    }
    std::istringstream lf(text.str());
    std::istringstream cr(crlf);
    const Answer expected = Replay(lf);
    const Answer answer = Replay(cr);
    EXPECT_EQ(answer.status, expected.status);
    EXPECT_EQ(answer.out, expected.out);
    EXPECT_EQ(answer.err, expected.err);
  }
  EXPECT_GT(scenarios, 20);
}

}  // namespace
}  // namespace zentor

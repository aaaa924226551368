#include "replay/replay.h"

#include <charconv>
#include <cmath>
#include <deque>
#include <limits>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "game/game.h"

namespace zentor {
namespace {

// Client area 14880 x 12315 inside this outer frame, at the top-left corner of the screen.
constexpr WindowFrame kDefaultFrame = {0, 0, 15000, 12750};

// A fault of the script itself, reported with its line number.
struct ScriptError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

class ScriptedHost : public Host {
 public:
  explicit ScriptedHost(std::ostream& out) : out_(out) {}

  void MessageBox(std::string_view prompt, int32_t /*buttons*/, std::string_view title) override {
    out_ << "{\"event\":\"msgbox\",\"prompt\":\"" << prompt << "\",\"title\":\"" << title
         << "\"}\n";
  }
  void End() override {
    out_ << "{\"event\":\"end\"}\n";
    ended_ = true;
  }
  void Reseed() override { ++reseeds_; }
  float NextRandom() override {
    if (queue_.empty()) {
      throw ScriptError("draw from an empty random queue");
    }
    const float value = queue_.front();
    queue_.pop_front();
    return value;
  }
  WindowFrame Frame() const override { return frame_; }

  void Queue(float value) { queue_.push_back(value); }
  void SetFrame(const WindowFrame& frame) { frame_ = frame; }
  bool Ended() const { return ended_; }
  uint64_t Reseeds() const { return reseeds_; }

 private:
  std::ostream& out_;
  std::deque<float> queue_;
  WindowFrame frame_ = kDefaultFrame;
  uint64_t reseeds_ = 0;
  bool ended_ = false;
};

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

std::string_view StripComment(std::string_view line) {
  const size_t hash = line.find('#');
  return hash == std::string_view::npos ? line : line.substr(0, hash);
}

std::vector<std::string_view> Words(std::string_view line) {
  std::vector<std::string_view> words;
  size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && IsBlank(line[i])) {
      ++i;
    }
    const size_t start = i;
    while (i < line.size() && !IsBlank(line[i])) {
      ++i;
    }
    if (i > start) {
      words.push_back(line.substr(start, i - start));
    }
  }
  return words;
}

// A word of the script as an error message shows it: control bytes escaped, long words cut.
std::string Quoted(std::string_view word) {
  constexpr size_t kShown = 40;
  std::string text = "'";
  for (const char c : word.substr(0, kShown)) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7f) {
      constexpr std::string_view kHex = "0123456789abcdef";
      text += "\\x";
      text += kHex[byte >> 4];
      text += kHex[byte & 0xf];
    } else {
      text += c;
    }
  }
  text += word.size() > kShown ? "'..." : "'";
  return text;
}

// A finite single, read from a decimal as single precision.
float ParseSingle(std::string_view word) {
  float value = 0;
  const auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), value);
  if (ec != std::errc() || end != word.data() + word.size() || !std::isfinite(value)) {
    throw ScriptError("malformed number " + Quoted(word));
  }
  return value;
}

int64_t ParseInteger(std::string_view word) {
  int64_t value = 0;
  const auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), value);
  if (ec != std::errc() || end != word.data() + word.size()) {
    throw ScriptError("malformed number " + Quoted(word));
  }
  return value;
}

class Replay {
 public:
  Replay(std::ostream& out, const ReplayOptions& options)
      : out_(out), options_(options), host_(out), game_(host_) {}

  bool Ended() const { return host_.Ended(); }

  void Run(const std::vector<std::string_view>& words) {
    const std::string_view command = words[0];
    const std::vector<std::string_view> args(words.begin() + 1, words.end());
    if (command == "load") {
      Expect(args, 0);
      OnLoad(game_);
    } else if (command == "random") {
      QueueRandom(args);
    } else if (command == "keydown" || command == "keyup") {
      Expect(args, 1, "key code");
      const int16_t code = KeyCodeOf(args[0]);
      command == "keydown" ? OnKeyDown(game_, code, 0) : OnKeyUp(game_, code, 0);
    } else if (command == "tick") {
      Tick(args);
    } else if (command == "click") {
      Expect(args, 1, "button name");
      Click(args[0]);
    } else if (command == "window") {
      Expect(args, 4, "number");
      host_.SetFrame(
          {ParseSingle(args[0]), ParseSingle(args[1]), ParseSingle(args[2]), ParseSingle(args[3])});
    } else if (command == "dump") {
      Expect(args, 0);
      out_ << StateLine(game_, host_.Reseeds()) << '\n';
    } else if (command == "screenshot") {
      Expect(args, 1, "path");
      Screenshot(std::string(args[0]));
    } else {
      throw ScriptError("unknown command " + Quoted(command));
    }
  }

 private:
  static void Expect(const std::vector<std::string_view>& args, size_t count,
                     std::string_view what = "") {
    if (args.size() < count) {
      throw ScriptError("missing " + std::string(what));
    }
    if (args.size() > count) {
      throw ScriptError("unexpected argument " + Quoted(args[count]));
    }
  }

  static int16_t KeyCodeOf(std::string_view word) {
    const int64_t code = ParseInteger(word);
    if (code < std::numeric_limits<int16_t>::min() || code > std::numeric_limits<int16_t>::max()) {
      throw ScriptError("key code " + Quoted(word) + " is outside 16 bits");
    }
    return static_cast<int16_t>(code);
  }

  void QueueRandom(const std::vector<std::string_view>& args) {
    if (args.empty()) {
      throw ScriptError("missing number");
    }
    std::vector<float> values;
    for (const std::string_view word : args) {
      const float value = ParseSingle(word);
      if (!(value >= 0 && value < 1)) {
        throw ScriptError("random value " + Quoted(word) + " is outside [0, 1)");
      }
      values.push_back(value);
    }
    for (const float value : values) {
      host_.Queue(value);
    }
  }

  // The clock only ticks while Timer1 is enabled, and nothing inside a tick enables it again.
  void Tick(const std::vector<std::string_view>& args) {
    if (args.size() > 1) {
      throw ScriptError("unexpected argument " + Quoted(args[1]));
    }
    const int64_t count = args.empty() ? 1 : ParseInteger(args[0]);
    if (count < 0) {
      throw ScriptError("tick count " + Quoted(args[0]) + " is negative");
    }
    for (int64_t i = 0; i < count && game_.form.Timer1.Enabled; ++i) {
      if (ticksRun_ == options_.tickBudget) {
        throw ScriptError("more ticks than this run allows");
      }
      ++ticksRun_;
      OnTimerTick(game_);
    }
  }

  void Click(std::string_view button) {
    if (button == "restart") {
      if (game_.form.Restart.Visible) {
        OnRestartClick(game_);
      }
    } else if (button == "endgame") {
      if (game_.form.endgame.Visible) {
        OnEndgameClick(game_);
      }
    } else {
      throw ScriptError("unknown button " + Quoted(button));
    }
  }

  void Screenshot(const std::string& path) {
    if (!options_.screenshot) {
      throw ScriptError("screenshot is not available in this build");
    }
    try {
      options_.screenshot(game_.form, path);
    } catch (const std::runtime_error& error) {
      throw ScriptError(error.what());
    }
  }

  std::ostream& out_;
  const ReplayOptions& options_;
  ScriptedHost host_;
  Game game_;
  uint64_t ticksRun_ = 0;
};

}  // namespace

int RunReplay(std::istream& script, std::ostream& out, std::ostream& err,
              const ReplayOptions& options) {
  Replay replay(out, options);
  std::string line;
  uint64_t number = 0;
  while (std::getline(script, line)) {
    ++number;
    const std::vector<std::string_view> words = Words(StripComment(line));
    if (words.empty()) {
      continue;
    }
    try {
      replay.Run(words);
    } catch (const std::exception& error) {
      out.flush();
      err << "zentor-replay: line " << number << ": " << error.what() << '\n';
      return kReplayError;
    }
    if (replay.Ended()) {
      break;
    }
  }
  out.flush();
  return kReplayOk;
}

}  // namespace zentor

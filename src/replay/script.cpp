#include "replay/script.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <span>
#include <stdexcept>

#include "playfield/decimal.h"

namespace zentor {
namespace {

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
  const auto number = ReadSingle(word);
  if (!number || !number->inRange || !std::isfinite(number->nearest)) {
    throw ScriptError("malformed number " + Quoted(word));
  }
  return number->nearest;
}

int64_t ParseInteger(std::string_view word) {
  int64_t value = 0;
  const auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), value);
  if (ec != std::errc() || end != word.data() + word.size()) {
    throw ScriptError("malformed number " + Quoted(word));
  }
  return value;
}

void Expect(const std::vector<std::string_view>& args, size_t count, std::string_view what = "") {
  if (args.size() < count) {
    throw ScriptError("missing " + std::string(what));
  }
  if (args.size() > count) {
    throw ScriptError("unexpected argument " + Quoted(args[count]));
  }
}

int16_t KeyCodeOf(std::string_view word) {
  const int64_t code = ParseInteger(word);
  if (code < std::numeric_limits<int16_t>::min() || code > std::numeric_limits<int16_t>::max()) {
    throw ScriptError("key code " + Quoted(word) + " is outside 16 bits");
  }
  return static_cast<int16_t>(code);
}

std::vector<float> RandomValues(const std::vector<std::string_view>& args) {
  if (args.empty()) {
    throw ScriptError("missing number");
  }
  std::vector<float> values;
  values.reserve(args.size());
  for (const std::string_view word : args) {
    const float value = ParseSingle(word);
    if (!(value >= 0 && value < 1)) {
      throw ScriptError("random value " + Quoted(word) + " is outside [0, 1)");
    }
    values.push_back(value);
  }
  return values;
}

int64_t TickCount(const std::vector<std::string_view>& args) {
  if (args.size() > 1) {
    throw ScriptError("unexpected argument " + Quoted(args[1]));
  }
  const int64_t count = args.empty() ? 1 : ParseInteger(args[0]);
  if (count < 0) {
    throw ScriptError("tick count " + Quoted(args[0]) + " is negative");
  }
  return count;
}

ScriptCommand::Kind ButtonOf(std::string_view button) {
  if (button == "restart") {
    return ScriptCommand::Kind::ClickRestart;
  }
  if (button == "endgame") {
    return ScriptCommand::Kind::ClickEndgame;
  }
  throw ScriptError("unknown button " + Quoted(button));
}

// A path a screenshot line can hold: one word, which no comment cuts short.
bool IsOneWord(std::string_view path) {
  if (path.empty() || path.find('#') != std::string_view::npos) {
    return false;
  }
  for (const char c : path) {
    if (IsBlank(c) || c == '\n') {
      return false;
    }
  }
  return true;
}

// "name v v ...", the numbers as the shortest decimals of their singles.
std::string NumbersLine(std::string_view name, std::span<const float> values) {
  std::string line(name);
  for (const float value : values) {
    line += ' ';
    AppendNumber(line, value);
  }
  return line;
}

}  // namespace

void AppendNumber(std::string& out, float value) {
  out += ShortestDecimal(value);
}

std::string FormatScriptLine(const ScriptCommand& command) {
  using Kind = ScriptCommand::Kind;
  switch (command.kind) {
    case Kind::Load:
      return "load";
    case Kind::Random:
      if (command.randoms.empty()) {
        throw std::invalid_argument("a random line needs a value");
      }
      return NumbersLine("random", command.randoms);
    case Kind::KeyDown:
      return "keydown " + std::to_string(command.key);
    case Kind::KeyUp:
      return "keyup " + std::to_string(command.key);
    case Kind::Tick:
      return "tick " + std::to_string(command.ticks);
    case Kind::ClickRestart:
      return "click restart";
    case Kind::ClickEndgame:
      return "click endgame";
    case Kind::Window: {
      const WindowFrame& frame = command.frame;
      const std::array<float, 4> values = {frame.Left, frame.Top, frame.Width, frame.Height};
      return NumbersLine("window", values);
    }
    case Kind::Dump:
      return "dump";
    case Kind::Screenshot:
      if (!IsOneWord(command.path)) {
        throw std::invalid_argument("a screenshot line cannot hold the path " +
                                    Quoted(command.path));
      }
      return "screenshot " + command.path;
  }
  throw std::invalid_argument("no such command");
}

std::optional<ScriptCommand> ParseScriptLine(std::string_view line) {
  const std::vector<std::string_view> words = Words(StripComment(line));
  if (words.empty()) {
    return std::nullopt;
  }
  const std::string_view name = words[0];
  const std::vector<std::string_view> args(words.begin() + 1, words.end());
  ScriptCommand command;
  using Kind = ScriptCommand::Kind;
  if (name == "load") {
    Expect(args, 0);
    command.kind = Kind::Load;
  } else if (name == "random") {
    command.kind = Kind::Random;
    command.randoms = RandomValues(args);
  } else if (name == "keydown" || name == "keyup") {
    Expect(args, 1, "key code");
    command.kind = name == "keydown" ? Kind::KeyDown : Kind::KeyUp;
    command.key = KeyCodeOf(args[0]);
  } else if (name == "tick") {
    command.kind = Kind::Tick;
    command.ticks = TickCount(args);
  } else if (name == "click") {
    Expect(args, 1, "button name");
    command.kind = ButtonOf(args[0]);
  } else if (name == "window") {
    Expect(args, 4, "number");
    command.kind = Kind::Window;
    command.frame = {ParseSingle(args[0]), ParseSingle(args[1]), ParseSingle(args[2]),
                     ParseSingle(args[3])};
  } else if (name == "dump") {
    Expect(args, 0);
    command.kind = Kind::Dump;
  } else if (name == "screenshot") {
    Expect(args, 1, "path");
    command.kind = Kind::Screenshot;
    command.path = std::string(args[0]);
  } else {
    throw ScriptError("unknown command " + Quoted(name));
  }
  return command;
}

void ScriptedHost::MessageBox(std::string_view prompt, int32_t /*buttons*/,
                              std::string_view title) {
  if (onMessageBox) {
    onMessageBox(prompt, title);
  }
}

void ScriptedHost::End() {
  ended_ = true;
  if (onEnd) {
    onEnd();
  }
}

float ScriptedHost::NextRandom() {
  if (queue_.empty()) {
    throw ScriptError("draw from an empty random queue");
  }
  const float value = queue_.front();
  queue_.pop_front();
  return value;
}

void ScriptedHost::Queue(const std::vector<float>& values) {
  queue_.insert(queue_.end(), values.begin(), values.end());
}

void ScriptedGame::Run(const ScriptCommand& command) {
  using Kind = ScriptCommand::Kind;
  switch (command.kind) {
    case Kind::Load:
      session_.Load();
      return;
    case Kind::Random:
      host_.Queue(command.randoms);
      return;
    case Kind::KeyDown:
      session_.KeyDown(command.key);
      return;
    case Kind::KeyUp:
      session_.KeyUp(command.key);
      return;
    case Kind::Tick:
      for (int64_t i = 0; i < command.ticks; ++i) {
        if (!Tick()) {
          return;
        }
      }
      return;
    case Kind::ClickRestart:
      session_.ClickRestart();
      return;
    case Kind::ClickEndgame:
      session_.ClickEndgame();
      return;
    case Kind::Window:
      host_.SetFrame(command.frame);
      return;
    case Kind::Dump:
    case Kind::Screenshot:
      return;
  }
}

// Nothing inside a tick enables the clock again, so once stopped it stays stopped for the rest
// of a `tick N`.
bool ScriptedGame::Tick() {
  if (!session_.TickRuns()) {
    return false;
  }
  if (ticksRun_ == tickBudget) {
    throw ScriptError("more ticks than this run allows");
  }
  ++ticksRun_;
  return session_.Tick();
}

}  // namespace zentor

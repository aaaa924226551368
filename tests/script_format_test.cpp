// Script lines written and read by one module: every command written as a line reads back as the
// same command, to the bit of every single.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <stdexcept>

#include "replay/script.h"

namespace zentor {
namespace {

using Kind = ScriptCommand::Kind;

// The web's C++ library has no std::bit_cast.
uint32_t BitsOf(float value) {
  uint32_t bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

float SingleOf(uint32_t bits) {
  float value = 0;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

bool SameSingle(float a, float b) {
  return BitsOf(a) == BitsOf(b);
}

void ExpectSameCommand(const ScriptCommand& read, const ScriptCommand& written) {
  EXPECT_EQ(read.kind, written.kind);
  ASSERT_EQ(read.randoms.size(), written.randoms.size());
  for (size_t i = 0; i < read.randoms.size(); ++i) {
    EXPECT_TRUE(SameSingle(read.randoms[i], written.randoms[i])) << i;
  }
  EXPECT_EQ(read.key, written.key);
  EXPECT_EQ(read.ticks, written.ticks);
  EXPECT_TRUE(SameSingle(read.frame.Left, written.frame.Left));
  EXPECT_TRUE(SameSingle(read.frame.Top, written.frame.Top));
  EXPECT_TRUE(SameSingle(read.frame.Width, written.frame.Width));
  EXPECT_TRUE(SameSingle(read.frame.Height, written.frame.Height));
  EXPECT_EQ(read.path, written.path);
}

TEST(ScriptFormat, EveryCommandWrittenReadsBackAsTheSameCommand) {
  const float kBelowOne = std::nextafter(1.0f, 0.0f);
  const struct {
    ScriptCommand command;
    std::string line;
  } cases[] = {
      {{.kind = Kind::Load}, "load"},
      {{.kind = Kind::Random, .randoms = {0.5f}}, "random 0.5"},
      {{.kind = Kind::Random, .randoms = {kBelowOne, 0.99999f, 1e-7f, 0.0f, 1.4e-45f}},
       "random 0.99999994 0.99999 1e-07 0 1e-45"},
      {{.kind = Kind::Random, .randoms = {2.0f / 3, 0.0033112583f}},
       "random 0.6666667 0.0033112583"},
      {{.kind = Kind::KeyDown, .key = 37}, "keydown 37"},
      {{.kind = Kind::KeyDown, .key = -32768}, "keydown -32768"},
      {{.kind = Kind::KeyUp, .key = 32767}, "keyup 32767"},
      {{.kind = Kind::Tick, .ticks = 1}, "tick 1"},
      {{.kind = Kind::Tick, .ticks = 0}, "tick 0"},
      {{.kind = Kind::Tick, .ticks = INT64_MAX}, "tick 9223372036854775807"},
      {{.kind = Kind::ClickRestart}, "click restart"},
      {{.kind = Kind::ClickEndgame}, "click endgame"},
      {{.kind = Kind::Window, .frame = kDefaultFrame}, "window 0 0 15000 12750"},
      {{.kind = Kind::Window, .frame = {2527.5f, -150.0f, 1e-7f, -0.0f}},
       "window 2527.5 -150 1e-07 -0"},
      {{.kind = Kind::Window, .frame = {3.4028235e38f, -1e5f, 123456.79f, 0.1f}},
       "window 3.4028235e+38 -1e+05 123456.79 0.1"},
      {{.kind = Kind::Dump}, "dump"},
      {{.kind = Kind::Screenshot, .path = "pictures/stage-2.png"},
       "screenshot pictures/stage-2.png"},
  };
  for (const auto& [command, line] : cases) {
    SCOPED_TRACE(line);
    EXPECT_EQ(FormatScriptLine(command), line);
    const std::optional<ScriptCommand> read = ParseScriptLine(FormatScriptLine(command));
    ASSERT_TRUE(read);
    ExpectSameCommand(*read, command);
  }
}

// Singles of every exponent and many mantissas, as a window line writes them.
TEST(ScriptFormat, WindowLinesKeepEveryFiniteSingle) {
  constexpr uint32_t kStride = 999983;  // a prime: the patterns visited spread over all bits
  for (uint64_t bits = 0; bits <= UINT32_MAX; bits += kStride) {
    const float value = SingleOf(static_cast<uint32_t>(bits));
    if (!std::isfinite(value)) {
      continue;
    }
    const ScriptCommand command{.kind = Kind::Window, .frame = {value, -value, value, value}};
    const std::optional<ScriptCommand> read = ParseScriptLine(FormatScriptLine(command));
    ASSERT_TRUE(read) << FormatScriptLine(command);
    ExpectSameCommand(*read, command);
  }
}

TEST(ScriptFormat, ACommandNoLineCanSayIsRefused) {
  const ScriptCommand cases[] = {
      {.kind = Kind::Random},
      {.kind = Kind::Screenshot, .path = ""},
      {.kind = Kind::Screenshot, .path = "my picture.png"},
      {.kind = Kind::Screenshot, .path = "picture#1.png"},
      {.kind = Kind::Screenshot, .path = "picture\n.png"},
  };
  for (const ScriptCommand& command : cases) {
    EXPECT_THROW(FormatScriptLine(command), std::invalid_argument) << command.path;
  }
}

}  // namespace
}  // namespace zentor

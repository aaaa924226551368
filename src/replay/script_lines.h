// Reading a replay script: its lines one at a time, and its commands run one after another, with
// the end of the input told apart from a failure to read it. zentor-replay and the window's
// playback read every script through here.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <istream>
#include <optional>
#include <stdexcept>
#include <string>

#include "replay/script.h"

namespace zentor {

// The longest line a script may have, so that endless input (a device that never ends a line)
// is refused after reading this much instead of filling the memory.
inline constexpr size_t kLongestLineMiB = 1;
inline constexpr size_t kLongestLine = kLongestLineMiB << 20;

// The script itself could not be read, or memory ran out: not the fault of any line.
struct ScriptReadError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

class ScriptLines {
 public:
  explicit ScriptLines(std::istream& script) : script_(script) {}

  // Reads the next line, without its end, into `line`; false at the end of the input. Throws
  // ScriptError for a line longer than kLongestLine, having read only that much of it, and
  // ScriptReadError with the system's reason when the input cannot be read.
  bool Next(std::string& line);

  // The number of the line read last, from 1.
  uint64_t Number() const { return number_; }

 private:
  std::istream& script_;
  uint64_t number_ = 0;
};

// What stopped a script before its end.
struct ScriptFault {
  uint64_t line = 0;  // the line at fault; 0 when the script could not be read or memory ran out
  std::string reason;
};

// Reads the script and hands each of its commands to `run`, which returns whether to go on.
// Nothing when the script ran to its end or `run` stopped it; else what stopped it: a line that
// is not a command, anything `run` threw at a line, a read failure or memory running out.
std::optional<ScriptFault> RunScript(std::istream& script,
                                     const std::function<bool(ScriptCommand& command)>& run);

}  // namespace zentor

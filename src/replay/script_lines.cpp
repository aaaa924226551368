#include "replay/script_lines.h"

#include <ios>
#include <new>
#include <string_view>
#include <system_error>

namespace zentor {
namespace {

// The reason the stream gives when it cannot read: the system's words for its error number.
std::string ReasonOf(const std::ios_base::failure& failure) {
  const std::error_code code = failure.code();
  return code.category() == std::iostream_category() ? "it cannot be read" : code.message();
}

constexpr std::string_view kOutOfMemory = "out of memory";

}  // namespace

bool ScriptLines::Next(std::string& line) {
  using Traits = std::istream::traits_type;
  line.clear();
  ++number_;
  std::streambuf& input = *script_.rdbuf();
  try {
    for (;;) {
      const Traits::int_type c = input.sbumpc();
      if (Traits::eq_int_type(c, Traits::eof())) {
        return !line.empty();
      }
      if (Traits::to_char_type(c) == '\n') {
        return true;
      }
      if (line.size() == kLongestLine) {
        throw ScriptError("longer than " + std::to_string(kLongestLineMiB) + " MiB");
      }
      line.push_back(Traits::to_char_type(c));
    }
  } catch (const std::ios_base::failure& failure) {
    throw ScriptReadError(ReasonOf(failure));
  }
}

std::optional<ScriptFault> RunScript(std::istream& script,
                                     const std::function<bool(ScriptCommand& command)>& run) {
  ScriptLines lines(script);
  std::string line;
  try {
    while (lines.Next(line)) {
      std::optional<ScriptCommand> command = ParseScriptLine(line);
      if (command && !run(*command)) {
        break;
      }
    }
    return std::nullopt;
  } catch (const ScriptReadError& fault) {
    return ScriptFault{0, fault.what()};
  } catch (const std::bad_alloc&) {
    return ScriptFault{0, std::string(kOutOfMemory)};
  } catch (const std::exception& fault) {
    return ScriptFault{lines.Number(), fault.what()};
  }
}

}  // namespace zentor

// Feeds arbitrary bytes to the scripted host as a replay script. Every accepted line runs through
// the game; besides what the sanitizers catch, the answer itself must keep its shape: status 0
// with nothing on standard error, or status 2 with exactly one error line naming a line of the
// script, and standard output made of whole JSON lines.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <streambuf>
#include <string>
#include <string_view>

#include "replay/replay.h"

namespace {

// Enough ticks to play past the last stage, few enough to keep one input quick.
constexpr uint64_t kTickBudget = 20000;

// Discards standard output, checking on the way that every line is a JSON object.
class JsonLineSink : public std::streambuf {
 public:
  bool WholeLines() const { return good_ && length_ == 0; }

 protected:
  int overflow(int c) override {
    if (c != traits_type::eof()) {
      Take(static_cast<char>(c));
    }
    return traits_type::not_eof(c);
  }
  std::streamsize xsputn(const char* text, std::streamsize count) override {
    for (std::streamsize i = 0; i < count; ++i) {
      Take(text[i]);
    }
    return count;
  }

 private:
  void Take(char c) {
    if (c == '\n') {
      good_ = good_ && length_ >= 2 && last_ == '}';
      length_ = 0;
      return;
    }
    if (length_ == 0 && c != '{') {
      good_ = false;
    }
    ++length_;
    last_ = c;
  }

  bool good_ = true;
  size_t length_ = 0;
  char last_ = 0;
};

// "zentor-replay: line N: what is wrong\n" with 1 <= N <= lines, one line, no control bytes.
bool IsOneErrorLine(std::string_view text, size_t lines) {
  constexpr std::string_view kPrefix = "zentor-replay: line ";
  if (!text.starts_with(kPrefix) || !text.ends_with('\n')) {
    return false;
  }
  text.remove_prefix(kPrefix.size());
  text.remove_suffix(1);
  size_t number = 0;
  size_t digits = 0;
  while (digits < text.size() && text[digits] >= '0' && text[digits] <= '9') {
    number = number * 10 + static_cast<size_t>(text[digits] - '0');
    ++digits;
    if (number > lines) {
      return false;
    }
  }
  if (digits == 0 || text[0] == '0' || number == 0 || text.substr(digits, 2) != ": " ||
      text.size() == digits + 2) {
    return false;
  }
  for (const char c : text) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) {
      return false;
    }
  }
  return true;
}

[[noreturn]] void Fail(const char* what, const std::string& detail) {
  std::fprintf(stderr, "replay fuzzer: %s\n%s\n", what, detail.c_str());
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  size_t lines = 1;
  for (const char c : bytes) {
    lines += c == '\n' ? 1 : 0;
  }
  std::istringstream script(bytes);
  JsonLineSink sink;
  std::ostream out(&sink);
  std::ostringstream err;
  zentor::ReplayOptions options;
  options.tickBudget = kTickBudget;

  const int status = zentor::RunReplay(script, out, err, options);

  if (status == zentor::kReplayOk) {
    if (!err.str().empty()) {
      Fail("status 0 with an error message", err.str());
    }
  } else if (status == zentor::kReplayError) {
    if (!IsOneErrorLine(err.str(), lines)) {
      Fail("status 2 without exactly one well-formed error line", err.str());
    }
  } else {
    Fail("status neither 0 nor 2", std::to_string(status));
  }
  if (!sink.WholeLines()) {
    Fail("standard output is not made of whole JSON lines", "");
  }
  return 0;
}

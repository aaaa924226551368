#include "replay/share_link.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <new>
#include <sstream>

#include "replay/inflate.h"
#include "system/files.h"

namespace zentor {
namespace {

constexpr std::string_view kLinkGame = "the link's game";

// The six bits a base64url character stands for; -1 for any other byte.
int SextetOf(char c) {
  if (c >= 'A' && c <= 'Z') {
    return c - 'A';
  }
  if (c >= 'a' && c <= 'z') {
    return c - 'a' + 26;
  }
  if (c >= '0' && c <= '9') {
    return c - '0' + 52;
  }
  if (c == '-') {
    return 62;
  }
  return c == '_' ? 63 : -1;
}

// A character as a sentence shows it: printable ones quoted, any other byte in hexadecimal.
std::string Shown(char c) {
  const auto byte = static_cast<unsigned char>(c);
  if (byte > 0x20 && byte < 0x7f) {
    return std::string("'") + c + "'";
  }
  constexpr std::string_view kHex = "0123456789abcdef";
  return std::string("byte 0x") + kHex[byte >> 4] + kHex[byte & 0xf];
}

}  // namespace

bool IsShareLink(std::string_view argument) {
  return argument.find(kPlayMark) != std::string_view::npos;
}

std::optional<std::string> DecodeBase64Url(std::string_view text, std::string& fault) {
  std::string bytes;
  bytes.reserve(text.size() / 4 * 3 + 2);
  uint32_t held = 0;  // bits not yet in a byte, fewer than 8
  int heldCount = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    const int sextet = SextetOf(text[i]);
    if (sextet < 0) {
      const std::string at = "character " + std::to_string(i + 1);
      fault = text[i] == '=' ? at + " is '=', padding, which a link does not have"
                             : at + ", " + Shown(text[i]) + ", is outside its alphabet";
      return std::nullopt;
    }
    held = (held << 6) | static_cast<uint32_t>(sextet);
    heldCount += 6;
    if (heldCount >= 8) {
      heldCount -= 8;
      bytes.push_back(static_cast<char>(held >> heldCount));
      held &= (1u << heldCount) - 1;
    }
  }
  if (text.size() % 4 == 1) {
    fault = "no bytes are written in " + std::to_string(text.size()) + " characters";
    return std::nullopt;
  }
  if (held != 0) {
    fault = "its last character has bits set past the last byte";
    return std::nullopt;
  }
  return bytes;
}

std::optional<std::string> DecodeShareLink(std::string_view link, std::string& refusal) {
  const size_t mark = link.find(kPlayMark);
  if (mark == std::string_view::npos) {
    refusal = "the link has no " + std::string(kPlayMark) + " game";
    return std::nullopt;
  }
  const std::string_view text = link.substr(mark + kPlayMark.size());
  if (text.empty()) {
    refusal = "the link has no game after " + std::string(kPlayMark);
    return std::nullopt;
  }
  try {
    std::string fault;
    const std::optional<std::string> bytes = DecodeBase64Url(text, fault);
    if (!bytes) {
      refusal = std::string(kLinkGame) + " is not base64url: " + fault;
      return std::nullopt;
    }
    return InflateZlib(*bytes, kLinkGameMost);
  } catch (const InflateTooLarge&) {
    refusal = std::string(kLinkGame) + " is larger than " + std::to_string(kLinkGameMiB) + " MiB";
  } catch (const InflateError& error) {
    refusal = std::string(kLinkGame) + " does not inflate: " + error.what();
  } catch (const std::bad_alloc&) {
    refusal = std::string(kLinkGame) + " does not fit in the memory";
  }
  return std::nullopt;
}

std::unique_ptr<std::istream> OpenScript(const std::string& argument, std::string& refusal) {
  if (IsShareLink(argument)) {
    std::optional<std::string> script = DecodeShareLink(argument, refusal);
    if (!script) {
      return nullptr;
    }
    return std::make_unique<std::istringstream>(std::move(*script));
  }
  std::unique_ptr<std::istream> file = OpenInputFile(argument);
  if (!file) {
    refusal = "cannot open " + argument + ": " + std::strerror(errno);
    return nullptr;
  }
  return file;
}

std::string ScriptNameOf(const std::string& argument) {
  return IsShareLink(argument) ? std::string(kLinkGame) : argument;
}

}  // namespace zentor

#include "replay/share_link.h"

// zlib reads its input through a pointer to const.
#define ZLIB_CONST
#include <zlib.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>
#include <new>
#include <sstream>

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

// zlib's messages for a stream that does not inflate, told in the link's own words.
struct InflateFault {
  std::string_view zlib;
  std::string_view phrase;
};
constexpr InflateFault kInflateFaults[] = {
    {"incorrect header check", "its header is not zlib's"},
    {"unknown compression method", "it is not compressed with deflate"},
    {"invalid window size", "its window is larger than deflate has"},
    {"invalid block type", "a block has the reserved type"},
    {"invalid stored block lengths", "a stored block's length does not match its complement"},
    {"too many length or distance symbols", "a block counts more codes than deflate has"},
    {"invalid code lengths set", "its code lengths do not make a code"},
    {"invalid bit length repeat", "it repeats a code length before the first or past the codes"},
    {"invalid code -- missing end-of-block", "a block has no code for its end"},
    {"invalid literal/lengths set", "its code lengths do not make a code"},
    {"invalid distances set", "its code lengths do not make a code"},
    {"invalid literal/length code", "it holds a code that its table does not have"},
    {"invalid distance code", "it holds a code that its table does not have"},
    {"invalid distance too far back", "a distance reaches back before its start"},
    {"incorrect data check", "its checksum does not match"},
};

// The fault zlib found, as a phrase; its own words where the table has none.
std::string FaultOf(const z_stream& stream, int status) {
  if (status == Z_NEED_DICT) {
    return "it needs a preset dictionary";
  }
  if (status == Z_BUF_ERROR) {
    return "it ends too soon";
  }
  const std::string_view message = stream.msg ? stream.msg : "zlib cannot read it";
  for (const InflateFault& fault : kInflateFaults) {
    if (fault.zlib == message) {
      return std::string(fault.phrase);
    }
  }
  return std::string(message);
}

// The room for the output after `held` bytes: double, from a first 16 KiB, and once that would
// reach the limit, the limit and the byte that tells it passed, so that the last copy is the
// only one of that size.
size_t NextRoom(size_t held, size_t limit) {
  constexpr size_t kFirstRoom = 16 << 10;
  const size_t doubled = std::max(kFirstRoom, 2 * held);
  return doubled >= limit ? limit + 1 : doubled;
}

}  // namespace

std::string InflateZlib(std::string_view stream, size_t limit) {
  z_stream z{};
  if (inflateInit(&z) != Z_OK) {
    throw std::bad_alloc();
  }
  const std::unique_ptr<z_stream, int (*)(z_streamp)> ending(&z, inflateEnd);
  // zlib counts in 32 bits: the stream goes in in pieces it can count.
  constexpr size_t kMostIn = std::numeric_limits<uInt>::max();
  std::string out;
  size_t written = 0;
  size_t fed = 0;
  int status = Z_OK;
  while (status == Z_OK) {
    if (z.avail_in == 0 && fed < stream.size()) {
      const size_t piece = std::min(stream.size() - fed, kMostIn);
      z.next_in = reinterpret_cast<const Bytef*>(stream.data() + fed);
      z.avail_in = static_cast<uInt>(piece);
      fed += piece;
    }
    if (written == out.size()) {
      // Room for one byte past the limit at most: that byte tells a game too large.
      if (written > limit) {
        throw InflateTooLarge("it inflates past the limit");
      }
      out.resize(NextRoom(out.size(), limit));
      z.next_out = reinterpret_cast<Bytef*>(out.data() + written);
      z.avail_out = static_cast<uInt>(std::min(out.size() - written, kMostIn));
    }
    const uInt room = z.avail_out;
    status = inflate(&z, Z_NO_FLUSH);
    written += room - z.avail_out;
  }
  if (status == Z_MEM_ERROR) {
    throw std::bad_alloc();
  }
  if (written > limit) {
    throw InflateTooLarge("it inflates past the limit");
  }
  if (status != Z_STREAM_END) {
    throw InflateError(FaultOf(z, status));
  }
  if (z.avail_in != 0 || fed < stream.size()) {
    throw InflateError("bytes follow its end");
  }
  out.resize(written);
  return out;
}

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

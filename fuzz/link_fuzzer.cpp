// Feeds arbitrary bytes to the decoder of shared games' links: as a zlib stream to the bounded
// inflate, and as a link's text. Besides what the sanitizers catch, the answers must keep their
// shape: an inflated stream never exceeds its limit and reads back the same through a link, and
// a link is either decoded or refused with one sentence about the link.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "replay/share_link.h"

namespace {

// Small enough to keep one input quick; the ratio of deflate lets a few kilobytes reach it.
constexpr size_t kLimit = 1 << 20;

std::string Base64Url(std::string_view bytes) {
  constexpr std::string_view kAlphabet =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";
  std::string text;
  uint32_t held = 0;
  int heldCount = 0;
  for (const char c : bytes) {
    held = (held << 8) | static_cast<uint8_t>(c);
    heldCount += 8;
    while (heldCount >= 6) {
      heldCount -= 6;
      text += kAlphabet[(held >> heldCount) & 63];
    }
  }
  if (heldCount > 0) {
    text += kAlphabet[(held << (6 - heldCount)) & 63];
  }
  return text;
}

[[noreturn]] void Fail(const char* what, const std::string& detail) {
  std::fprintf(stderr, "link fuzzer: %s\n%s\n", what, detail.c_str());
  std::abort();
}

void CheckRefusal(const std::string& refusal) {
  if (!refusal.starts_with("the link") || refusal.find('\n') != std::string::npos) {
    Fail("a refusal that is not one sentence about the link", refusal);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  try {
    const std::string inflated = zentor::InflateZlib(bytes, kLimit);
    if (inflated.size() > kLimit) {
      Fail("inflated past the limit", std::to_string(inflated.size()));
    }
    std::string refusal;
    const auto script = zentor::DecodeShareLink("#play=" + Base64Url(bytes), refusal);
    if (!script || *script != inflated) {
      Fail("the stream's link does not give what the stream does", refusal);
    }
  } catch (const zentor::InflateError&) {
  }

  std::string refusal;
  const auto script = zentor::DecodeShareLink(bytes, refusal);
  if (!script) {
    CheckRefusal(refusal);
  } else if (script->size() > zentor::kLinkGameMost || !refusal.empty()) {
    Fail("a decoded link with a refusal or past its limit", refusal);
  }
  return 0;
}

// Games shared as links: base64url read strictly, zlib streams inflated from every kind of
// block, and every damaged, cut or oversized link refused with a sentence in the link's words. The
// links were made once with python3's zlib (level 9; the stored and fixed ones with level 0 and
// Z_FIXED, with a sync flush between blocks where a link has several) and base64.urlsafe_b64encode.
#include "replay/share_link.h"

#include <gtest/gtest.h>

#include <string_view>

#include <fstream>
#include <sstream>

#include "replay/replay.h"

namespace zentor {
namespace {

std::string Contents(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_TRUE(in) << path;
  return text.str();
}

// A link kept in a file, without the line's end.
std::string LinkFile(const std::string& name) {
  std::string link = Contents(std::string(ZENTOR_LINKS) + "/" + name);
  while (!link.empty() && link.back() == '\n') {
    link.pop_back();
  }
  return link;
}

std::string WholeGame() {
  return Contents(std::string(ZENTOR_SCENARIOS) + "/stages/whole_game.replay");
}

// The sentence a link is refused with; empty when it decodes.
std::string Refusal(std::string_view link) {
  std::string refusal;
  const std::optional<std::string> script = DecodeShareLink(link, refusal);
  EXPECT_EQ(script.has_value(), refusal.empty()) << refusal;
  return refusal;
}

TEST(ShareLink, TellsALinkFromAPath) {
  EXPECT_TRUE(IsShareLink("http://127.0.0.1:8000/index.html#play=eJwDAAAAAAE"));
  EXPECT_TRUE(IsShareLink("#play=eJwDAAAAAAE"));
  EXPECT_TRUE(IsShareLink("#play="));
  EXPECT_FALSE(IsShareLink("whole_game.replay"));
  EXPECT_FALSE(IsShareLink("index.html?play=whole_game.replay"));
  EXPECT_FALSE(IsShareLink("#plays=x"));
  EXPECT_EQ(ScriptNameOf("games/a.replay"), "games/a.replay");
  EXPECT_EQ(ScriptNameOf("#play=eJwDAAAAAAE"), "the link's game");
}

TEST(ShareLink, ReadsBase64UrlStrictly) {
  const struct {
    std::string_view text;
    std::optional<std::string_view> bytes;
    std::string_view fault;
  } cases[] = {
      {"", "", ""},
      {"QQ", "A", ""},
      {"QUI", "AB", ""},
      {"QUJD", "ABC", ""},
      {"QUJDRA", "ABCD", ""},
      {"-_-_", "\xfb\xff\xbf", ""},
      {"AAAA", std::string_view("\0\0\0", 3), ""},
      {"Q", std::nullopt, "no bytes are written in 1 characters"},
      {"QUJDR", std::nullopt, "no bytes are written in 5 characters"},
      {"QQ==", std::nullopt, "character 3 is '=', padding, which a link does not have"},
      {"QR", std::nullopt, "its last character has bits set past the last byte"},
      {"QUJ", std::nullopt, "its last character has bits set past the last byte"},
      {"QU+D", std::nullopt, "character 3, '+', is outside its alphabet"},
      {"QU/D", std::nullopt, "character 3, '/', is outside its alphabet"},
      {"QUJD RA", std::nullopt, "character 5, byte 0x20, is outside its alphabet"},
      {"QUJD\n", std::nullopt, "character 5, byte 0x0a, is outside its alphabet"},
      {"\xc3\xa9", std::nullopt, "character 1, byte 0xc3, is outside its alphabet"},
      {std::string_view("QU\0D", 4), std::nullopt,
       "character 3, byte 0x00, is outside its alphabet"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    std::string fault;
    const std::optional<std::string> bytes = DecodeBase64Url(c.text, fault);
    ASSERT_EQ(bytes.has_value(), c.bytes.has_value()) << fault;
    if (bytes) {
      EXPECT_EQ(*bytes, *c.bytes);
    }
    EXPECT_EQ(fault, c.fault);
  }
}

TEST(ShareLink, InflatesEveryKindOfBlock) {
  const std::string wholeGame = WholeGame();
  const struct {
    std::string what;
    std::string link;
    std::string script;
  } cases[] = {
      {"stored blocks",
       "#play=eAEACgD1_yMgc3RvcmVkCmwAAAD__wEcAOP_b2FkCmtleWRvd24gMzIKdGljayA0MApkdW1wCvRVDBI",
       "# stored\nload\nkeydown 32\ntick 40\ndump\n"},
      {"a fixed block", "#play=eAHLyU9M4cpOrUzJL89TMDbiKslMzlYwMeBKKc0tQIhbYoiXFmCIAgCY3ReB",
       "load\nkeydown 32\ntick 40\ndump\nkeydown 39\ntick 40\ndump\nkeyup 39\ntick 40\ndump\n"},
      {"fixed and stored blocks",
       "x#play=eNrKyU9M4cpOrUzJL89TMDbiKslMzlYwMeBKKc0tQIhbYoiXFmCIAgAAAP__"
       "U1YoLskvSk3hysFnJgAKfSOS",
       "load\nkeydown 32\ntick 40\ndump\nkeydown 39\ntick 40\ndump\nkeyup 39\ntick 40\ndump\n"
       "# stored\nload\nkeydown 32\ntick 40\ndump\n"},
      {"nothing", "#play=eJwDAAAAAAE", ""},
      {"dynamic blocks", LinkFile("whole_game.link"), wholeGame},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::string refusal;
    const std::optional<std::string> script = DecodeShareLink(c.link, refusal);
    ASSERT_TRUE(script) << refusal;
    EXPECT_EQ(*script, c.script);
  }
}

// Every character of a link changed and every shorter piece of it: each is refused with one of
// the link's sentences, by the base64url reader, the inflater or the checksum, except a change
// in the bits that pad a block to a whole byte, which deflate ignores: that link still holds the
// very same game.
TEST(ShareLink, ADamagedOrCutLinkIsRefused) {
  const std::string link = LinkFile("whole_game.link");
  const size_t start = link.find(kPlayMark) + kPlayMark.size();
  constexpr std::string_view kAlphabet =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";
  const auto refusedAsALink = [](const std::string& refusal) {
    return refusal.starts_with("the link's game is not base64url: ") ||
           refusal.starts_with("the link's game does not inflate: ");
  };
  const std::string wholeGame = WholeGame();
  size_t unchanged = 0;
  for (size_t at = start; at < link.size(); ++at) {
    std::string changed = link;
    changed[at] = kAlphabet[(kAlphabet.find(link[at]) + 1 + at % 63) % kAlphabet.size()];
    std::string refusal;
    const std::optional<std::string> script = DecodeShareLink(changed, refusal);
    if (script) {
      EXPECT_EQ(*script, wholeGame) << "character " << at << " changed";
      ++unchanged;
    } else {
      EXPECT_TRUE(refusedAsALink(refusal)) << "character " << at << " changed: " << refusal;
    }
  }
  // The link has three blocks, and so three places where bits pad a byte.
  EXPECT_LE(unchanged, 3u);
  for (size_t length = start + 1; length < link.size(); ++length) {
    const std::string refusal = Refusal(link.substr(0, length));
    EXPECT_TRUE(refusedAsALink(refusal)) << "cut to " << length << ": " << refusal;
  }
  EXPECT_EQ(Refusal(link.substr(0, start)), "the link has no game after #play=");
  EXPECT_EQ(Refusal("http://127.0.0.1:8000/index.html"), "the link has no #play= game");
  EXPECT_EQ(Refusal(link + "="), "the link's game is not base64url: character " +
                                     std::to_string(link.size() - start + 1) +
                                     " is '=', padding, which a link does not have");
}

// zlib's faults told in the link's words. Streams made by hand as the reason says, padded with
// zeros where the reader would run short before it reached the fault.
TEST(ShareLink, RefusesStreamsThatDoNotInflate) {
  using std::literals::operator""sv;
  const struct {
    std::string_view stream;
    std::string_view reason;
  } cases[] = {
      {""sv, "it ends too soon"},
      {"\x78"sv, "it ends too soon"},
      {"\x78\x9d\x03\x00"sv, "its header is not zlib's"},
      {"\x77\x09\x03\x00"sv, "it is not compressed with deflate"},
      {"\x88\x1c\x03\x00"sv, "its window is larger than deflate has"},
      {"\x78\x20\x00\x00\x00\x01\x03\x00"sv, "it needs a preset dictionary"},
      {"\x78\x01\x07"sv, "a block has the reserved type"},
      {"\x78\x01\x00\x00\x00\xff\xff"sv, "it ends too soon"},
      {"\x78\x01\x01\x05\x00\x00\x00\x68\x65\x6c\x6c\x6f\x06\x2c\x02\x15"sv,
       "a stored block's length does not match its complement"},
      {"\x78\x01\x03\x02"sv, "a distance reaches back before its start"},
      {"\x78\x01\x4b\x1c\x03"sv, "it holds a code that its table does not have"},
      {"\x78\x01\x05\xe0\x13\x00\x00\x00\x00\x00\x00\x00\x00\x00"sv,
       "it repeats a code length before the first or past the codes"},
      {"\x78\x9c\xcb\xc9\x4f\x4c\xe1\x2a\xc9\x4c\xce\x56\x30\xe6\x4a\x29\xcd\x2d\xe0\x02\x00\x34"
       "\x04\x05\x72"sv,
       "its checksum does not match"},
      {"\x78\x9c\xcb\xc9\x4f\x4c\xe1\x2a\xc9\x4c\xce\x56\x30\xe6\x4a\x29\xcd\x2d"
       "\xe0\x02\x00\x34\x04\x05\x73\x00"sv,
       "bytes follow its end"},
  };
  for (const auto& c : cases) {
    std::string reason;
    try {
      InflateZlib(c.stream, kLinkGameMost);
    } catch (const InflateError& error) {
      reason = error.what();
    }
    EXPECT_EQ(reason, c.reason) << c.reason;
  }
}

// 17 MiB of zeros in a link of 23 KB: refused as soon as the output passes the limit, so a cut
// copy of it, whose end is missing, is refused for its size too.
TEST(ShareLink, AGameLargerThanTheLimitIsRefusedOnceItPassesIt) {
  const std::string zeros = LinkFile("zeros.link");
  EXPECT_EQ(Refusal(zeros), "the link's game is larger than 16 MiB");
  EXPECT_EQ(Refusal(zeros.substr(0, zeros.size() - 400)), "the link's game is larger than 16 MiB");

  const std::string link = LinkFile("whole_game.link");
  std::string fault;
  const std::optional<std::string> stream =
      DecodeBase64Url(link.substr(link.find(kPlayMark) + kPlayMark.size()), fault);
  ASSERT_TRUE(stream) << fault;
  const size_t size = WholeGame().size();
  EXPECT_EQ(InflateZlib(*stream, size).size(), size);
  EXPECT_THROW(InflateZlib(*stream, size - 1), InflateTooLarge);
}

// A link plays as its script does, and a refused one is told as zentor-replay tells it.
TEST(ShareLink, OpensALinkAsTheScriptItHolds) {
  const std::string replayed = [] {
    std::istringstream script(WholeGame());
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(RunReplay(script, out, err, {}), kReplayOk) << err.str();
    return out.str();
  }();
  std::string refusal;
  const std::unique_ptr<std::istream> script = OpenScript(LinkFile("whole_game.link"), refusal);
  ASSERT_NE(script, nullptr) << refusal;
  std::ostringstream out;
  std::ostringstream err;
  EXPECT_EQ(RunReplay(*script, out, err, {}), kReplayOk) << err.str();
  EXPECT_EQ(out.str(), replayed);

  EXPECT_EQ(OpenScript("#play=eJwDAAAAAAF", refusal), nullptr);
  EXPECT_EQ(refusal,
            "the link's game is not base64url: its last character has bits set past "
            "the last byte");
  EXPECT_EQ(OpenScript(std::string(ZENTOR_LINKS) + "/none.replay", refusal), nullptr);
  EXPECT_EQ(refusal,
            "cannot open " + std::string(ZENTOR_LINKS) + "/none.replay: No such file or directory");
}

}  // namespace
}  // namespace zentor

// A game shared as a link: the page's address with "#play=" and the replay script, compressed in
// the zlib format and written in base64url without padding. zentor-replay and zentor --play take
// such a link wherever they take a script's path, and decode it here, on the machine.
#pragma once

#include <cstddef>
#include <istream>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace zentor {

inline constexpr std::string_view kPlayMark = "#play=";
// The most a link's script may inflate to, so that a small link cannot fill the memory.
inline constexpr size_t kLinkGameMiB = 16;
inline constexpr size_t kLinkGameMost = kLinkGameMiB << 20;

// Why a zlib stream does not inflate, as a phrase: "its checksum does not match".
struct InflateError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// The stream would inflate to more than the limit.
struct InflateTooLarge : InflateError {
  using InflateError::InflateError;
};

// The bytes a zlib stream holds (deflate in zlib's header and checksum, nothing after it),
// inflated by zlib. Throws InflateTooLarge as soon as the output passes `limit` bytes, having held
// no more than one byte past it, and InflateError for any other fault.
std::string InflateZlib(std::string_view stream, size_t limit);

// Whether the argument is a link (an address or only its fragment) rather than a file's path:
// it holds "#play=".
bool IsShareLink(std::string_view argument);

// The bytes of base64url text (A-Z a-z 0-9 - _) without padding. Nothing, and the fault as a
// phrase in `fault`, for a character outside that alphabet ('=' too), a length that no bytes
// have, or bits set past the last byte, which would let two texts stand for the same bytes.
std::optional<std::string> DecodeBase64Url(std::string_view text, std::string& fault);

// The script of the game after the link's first "#play=". Nothing, and one sentence for the
// player in `refusal` ("the link's game is not base64url: ...", "the link's game does not
// inflate: ...", "the link's game is larger than 16 MiB"), when it does not decode.
std::optional<std::string> DecodeShareLink(std::string_view link, std::string& refusal);

// A script given as a path or a link: the open file, or the link's game decoded into memory.
// Nothing, and the sentence in `refusal` ("cannot open PATH: reason", or the link's refusal).
std::unique_ptr<std::istream> OpenScript(const std::string& argument, std::string& refusal);

// How a sentence about the script names it: the path, or "the link's game".
std::string ScriptNameOf(const std::string& argument);

}  // namespace zentor

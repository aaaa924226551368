// Inflating a zlib stream (a deflate stream in its two-byte header and Adler-32 trailer), as a
// shared game's link carries its script. Any bytes may come in: the reader never reads past
// them, and the output never grows past the limit it is given.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

namespace zentor {

// Why a stream does not inflate, as a phrase: "its checksum does not match".
struct InflateError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// The stream would inflate to more than the limit.
struct InflateTooLarge : InflateError {
  using InflateError::InflateError;
};

// The bytes the stream holds: stored, fixed-Huffman and dynamic-Huffman blocks, no preset
// dictionary, the checksum checked and nothing after it. Throws InflateTooLarge as soon as the
// output would pass `limit` bytes, having held no more than that, and InflateError for any other
// fault.
std::string InflateZlib(std::string_view stream, size_t limit);

}  // namespace zentor

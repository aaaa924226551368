#include "replay/inflate.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <span>

namespace zentor {
namespace {

constexpr int kLongestCode = 15;
constexpr size_t kLiteralCodes = 288;  // the fixed code's; a dynamic block uses 286 at most
constexpr size_t kDynamicLiteralCodes = 286;
constexpr size_t kDistanceCodes = 30;
constexpr size_t kLengthCodes = 19;
constexpr int kEndOfBlock = 256;

// Lengths 3 to 258 and distances 1 to 32768: a base and how many extra bits follow its code.
constexpr std::array<uint16_t, 29> kLengthBase = {3,  4,  5,  6,   7,   8,   9,   10,  11, 13,
                                                  15, 17, 19, 23,  27,  31,  35,  43,  51, 59,
                                                  67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::array<uint8_t, 29> kLengthExtra = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                                  2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::array<uint16_t, kDistanceCodes> kDistanceBase = {
    1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
    193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr std::array<uint8_t, kDistanceCodes> kDistanceExtra = {
    0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
    6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
// The order in which a dynamic block gives the lengths of its code-length code.
constexpr std::array<uint8_t, kLengthCodes> kLengthOrder = {16, 17, 18, 0, 8,  7, 9,  6, 10, 5,
                                                            11, 4,  12, 3, 13, 2, 14, 1, 15};

// The stream's bits, least significant first, never read past its end.
class BitReader {
 public:
  explicit BitReader(std::string_view bytes) : bytes_(bytes) {}

  // The next `count` bits (at most 16) as a number, the first of them lowest.
  uint32_t Take(int count) {
    uint32_t held = held_;
    while (heldCount_ < count) {
      held |= static_cast<uint32_t>(NextByte()) << heldCount_;
      heldCount_ += 8;
    }
    held_ = held >> count;
    heldCount_ -= count;
    return held & ((1u << count) - 1);
  }

  // Drops what is left of the byte being read: stored bytes and the checksum start at a byte.
  void ToByte() {
    held_ = 0;
    heldCount_ = 0;
  }

  uint8_t NextByte() {
    if (at_ == bytes_.size()) {
      throw InflateError("it ends too soon");
    }
    return static_cast<uint8_t>(bytes_[at_++]);
  }

  std::string_view NextBytes(size_t count) {
    if (count > bytes_.size() - at_) {
      throw InflateError("it ends too soon");
    }
    const std::string_view taken = bytes_.substr(at_, count);
    at_ += count;
    return taken;
  }

  bool AtEnd() const { return at_ == bytes_.size(); }

 private:
  std::string_view bytes_;
  size_t at_ = 0;
  uint32_t held_ = 0;  // bits read from the bytes and not yet taken, fewer than 8 between takes
  int heldCount_ = 0;
};

// The inflated bytes, never more than the limit. The room grows in powers of two, so for a
// limit that is one the bytes never hold more room than the limit.
class Output {
 public:
  explicit Output(size_t limit) : limit_(limit) {}

  void Put(uint8_t byte) {
    Room(1);
    bytes_.push_back(static_cast<char>(byte));
  }

  void Append(std::string_view bytes) {
    Room(bytes.size());
    bytes_.append(bytes);
  }

  // `length` bytes, each the one `distance` back: a run may copy bytes it has just written.
  void Repeat(size_t distance, size_t length) {
    if (distance > bytes_.size()) {
      throw InflateError("a distance reaches back before its start");
    }
    Room(length);
    for (size_t i = 0; i < length; ++i) {
      bytes_.push_back(bytes_[bytes_.size() - distance]);
    }
  }

  const std::string& Bytes() const { return bytes_; }
  std::string Take() { return std::move(bytes_); }

 private:
  static constexpr size_t kFirstRoom = 4096;

  void Room(size_t more) {
    if (more > limit_ - bytes_.size()) {
      throw InflateTooLarge("it inflates to more than " + std::to_string(limit_) + " bytes");
    }
    const size_t needed = bytes_.size() + more;
    if (needed > bytes_.capacity()) {
      bytes_.reserve(std::min(limit_, std::bit_ceil(std::max(needed, kFirstRoom))));
    }
  }

  size_t limit_;
  std::string bytes_;
};

// A canonical Huffman code: how many codes each length has, and the symbols in code order.
struct Code {
  std::array<uint16_t, kLongestCode + 1> counts{};
  std::array<uint16_t, kLiteralCodes> symbols{};
};

// Builds the code of the symbols' lengths (0: the symbol has no code). Returns how many codes of
// the longest length are left unused: 0 for a complete code, below 0 when the lengths ask for
// more codes than there are.
int Build(Code& code, std::span<const uint8_t> lengths) {
  code.counts.fill(0);
  for (const uint8_t length : lengths) {
    ++code.counts[length];
  }
  int left = 1;
  for (int length = 1; length <= kLongestCode; ++length) {
    left = left * 2 - code.counts[length];
    if (left < 0) {
      return left;
    }
  }
  std::array<uint16_t, kLongestCode + 1> next{};
  for (int length = 1; length < kLongestCode; ++length) {
    next[length + 1] = static_cast<uint16_t>(next[length] + code.counts[length]);
  }
  for (size_t symbol = 0; symbol < lengths.size(); ++symbol) {
    if (lengths[symbol] != 0) {
      code.symbols[next[lengths[symbol]]++] = static_cast<uint16_t>(symbol);
    }
  }
  return left;
}

// A literal/length or distance code must be complete, or be a single code of one bit.
void CheckCode(const Code& code, int left, size_t symbols) {
  if (left < 0 || (left > 0 && code.counts[0] + code.counts[1] != symbols)) {
    throw InflateError("its code lengths do not make a code");
  }
}

int Decode(BitReader& bits, const Code& code) {
  int value = 0;  // the bits read so far, first bit highest
  int first = 0;  // the first code of the current length
  int index = 0;  // where the symbols of the current length start
  for (int length = 1; length <= kLongestCode; ++length) {
    value |= static_cast<int>(bits.Take(1));
    const int count = code.counts[length];
    if (value - first < count) {
      return code.symbols[static_cast<size_t>(index + value - first)];
    }
    index += count;
    first = (first + count) << 1;
    value <<= 1;
  }
  throw InflateError("it holds a code that its table does not have");
}

void Stored(BitReader& bits, Output& out) {
  bits.ToByte();
  const uint32_t length = bits.NextByte() | (static_cast<uint32_t>(bits.NextByte()) << 8);
  const uint32_t check = bits.NextByte() | (static_cast<uint32_t>(bits.NextByte()) << 8);
  if ((length ^ check) != 0xffff) {
    throw InflateError("a stored block's length does not match its complement");
  }
  out.Append(bits.NextBytes(length));
}

void Codes(BitReader& bits, Output& out, const Code& literals, const Code& distances) {
  for (;;) {
    int symbol = Decode(bits, literals);
    if (symbol < kEndOfBlock) {
      out.Put(static_cast<uint8_t>(symbol));
      continue;
    }
    if (symbol == kEndOfBlock) {
      return;
    }
    symbol -= kEndOfBlock + 1;
    if (static_cast<size_t>(symbol) >= kLengthBase.size()) {
      throw InflateError("it holds a length code that deflate does not have");
    }
    const size_t length = kLengthBase[symbol] + bits.Take(kLengthExtra[symbol]);
    // Below 30: the fixed code has 30 distances, a dynamic one at most as many.
    const auto place = static_cast<size_t>(Decode(bits, distances));
    out.Repeat(kDistanceBase[place] + bits.Take(kDistanceExtra[place]), length);
  }
}

void Fixed(BitReader& bits, Output& out) {
  static const auto codes = [] {
    std::array<uint8_t, kLiteralCodes + kDistanceCodes> lengths{};
    std::fill(lengths.begin(), lengths.begin() + 144, 8);
    std::fill(lengths.begin() + 144, lengths.begin() + 256, 9);
    std::fill(lengths.begin() + 256, lengths.begin() + 280, 7);
    std::fill(lengths.begin() + 280, lengths.begin() + kLiteralCodes, 8);
    std::fill(lengths.begin() + kLiteralCodes, lengths.end(), 5);
    std::array<Code, 2> built;
    Build(built[0], std::span(lengths).first(kLiteralCodes));
    Build(built[1], std::span(lengths).subspan(kLiteralCodes));
    return built;
  }();
  Codes(bits, out, codes[0], codes[1]);
}

void Dynamic(BitReader& bits, Output& out) {
  const size_t literalCount = bits.Take(5) + 257;
  const size_t distanceCount = bits.Take(5) + 1;
  const size_t lengthCount = bits.Take(4) + 4;
  if (literalCount > kDynamicLiteralCodes || distanceCount > kDistanceCodes) {
    throw InflateError("a block counts more codes than deflate has");
  }
  std::array<uint8_t, kLengthCodes> lengthLengths{};
  for (size_t i = 0; i < lengthCount; ++i) {
    lengthLengths[kLengthOrder[i]] = static_cast<uint8_t>(bits.Take(3));
  }
  Code lengthCode;
  if (Build(lengthCode, lengthLengths) != 0) {
    throw InflateError("its code lengths do not make a code");
  }

  std::array<uint8_t, kDynamicLiteralCodes + kDistanceCodes> lengths{};
  const size_t total = literalCount + distanceCount;
  size_t given = 0;
  while (given < total) {
    const int symbol = Decode(bits, lengthCode);
    if (symbol < 16) {
      lengths[given++] = static_cast<uint8_t>(symbol);
      continue;
    }
    uint8_t repeated = 0;
    size_t times = 0;
    if (symbol == 16) {
      if (given == 0) {
        throw InflateError("it repeats a code length before the first");
      }
      repeated = lengths[given - 1];
      times = 3 + bits.Take(2);
    } else if (symbol == 17) {
      times = 3 + bits.Take(3);
    } else {
      times = 11 + bits.Take(7);
    }
    if (times > total - given) {
      throw InflateError("its code lengths run past the codes");
    }
    std::fill_n(lengths.begin() + static_cast<ptrdiff_t>(given), times, repeated);
    given += times;
  }
  if (lengths[kEndOfBlock] == 0) {
    throw InflateError("a block has no code for its end");
  }
  const std::span<const uint8_t> all(lengths.data(), total);
  Code literals;
  CheckCode(literals, Build(literals, all.first(literalCount)), literalCount);
  Code distances;
  CheckCode(distances, Build(distances, all.subspan(literalCount)), distanceCount);
  Codes(bits, out, literals, distances);
}

uint32_t Adler32(std::string_view bytes) {
  constexpr uint32_t kModulus = 65521;
  // The most bytes whose sums cannot overflow 32 bits before they are reduced.
  constexpr size_t kRun = 5552;
  uint32_t a = 1;
  uint32_t b = 0;
  while (!bytes.empty()) {
    const size_t run = std::min(kRun, bytes.size());
    for (const char c : bytes.substr(0, run)) {
      a += static_cast<uint8_t>(c);
      b += a;
    }
    a %= kModulus;
    b %= kModulus;
    bytes.remove_prefix(run);
  }
  return (b << 16) | a;
}

}  // namespace

std::string InflateZlib(std::string_view stream, size_t limit) {
  BitReader bits(stream);
  const uint8_t method = bits.NextByte();
  const uint8_t flags = bits.NextByte();
  if ((method * 256u + flags) % 31 != 0) {
    throw InflateError("its header is not zlib's");
  }
  if ((method & 0x0f) != 8) {
    throw InflateError("it is not compressed with deflate");
  }
  if ((method >> 4) > 7) {
    throw InflateError("its window is larger than deflate has");
  }
  if ((flags & 0x20) != 0) {
    throw InflateError("it needs a preset dictionary");
  }

  Output out(limit);
  bool last = false;
  while (!last) {
    last = bits.Take(1) == 1;
    switch (bits.Take(2)) {
      case 0:
        Stored(bits, out);
        break;
      case 1:
        Fixed(bits, out);
        break;
      case 2:
        Dynamic(bits, out);
        break;
      default:
        throw InflateError("a block has the reserved type");
    }
  }

  bits.ToByte();
  uint32_t checksum = 0;
  for (int i = 0; i < 4; ++i) {
    checksum = (checksum << 8) | bits.NextByte();
  }
  if (checksum != Adler32(out.Bytes())) {
    throw InflateError("its checksum does not match");
  }
  if (!bits.AtEnd()) {
    throw InflateError("bytes follow its end");
  }
  return out.Take();
}

}  // namespace zentor

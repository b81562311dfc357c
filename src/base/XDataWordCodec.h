#pragma once
// The stored form of extended data, shared by the engine that keeps it and the library that reads
// and writes it: a stream of 32-bit words holding one block per application.
//
//   10000, '{'            block start (the brace byte in the lowest byte of its word)
//   10010, N, N words     application name, bytes in memory order, zero-padded
//   10001, value          integer
//   10002, value          32-bit pattern of a single-precision real
//   10003, W, W words     string of up to 4*W bytes, zero-padded (no NUL when it fills them)
//   10099, '}'            block end
//
// Drawings made elsewhere carry this form, so it is written word for word as shown.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include <ckw/HostEngine.h>

namespace ckw::xdata {

using Word = std::int32_t;
using Words = std::vector<Word>;

inline constexpr Word kBlockStart = 10000;
inline constexpr Word kAppName = 10010;
inline constexpr Word kIntegerCode = 10001;
inline constexpr Word kRealCode = 10002;
inline constexpr Word kStringCode = 10003;
inline constexpr Word kBlockEnd = 10099;
inline constexpr Word kStartBrace = '{';
inline constexpr Word kEndBrace = '}';
// The same values as DXF groups, where drawings exchanged with other programs carry them.
inline constexpr int kDxfString = 1000;
inline constexpr int kDxfAppName = 1001;
inline constexpr int kDxfReal = 1040;
inline constexpr int kDxfDistance = 1041;
inline constexpr int kDxfScale = 1042;
inline constexpr int kDxfInteger = 1070;
inline constexpr int kDxfLong = 1071;
// Start pair, name pair and end pair.
inline constexpr std::size_t kFramingWords = 6;
// Longest single block.
inline constexpr std::size_t kMaxBlockWords = 8192;
// Longest stream the engine accepts (and every receiving buffer holds).
inline constexpr std::size_t kMaxStreamWords = kHostXDataWords;

// Byte packing of names and strings: first byte in the lowest byte of the first word.
void PackBytes(std::string_view bytes, std::size_t wordCount, Words& out);
std::string UnpackBytes(std::span<const Word> words);

struct ParsedItem {
    short type = 0;             // kIntegerCode, kRealCode or kStringCode
    Word value = 0;             // integer, or the bit pattern of the real
    std::string text;           // string: its bytes up to the first NUL
    std::size_t textWords = 0;  // string: the words it was stored in
};

struct ParsedBlock {
    std::string name;  // the stored name up to its first NUL, as stored
    std::vector<ParsedItem> items;
    std::size_t nameWords = 0;  // the words the name was stored in
};

// The one walk over a word stream. Whatever the words say (unknown codes, counts larger than what
// is left, missing end markers) it never reads past the stream it is given.
//
// It looks word by word for block starts (10000 and a word whose lowest byte is '{'). For each
// start, `wanted` is asked with the block's name whether its values are read; a block that is
// not wanted is passed over behind its name. A wanted block that reads cleanly up to its end
// marker goes to `take`, which returns false to end the walk. A damaged block (an unknown code, a
// count past the end, no end marker) is dropped and the walk goes on at the word where the damage
// showed.
void ScanBlocks(std::span<const Word> stream, const std::function<bool(const std::string& name)>& wanted,
                const std::function<bool(ParsedBlock&& block)>& take);

// The application names of the stream's blocks, in stream order.
std::vector<std::string> ApplicationNames(std::span<const Word> stream);

}  // namespace ckw::xdata

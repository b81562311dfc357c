#pragma once
// The stored form of extended data: a stream of 32-bit words holding one block per application.
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
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "HostEngine.h"
#include "XDataUtil.h"

namespace ckw::xdata {

using Word = std::int32_t;
using Words = std::vector<Word>;

inline constexpr Word kBlockStart = 10000;
inline constexpr Word kAppName = 10010;
inline constexpr Word kBlockEnd = 10099;
inline constexpr Word kStartBrace = '{';
inline constexpr Word kEndBrace = '}';
inline constexpr std::size_t kFramingWords = 6;
// Longest single block.
inline constexpr std::size_t kMaxBlockWords = 8192;
// Longest stream the engine accepts (and every receiving buffer holds).
inline constexpr std::size_t kMaxStreamWords = kHostXDataWords;

// How many words an application name takes. The entity writers keep at least one NUL byte in
// the name (floor(L/4) + 1); the others pack it tightly (ceil(L/4)). The two forms of a name
// whose length is a multiple of 4 therefore differ by one word.
enum class NameWords { Packed, WithNul };

std::size_t NameWordCount(std::size_t nameLength, NameWords rule);
// Words an item takes; 0 for a null record or an unknown type code (such items are left out).
std::size_t ItemWordCount(const XData_Resbuf_* item);
std::size_t BlockWordCount(std::string_view name, const XDataItemList& items, NameWords rule);

// The block's words; the caller has checked its size.
Words EncodeBlock(std::string_view name, const XDataItemList& items, NameWords rule);
// Several blocks in one stream, each name in the words its rule gives (packed unless a block
// keeps the form it was stored in). Stops before the block that would take the stream past what
// the engine accepts and returns how many blocks it took; -1 when a block met before stopping is
// too large on its own (then `stream` is left empty).
struct NamedItems {
    std::string_view name;
    const XDataItemList* items;
    NameWords rule = NameWords::Packed;
};
int EncodeBlocks(std::span<const NamedItems> blocks, Words& stream);

// Start pair, name pair and name words: what identifies an application's block when writing.
inline std::span<const Word> BlockHeader(std::span<const Word> block) {
    return block.first(4 + static_cast<std::size_t>(block[3]));
}

// The first complete block of the stream whose header equals `header` word for word:
// [first, last) positions. Streams of 6 words or fewer are not searched.
struct Range {
    std::size_t first;
    std::size_t last;
};
std::optional<Range> FindBlockByHeader(std::span<const Word> stream, std::span<const Word> header);

// The stream with the block of the same application (by header) removed and `block` appended:
// a rewritten block moves to the end, the others keep their words and order.
Words ReplaceBlock(std::span<const Word> stream, std::span<const Word> block);

// Byte packing of names and strings: first byte in the lowest byte of the first word.
void PackBytes(std::string_view bytes, std::size_t wordCount, Words& out);
std::string UnpackBytes(std::span<const Word> words);

}  // namespace ckw::xdata

#pragma once
// Writing extended-data blocks from item lists; the word layout and the codes are in
// base/XDataWordCodec.h.
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include <ckw/XDataUtil.h>

#include "base/XDataWordCodec.h"

namespace ckw::xdata {

static_assert(kXDataInteger == kIntegerCode && kXDataReal == kRealCode && kXDataString == kStringCode);

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
    assert(block.size() >= 4 && block[3] >= 0 && 4 + static_cast<std::size_t>(block[3]) <= block.size());
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

}  // namespace ckw::xdata

#pragma once
// The one reader of extended-data word streams. Whatever the words say (unknown codes, counts
// larger than what is left, missing end markers) it never reads past the stream it is given.
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "XDataWords.h"

namespace ckw::xdata {

struct ParsedItem {
    short type = 0;
    Word value = 0;           // integer, or the bit pattern of the real
    std::string text;         // string: its bytes up to the first NUL
    std::size_t textWords = 0;  // string: the words it was stored in
};

struct ParsedBlock {
    std::string name;  // the stored name up to its first NUL, as stored
    std::vector<ParsedItem> items;
    std::size_t nameWords = 0;  // the words the name was stored in
};

// Walks the stream word by word looking for block starts (10000 and a word whose lowest byte is
// '{'). For each start, `wanted` is asked with the block's name whether its values are read; a
// block that is not wanted is passed over behind its name. A wanted block that reads cleanly up
// to its end marker goes to `take`, which returns false to end the walk. A damaged block (an
// unknown code, a count past the end, no end marker) is dropped and the walk goes on at the word
// where the damage showed.
void ScanBlocks(std::span<const Word> stream, const std::function<bool(const std::string& name)>& wanted,
                const std::function<bool(ParsedBlock&& block)>& take);

// The first complete block whose name, upper-cased without trailing blanks, equals nameKey.
std::optional<ParsedBlock> FindBlock(std::span<const Word> stream, std::string_view nameKey);

// Every complete block, in stored order.
std::vector<ParsedBlock> ReadAllBlocks(std::span<const Word> stream);

}  // namespace ckw::xdata

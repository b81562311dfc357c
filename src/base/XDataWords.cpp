#include "base/XDataWords.h"

#include <bit>
#include <cassert>
#include <cstring>

namespace ckw::xdata {

namespace {

std::string_view StringOf(const XData_Resbuf_& item) {
    return item.resval.pString ? std::string_view(item.resval.pString) : std::string_view();
}

std::size_t WordsFor(std::size_t bytes) { return (bytes + 3) / 4; }

}  // namespace

std::size_t NameWordCount(std::size_t nameLength, NameWords rule) {
    return rule == NameWords::Packed ? WordsFor(nameLength) : nameLength / 4 + 1;
}

std::size_t ItemWordCount(const XData_Resbuf_* item) {
    if (!item) return 0;
    switch (item->restype) {
    case kXDataInteger:
    case kXDataReal:
        return 2;
    case kXDataString:
        return 2 + WordsFor(StringOf(*item).size());
    default:
        return 0;
    }
}

std::size_t BlockWordCount(std::string_view name, const XDataItemList& items, NameWords rule) {
    std::size_t total = kFramingWords + NameWordCount(name.size(), rule);
    for (const XData_Resbuf_* item : items) total += ItemWordCount(item);
    return total;
}

Words EncodeBlock(std::string_view name, const XDataItemList& items, NameWords rule) {
    Words out;
    out.reserve(BlockWordCount(name, items, rule));
    std::size_t nameWords = NameWordCount(name.size(), rule);
    out.insert(out.end(), {kBlockStart, kStartBrace, kAppName, static_cast<Word>(nameWords)});
    PackBytes(name, nameWords, out);
    for (const XData_Resbuf_* item : items) {
        if (!item) continue;
        switch (item->restype) {
        case kXDataInteger:
            out.insert(out.end(), {kXDataInteger, item->resval.nInt});
            break;
        case kXDataReal:
            out.insert(out.end(), {kXDataReal, std::bit_cast<Word>(item->resval.fReal)});
            break;
        case kXDataString: {
            std::string_view text = StringOf(*item);
            std::size_t words = WordsFor(text.size());
            out.insert(out.end(), {kXDataString, static_cast<Word>(words)});
            PackBytes(text, words, out);
            break;
        }
        default:
            break;
        }
    }
    out.insert(out.end(), {kBlockEnd, kEndBrace});
    // The size checks before writing count with BlockWordCount: it must say what is written.
    assert(out.size() == BlockWordCount(name, items, rule));
    return out;
}

int EncodeBlocks(std::span<const NamedItems> blocks, Words& stream) {
    stream.clear();
    int taken = 0;
    for (const NamedItems& block : blocks) {
        std::size_t size = BlockWordCount(block.name, *block.items, block.rule);
        if (size > kMaxBlockWords) {
            stream.clear();
            return -1;
        }
        if (stream.size() + size > kMaxStreamWords) break;
        Words words = EncodeBlock(block.name, *block.items, block.rule);
        stream.insert(stream.end(), words.begin(), words.end());
        ++taken;
    }
    return taken;
}

std::optional<Range> FindBlockByHeader(std::span<const Word> stream, std::span<const Word> header) {
    const std::size_t n = stream.size();
    if (n <= kFramingWords) return std::nullopt;
    for (std::size_t p = 0; p + 1 < n; ++p) {
        if (stream[p] != kBlockStart || stream[p + 1] != kStartBrace) continue;
        bool same = true;
        // A header cut short by the end of the stream compares as far as it goes.
        for (std::size_t k = 0; k < header.size() && p + k < n; ++k) {
            if (stream[p + k] != header[k]) {
                same = false;
                break;
            }
        }
        if (!same) continue;
        for (std::size_t q = p; q + 1 < n; ++q) {
            if (stream[q] == kBlockEnd && stream[q + 1] == kEndBrace) return Range{p, q + 2};
        }
        // No end marker behind p, so none behind any later candidate either.
        return std::nullopt;
    }
    return std::nullopt;
}

Words ReplaceBlock(std::span<const Word> stream, std::span<const Word> block) {
    Words out(stream.begin(), stream.end());
    if (auto old = FindBlockByHeader(stream, BlockHeader(block)))
        out.erase(out.begin() + static_cast<std::ptrdiff_t>(old->first),
                  out.begin() + static_cast<std::ptrdiff_t>(old->last));
    out.insert(out.end(), block.begin(), block.end());
    return out;
}

}  // namespace ckw::xdata

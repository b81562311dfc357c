#include "XDataWords.h"

#include <bit>
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

void PackBytes(std::string_view bytes, std::size_t wordCount, Words& out) {
    for (std::size_t w = 0; w < wordCount; ++w) {
        std::uint32_t word = 0;
        for (std::size_t b = 0; b < 4; ++b) {
            std::size_t i = w * 4 + b;
            if (i < bytes.size()) word |= std::uint32_t(static_cast<unsigned char>(bytes[i])) << (8 * b);
        }
        out.push_back(static_cast<Word>(word));
    }
}

std::string UnpackBytes(std::span<const Word> words) {
    std::string bytes;
    bytes.reserve(words.size() * 4);
    for (Word w : words) {
        auto word = static_cast<std::uint32_t>(w);
        for (int b = 0; b < 4; ++b) bytes.push_back(static_cast<char>((word >> (8 * b)) & 0xFF));
    }
    return bytes;
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

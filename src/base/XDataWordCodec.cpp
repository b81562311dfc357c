#include "base/XDataWordCodec.h"

#include <optional>

namespace ckw::xdata {

namespace {

bool LowByteIs(Word word, Word c) { return (static_cast<std::uint32_t>(word) & 0xFF) == static_cast<std::uint32_t>(c); }

std::string UpToNul(std::string bytes) {
    bytes.resize(std::string_view(bytes.c_str()).size());
    return bytes;
}

// Reads the values of a block from position r. Returns the position behind its end marker, or
// nothing with r left at the word where the block turned out damaged.
std::optional<std::size_t> ReadItems(std::span<const Word> s, std::size_t& r, std::vector<ParsedItem>& items) {
    const std::size_t n = s.size();
    while (r + 1 < n) {
        const Word code = s[r];
        const Word value = s[r + 1];
        if (code == kBlockEnd && LowByteIs(value, kEndBrace)) return r + 2;
        if (code == kIntegerCode || code == kRealCode) {
            items.push_back({static_cast<short>(code), value, {}, 0});
            r += 2;
        } else if (code == kStringCode && value >= 0 && static_cast<std::size_t>(value) <= n - (r + 2)) {
            auto words = static_cast<std::size_t>(value);
            items.push_back({static_cast<short>(kStringCode), 0, UpToNul(UnpackBytes(s.subspan(r + 2, words))), words});
            r += 2 + words;
        } else {
            return std::nullopt;
        }
    }
    return std::nullopt;
}

}  // namespace

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

void ScanBlocks(std::span<const Word> s, const std::function<bool(const std::string& name)>& wanted,
                const std::function<bool(ParsedBlock&& block)>& take) {
    const std::size_t n = s.size();
    std::size_t p = 0;
    while (p + 1 < n) {
        if (s[p] != kBlockStart || !LowByteIs(s[p + 1], kStartBrace)) {
            ++p;
            continue;
        }
        const std::size_t q = p + 2;  // where the name pair belongs
        if (q + 1 >= n) return;
        if (s[q] != kAppName) {
            p = q;
            continue;
        }
        const Word nameWords = s[q + 1];
        if (nameWords < 0 || static_cast<std::size_t>(nameWords) > n - (q + 2)) {
            p = q + 2;
            continue;
        }
        std::size_t r = q + 2 + static_cast<std::size_t>(nameWords);
        ParsedBlock block{UpToNul(UnpackBytes(s.subspan(q + 2, static_cast<std::size_t>(nameWords)))),
                          {},
                          static_cast<std::size_t>(nameWords)};
        if (!wanted(block.name)) {
            p = r;
            continue;
        }
        auto end = ReadItems(s, r, block.items);
        if (!end) {
            p = r;
            continue;
        }
        if (!take(std::move(block))) return;
        p = *end;
    }
}

std::vector<std::string> ApplicationNames(std::span<const Word> stream) {
    std::vector<std::string> names;
    ScanBlocks(
        stream,
        [&](const std::string& name) {
            names.push_back(name);
            return false;
        },
        [](ParsedBlock&&) { return true; });
    return names;
}

}  // namespace ckw::xdata

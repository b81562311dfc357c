#pragma once
// Lookup of list entries by a normalised name: keys are normalised once when a table is loaded,
// and the first entry in list order that carries a key is the one found.
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

#include "base/GbkText.h"

namespace ckw::drawpara {

class NameIndex {
public:
    void Clear() { m_first.clear(); }
    // Room for this many keys, so that a list is indexed without growing the table on the way.
    void Reserve(size_t keys) { m_first.reserve(keys); }
    // Keeps the earliest position for a key: add entries in list order.
    void Add(std::string key, int position) { m_first.try_emplace(std::move(key), position); }
    // The position of the first entry with this key, or -1.
    int Find(std::string_view key) const {
        auto it = m_first.find(key);
        return it == m_first.end() ? -1 : it->second;
    }
    // The same for a caller's text that NameKey would normalise to the key (letter case and
    // trailing blanks do not count). Queries come at every drawn entity: the key is hashed and
    // compared as the text is walked, never made.
    int FindName(std::string_view text) const {
        auto it = m_first.find(Name(text));
        return it == m_first.end() ? -1 : it->second;
    }

private:
    // A caller's text, read as its NameKey: ASCII letters of single-byte characters upper-cased,
    // trailing blanks left out.
    struct Name {
        explicit Name(std::string_view raw) : text(raw) {
            for (size_t i = 0; i < raw.size();) {
                const size_t n = CharLength(raw, i);
                if (!(n == 1 && IsBlank(raw[i]))) length = i + n;
                i += n;
            }
        }
        // Calls take(byte) for each byte of the key, in order.
        template <typename Take>
        void ForEachByte(Take take) const {
            for (size_t i = 0; i < length;) {
                const size_t n = CharLength(text, i);
                if (n == 1) {
                    const char c = text[i];
                    take(c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c);
                } else {
                    for (size_t k = 0; k < n; ++k) take(text[i + k]);
                }
                i += n;
            }
        }
        // Bytes below 0x81 are characters of their own in GBK: most names are walked without a call.
        static size_t CharLength(std::string_view s, size_t i) {
            return static_cast<unsigned char>(s[i]) < 0x81 ? 1 : ckw::text::CharLength(s, i);
        }
        static bool IsBlank(char c) {
            return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
        }

        std::string_view text;
        size_t length = 0;  // of the text up to its last character that is not a blank
    };
    // FNV-1a over the key's bytes, so that a stored key and a text walked byte by byte hash alike.
    struct Hash {
        using is_transparent = void;
        static constexpr uint64_t kBasis = 14695981039346656037ull, kPrime = 1099511628211ull;
        static void Mix(uint64_t& h, char c) { h = (h ^ static_cast<unsigned char>(c)) * kPrime; }
        size_t operator()(std::string_view key) const {
            uint64_t h = kBasis;
            for (char c : key) Mix(h, c);
            return static_cast<size_t>(h);
        }
        size_t operator()(const Name& name) const {
            uint64_t h = kBasis;
            name.ForEachByte([&h](char c) { Mix(h, c); });
            return static_cast<size_t>(h);
        }
    };
    struct Equal {
        using is_transparent = void;
        bool operator()(std::string_view a, std::string_view b) const { return a == b; }
        bool operator()(const Name& name, std::string_view key) const {
            // Upper-casing keeps every byte count, so the key's length is the text's.
            if (key.size() != name.length) return false;
            size_t at = 0;
            bool same = true;
            name.ForEachByte([&](char c) { same = same && key[at++] == c; });
            return same;
        }
        bool operator()(std::string_view key, const Name& name) const { return (*this)(name, key); }
    };
    std::unordered_map<std::string, int, Hash, Equal> m_first;
};

}  // namespace ckw::drawpara

#include "base/GbkText.h"

#include <iconv.h>

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>
#include <vector>

namespace ckw::text {
namespace {

bool IsLead(unsigned char c) { return c >= 0x81 && c <= 0xFE; }

bool IsWhite(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

const iconv_t kNoConverter = reinterpret_cast<iconv_t>(-1);

// Opening a converter costs far more than a short conversion, and every name and value read
// from a database is converted, so each thread keeps the converters it has opened. Conversions
// made while the thread ends (destructors of globals) open a converter of their own.
class Converter {
public:
    Converter(const char* to, const char* from) {
        struct Cache {
            struct Entry {
                std::string to, from;
                iconv_t cd;
            };
            std::vector<Entry> entries;
            ~Cache() {
                cacheAlive = false;
                for (Entry& e : entries)
                    if (e.cd != kNoConverter) iconv_close(e.cd);
            }
        };
        thread_local Cache cache;
        if (!cacheAlive) {
            m_cd = iconv_open(to, from);
            m_owned = true;
            return;
        }
        for (Cache::Entry& e : cache.entries) {
            if (e.to == to && e.from == from) {
                if (e.cd != kNoConverter) iconv(e.cd, nullptr, nullptr, nullptr, nullptr);  // initial state
                m_cd = e.cd;
                return;
            }
        }
        m_cd = iconv_open(to, from);
        // A converter that did not open (its module could not be loaded) is tried again next time.
        if (m_cd != kNoConverter) cache.entries.push_back({to, from, m_cd});
    }
    ~Converter() {
        if (m_owned && m_cd != kNoConverter) iconv_close(m_cd);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    iconv_t get() const { return m_cd; }

private:
    static thread_local inline bool cacheAlive = true;
    iconv_t m_cd = kNoConverter;
    bool m_owned = false;
};

bool IsAscii(std::string_view s) {
    for (char c : s)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

// Converts with iconv, replacing every sequence it cannot read by `replacement` and going on.
std::string Convert(std::string_view in, const char* to, const char* from, std::string_view replacement,
                    size_t (*skip)(std::string_view, size_t), size_t* replaced = nullptr) {
    // ASCII reads the same in all three encodings.
    if (IsAscii(in)) return std::string(in);
    Converter converter(to, from);
    iconv_t cd = converter.get();
    // Passing the text on unconverted would store one encoding's bytes as the other's.
    if (cd == kNoConverter)
        throw ConversionUnavailable(std::string("cannot convert text from ") + from + " to " + to + ": " +
                                    std::strerror(errno));
    std::string out;
    out.reserve(in.size() * 3 / 2 + 4);
    size_t pos = 0;
    char buffer[1024];
    while (pos < in.size()) {
        char* src = const_cast<char*>(in.data() + pos);
        size_t srcLeft = in.size() - pos;
        char* dst = buffer;
        size_t dstLeft = sizeof buffer;
        size_t rc = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
        out.append(buffer, static_cast<size_t>(dst - buffer));
        pos = in.size() - srcLeft;
        if (rc == static_cast<size_t>(-1) && errno != E2BIG) {
            out.append(replacement);
            if (replaced) ++*replaced;
            pos += skip(in, pos);
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
        }
    }
    return out;
}

size_t SkipGbk(std::string_view s, size_t i) { return CharLength(s, i); }

size_t SkipUtf8(std::string_view s, size_t i) {
    size_t n = 1;
    while (i + n < s.size() && (static_cast<unsigned char>(s[i + n]) & 0xC0) == 0x80) ++n;
    return n;
}

template <typename Fn>
std::string MapAscii(std::string_view s, Fn fn) {
    std::string out(s);
    for (size_t i = 0; i < out.size();) {
        size_t n = CharLength(out, i);
        if (n == 1) out[i] = fn(out[i]);
        i += n;
    }
    return out;
}

}  // namespace

size_t CharLength(std::string_view s, size_t i) {
    auto at = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
    if (i >= s.size() || !IsLead(at(i))) return 1;
    if (i + 1 >= s.size()) return 1;
    unsigned char b2 = at(i + 1);
    if ((b2 >= 0x40 && b2 <= 0x7E) || (b2 >= 0x80 && b2 <= 0xFE)) return 2;
    if (b2 >= 0x30 && b2 <= 0x39 && i + 3 < s.size() && IsLead(at(i + 2)) && at(i + 3) >= 0x30 && at(i + 3) <= 0x39)
        return 4;
    return 1;
}

std::string GbkToUtf8(std::string_view gbk) { return Convert(gbk, "UTF-8", "GB18030", "\xEF\xBF\xBD", SkipGbk); }

std::string Utf8ToGbk(std::string_view utf8) { return Convert(utf8, "GB18030", "UTF-8", "?", SkipUtf8); }

std::string Utf8ToStrictGbk(std::string_view utf8, size_t& replaced) {
    return Convert(utf8, "GBK", "UTF-8", "?", SkipUtf8, &replaced);
}

std::string CodePageToUtf8(std::string_view bytes, const char* codePage) {
    // A single-byte code page has no sequences to step over.
    return Convert(bytes, "UTF-8", codePage, "\xEF\xBF\xBD", [](std::string_view, size_t) -> size_t { return 1; });
}

std::string ToUpper(std::string_view gbk) {
    return MapAscii(gbk, [](char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; });
}

std::string ToLower(std::string_view gbk) {
    return MapAscii(gbk, [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; });
}

std::string TrimRight(std::string_view gbk) {
    // Walk forward so that a trail byte equal to a blank is never mistaken for one.
    size_t keep = 0;
    for (size_t i = 0; i < gbk.size();) {
        size_t n = CharLength(gbk, i);
        if (!(n == 1 && IsWhite(gbk[i]))) keep = i + n;
        i += n;
    }
    return std::string(gbk.substr(0, keep));
}

std::string TrimLeft(std::string_view gbk) {
    size_t i = 0;
    while (i < gbk.size() && IsWhite(gbk[i])) ++i;
    return std::string(gbk.substr(i));
}

bool CopyToBuffer(std::string_view text, char* buffer, size_t capacity) {
    if (!buffer || capacity == 0) return text.empty();
    // A text that fits whole is copied without walking its characters.
    size_t len = text.size() < capacity ? text.size() : 0;
    while (len < text.size()) {
        size_t n = CharLength(text, len);
        if (len + n > capacity - 1) break;
        len += n;
    }
    std::memcpy(buffer, text.data(), len);
    buffer[len] = '\0';
    return len == text.size();
}

double ParseNumber(std::string_view text, size_t* used) {
    size_t i = 0;
    while (i < text.size() && std::strchr(" \t\n\r\f\v", text[i]) && text[i] != '\0') ++i;
    // from_chars takes a '-' but no '+'.
    if (i + 1 < text.size() && text[i] == '+' && text[i + 1] != '-' && text[i + 1] != '+') ++i;
    const char* first = text.data() + i;
    const char* last = text.data() + text.size();
    double value = 0;
    auto [end, error] = std::from_chars(first, last, value);
    if (error == std::errc::result_out_of_range) {
        // As strtod: too large is infinite, too small is zero (both with their sign).
        std::string_view number(first, static_cast<size_t>(end - first));
        size_t e = number.find_first_of("eE");
        bool tiny = e != std::string_view::npos && e + 1 < number.size() && number[e + 1] == '-';
        value = tiny ? 0.0 : HUGE_VAL;
        if (number.front() == '-') value = -value;
    } else if (error != std::errc()) {
        if (used) *used = 0;
        return 0;
    }
    if (used) *used = static_cast<size_t>(end - text.data());
    return value;
}

std::string FormatFixed(double value, int decimals) {
    char buffer[400];
    auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    if (error != std::errc()) return "0";
    return std::string(buffer, end);
}

std::string FormatGeneral(double value, int digits) {
    char buffer[64];
    auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, digits);
    if (error != std::errc()) return "0";
    return std::string(buffer, end);
}

bool IsValidUtf8(std::string_view s) {
    size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        const size_t n = c < 0x80 ? 0 : (c >> 5) == 0x6 ? 1 : (c >> 4) == 0xE ? 2 : (c >> 3) == 0x1E ? 3 : 4;
        if (n == 4 || n >= s.size() - i) return n == 0;
        uint32_t cp = n == 0 ? c : c & (0x3Fu >> n);
        for (size_t k = 1; k <= n; ++k) {
            const auto t = static_cast<unsigned char>(s[i + k]);
            if ((t & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (t & 0x3F);
        }
        static constexpr uint32_t kMin[] = {0, 0x80, 0x800, 0x10000};
        if (cp < kMin[n] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
        i += n + 1;
    }
    return true;
}

}  // namespace ckw::text

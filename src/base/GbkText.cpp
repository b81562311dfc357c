#include "base/GbkText.h"

#include <iconv.h>

#include <cerrno>
#include <cstring>

namespace ckw::text {
namespace {

bool IsLead(unsigned char c) { return c >= 0x81 && c <= 0xFE; }

bool IsWhite(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

const iconv_t kNoConverter = reinterpret_cast<iconv_t>(-1);

// Opening a converter costs far more than a short conversion, and every name and value read
// from a database is converted, so each thread keeps its two converters. Conversions made
// while the thread ends (destructors of globals) open a converter of their own.
class Converter {
public:
    Converter(const char* to, const char* from) {
        struct Cache {
            iconv_t toUtf8 = kNoConverter, toGbk = kNoConverter;
            ~Cache() {
                cacheAlive = false;
                for (iconv_t cd : {toUtf8, toGbk})
                    if (cd != kNoConverter) iconv_close(cd);
            }
        };
        thread_local Cache cache;
        if (!cacheAlive) {
            m_cd = iconv_open(to, from);
            m_owned = true;
            return;
        }
        iconv_t& cd = std::strcmp(to, "UTF-8") == 0 ? cache.toUtf8 : cache.toGbk;
        if (cd == kNoConverter) cd = iconv_open(to, from);
        else iconv(cd, nullptr, nullptr, nullptr, nullptr);  // back to the initial state
        m_cd = cd;
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
                    size_t (*skip)(std::string_view, size_t)) {
    // ASCII reads the same in all three encodings.
    if (IsAscii(in)) return std::string(in);
    Converter converter(to, from);
    iconv_t cd = converter.get();
    if (cd == kNoConverter) return std::string(in);
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
    size_t len = 0;
    while (len < text.size()) {
        size_t n = CharLength(text, len);
        if (len + n > capacity - 1) break;
        len += n;
    }
    std::memcpy(buffer, text.data(), len);
    buffer[len] = '\0';
    return len == text.size();
}

}  // namespace ckw::text

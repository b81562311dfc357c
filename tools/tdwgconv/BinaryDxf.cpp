#include "BinaryDxf.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

namespace tdwg {
namespace {

enum class Value { String, Real, Int16, Int32, Int64, Bool, Binary };

// The value's form by group code.
Value ValueOf(int code) {
    if ((code >= 10 && code <= 59) || (code >= 110 && code <= 149) || (code >= 210 && code <= 239) ||
        (code >= 460 && code <= 469) || (code >= 1010 && code <= 1059))
        return Value::Real;
    if ((code >= 60 && code <= 79) || (code >= 170 && code <= 179) || (code >= 270 && code <= 289) ||
        (code >= 370 && code <= 389) || (code >= 400 && code <= 409) || (code >= 1060 && code <= 1070))
        return Value::Int16;
    if ((code >= 90 && code <= 99) || (code >= 420 && code <= 429) || (code >= 440 && code <= 459) || code == 1071)
        return Value::Int32;
    if (code >= 160 && code <= 169) return Value::Int64;
    if (code >= 290 && code <= 299) return Value::Bool;
    if ((code >= 310 && code <= 319) || code == 1004) return Value::Binary;
    return Value::String;
}

class Cursor {
public:
    explicit Cursor(std::string_view bytes) : m_bytes(bytes) {}
    bool AtEnd() const { return m_at >= m_bytes.size(); }
    template <typename T>
    bool Read(T& value) {
        if (m_bytes.size() - m_at < sizeof(T)) return false;
        std::memcpy(&value, m_bytes.data() + m_at, sizeof(T));  // little-endian, as the machine
        m_at += sizeof(T);
        return true;
    }
    bool ReadString(std::string& s) {
        const size_t end = m_bytes.find('\0', m_at);
        if (end == std::string_view::npos) return false;
        s.assign(m_bytes.substr(m_at, end - m_at));
        m_at = end + 1;
        return true;
    }
    bool ReadBytes(size_t n, std::string_view& s) {
        if (m_bytes.size() - m_at < n) return false;
        s = m_bytes.substr(m_at, n);
        m_at += n;
        return true;
    }

private:
    std::string_view m_bytes;
    size_t m_at = 0;
};

}  // namespace

bool IsBinaryDxf(std::string_view bytes) { return bytes.substr(0, kBinaryDxfSentinel.size()) == kBinaryDxfSentinel; }

bool BinaryDxfToText(std::string_view bytes, std::string& text, std::string& error) {
    text.clear();
    std::string_view body = bytes.substr(kBinaryDxfSentinel.size());
    // R13 and later give codes in two bytes; older files in one (255 announcing two more).
    const bool wideCodes = body.size() >= 2 && body[0] == 0 && body[1] == 0;
    Cursor in(body);
    std::string s;
    char number[40];
    while (!in.AtEnd()) {
        int code = 0;
        if (wideCodes) {
            int16_t c = 0;
            if (!in.Read(c)) break;
            code = c;
        } else {
            uint8_t c = 0;
            if (!in.Read(c)) break;
            code = c;
            if (c == 255) {
                int16_t wide = 0;
                if (!in.Read(wide)) break;
                code = wide;
            }
        }
        bool ok = true;
        switch (ValueOf(code)) {
        case Value::String:
            ok = in.ReadString(s);
            break;
        case Value::Real: {
            double d = 0;
            ok = in.Read(d);
            std::snprintf(number, sizeof number, "%.17g", d);
            s = number;
            break;
        }
        case Value::Int16: {
            int16_t v = 0;
            ok = in.Read(v);
            s = std::to_string(v);
            break;
        }
        case Value::Int32: {
            int32_t v = 0;
            ok = in.Read(v);
            s = std::to_string(v);
            break;
        }
        case Value::Int64: {
            int64_t v = 0;
            ok = in.Read(v);
            s = std::to_string(v);
            break;
        }
        case Value::Bool: {
            uint8_t v = 0;
            ok = in.Read(v);
            s = std::to_string(v);
            break;
        }
        case Value::Binary: {
            uint8_t n = 0;
            std::string_view chunk;
            ok = in.Read(n) && in.ReadBytes(n, chunk);
            s.clear();
            for (unsigned char b : chunk) {
                std::snprintf(number, sizeof number, "%02X", b);
                s += number;
            }
            break;
        }
        }
        if (!ok) {
            error = "damaged file: the binary DXF ends inside a group";
            return false;
        }
        text += std::to_string(code);
        text += '\n';
        text += s;
        text += '\n';
    }
    return true;
}

}  // namespace tdwg

#include "TextDecode.h"

#include <cctype>
#include <cstdlib>

#include "base/GbkText.h"

namespace tdwg {
namespace {

void AppendUtf8(std::string& out, unsigned long cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

bool IsHex(char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; }

}  // namespace

void TextDecoder::SetCodePage(std::string_view codePage) {
    m_names.clear();
    std::string upper;
    for (char c : codePage) upper += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (upper.rfind("ANSI_", 0) == 0 && upper.size() > 5) {
        std::string number = upper.substr(5);
        m_iconvName = number == "936" ? "GBK" : "CP" + number;
    } else if (upper == "GB2312" || upper == "GBK") {
        m_iconvName = "GBK";
    } else if (upper == "UTF-8" || upper == "UTF8") {
        m_utf8 = true;
    }
}

std::string TextDecoder::ToUtf8(std::string_view raw) const {
    if (m_utf8) return std::string(raw);
    return ckw::text::CodePageToUtf8(raw, m_iconvName.c_str());
}

std::string TextDecoder::ToGbk(std::string_view raw) { return Utf8ToGbk(ToUtf8(raw)); }

const std::string& TextDecoder::NameToGbk(const std::string& raw) {
    constexpr size_t kMostNames = 4096;  // beyond this many names the cache starts again empty
    if (auto known = m_names.find(raw); known != m_names.end()) {
        m_unmappable += known->second.second;
        return known->second.first;
    }
    if (m_names.size() >= kMostNames) m_names.clear();
    const size_t before = m_unmappable;
    std::string gbk = ToGbk(raw);
    return m_names.try_emplace(raw, std::move(gbk), m_unmappable - before).first->second.first;
}

std::string TextDecoder::Utf8ToGbk(std::string_view utf8) {
    return ckw::text::Utf8ToStrictGbk(ResolveUnicodeEscapes(utf8), m_unmappable);
}

std::string ResolveUnicodeEscapes(std::string_view s) {
    if (s.find("\\U+") == std::string_view::npos && s.find("\\u+") == std::string_view::npos) return std::string(s);
    std::string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 6 < s.size() && (s[i + 1] == 'U' || s[i + 1] == 'u') && s[i + 2] == '+' &&
            IsHex(s[i + 3]) && IsHex(s[i + 4]) && IsHex(s[i + 5]) && IsHex(s[i + 6])) {
            AppendUtf8(out, std::strtoul(std::string(s.substr(i + 3, 4)).c_str(), nullptr, 16));
            i += 6;
        } else {
            out += s[i];
        }
    }
    return out;
}

std::string ResolvePercentCodes(std::string_view s) {
    if (s.find("%%") == std::string_view::npos) return std::string(s);
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '%' && i + 2 < s.size() && s[i + 1] == '%') {
            char c = static_cast<char>(std::tolower(static_cast<unsigned char>(s[i + 2])));
            if (c == 'c') {
                AppendUtf8(out, 0x2300);
                i += 2;
                continue;
            }  // diameter
            if (c == 'd') {
                AppendUtf8(out, 0xB0);
                i += 2;
                continue;
            }  // degree
            if (c == 'p') {
                AppendUtf8(out, 0xB1);
                i += 2;
                continue;
            }  // plus-minus
            if (c == '%') {
                out += '%';
                i += 2;
                continue;
            }
            if (c == 'u' || c == 'o') {
                i += 2;
                continue;
            }  // under- and overline switches
        }
        out += s[i];
    }
    return out;
}

std::string StripMTextFormatting(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        char c = s[i];
        if (c == '{' || c == '}') continue;
        // Caret codes: ^X is the character 64 below X ("^ " the caret itself). A tab (^I) is
        // a space here, ^J a line break; other control characters have nothing to show.
        if (c == '^' && i + 1 < s.size()) {
            const int code = static_cast<unsigned char>(s[++i]) - 64;
            if (s[i] == ' ')
                out += '^';
            else if (code == '\t')
                out += ' ';
            else if (code == '\n')
                out += '\n';
            else if (code >= 0x20 && code < 0x7F)
                out += static_cast<char>(code);
            continue;
        }
        if (c != '\\' || i + 1 >= s.size()) {
            out += c;
            continue;
        }
        char code = s[++i];
        switch (code) {
        case 'P':
            out += '\n';
            break;
        case '~':
            out += ' ';
            break;
        case '\\':
        case '{':
        case '}':
            out += code;
            break;
        case 'U':
        case 'u':  // \U+XXXX stays for ResolveUnicodeEscapes
            out += '\\';
            out += code;
            break;
        case 'S': {  // stacked text: \Sa^b; \Sa/b; \Sa#b;
            size_t end = s.find(';', i + 1);
            if (end == std::string_view::npos) end = s.size();
            for (size_t k = i + 1; k < end; ++k) out += (s[k] == '^' || s[k] == '#') ? '/' : s[k];
            i = end;
            break;
        }
        case 'L':
        case 'l':
        case 'O':
        case 'o':
        case 'K':
        case 'k':
        case 'N':
            break;
        default: {  // \f..; \H..; \W..; \Q..; \T..; \A..; \C..; \c..; \p..; and unknown codes with a value
            size_t end = s.find(';', i + 1);
            i = end == std::string_view::npos ? s.size() : end;
            break;
        }
        }
    }
    return ResolvePercentCodes(out);
}

}  // namespace tdwg

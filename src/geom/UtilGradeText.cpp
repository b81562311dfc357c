// Reinforcement strings: the drawing font shows the bar grades as one-byte characters 0x82-0x87;
// users and programs write them as the letters A-F. These convert between the two forms.
#include <string>
#include <string_view>

#include <ckw/Util.h>
#include "base/GbkText.h"

namespace {

struct GradePair {
    char letter;
    char symbol;
};

// D and E are not in code order: the font had E's symbol before D's. F pairs with the next free
// code, 0x87.
constexpr GradePair kGrades[] = {
    {'A', '\x82'}, {'B', '\x83'}, {'C', '\x84'}, {'D', '\x86'}, {'E', '\x85'}, {'F', '\x87'},
};

char LetterOf(char symbol) {
    for (const auto& g : kGrades)
        if (g.symbol == symbol) return g.letter;
    return 0;
}

char SymbolOf(char letter) {
    for (const auto& g : kGrades)
        if (g.letter == letter) return g.symbol;
    return 0;
}

// In a dimension string a grade byte is a character of its own, even where the next byte could
// pair with it as GBK (those GBK characters are rare ones that such strings do not hold). Other
// multibyte characters are stepped over whole.
size_t CharLengthInDimString(std::string_view s, size_t i) { return LetterOf(s[i]) ? 1 : ckw::text::CharLength(s, i); }

std::string ToAbc(std::string_view dim) {
    std::string out(dim);
    for (size_t i = 0; i < out.size();) {
        size_t n = CharLengthInDimString(out, i);
        if (n == 1) {
            if (char letter = LetterOf(out[i])) out[i] = letter;
        }
        i += n;
    }
    return out;
}

std::string ToDim(std::string_view abc, char hoopSymbol) {
    std::string upper = ckw::text::ToUpper(abc);
    std::string out;
    out.reserve(upper.size());
    for (size_t i = 0; i < upper.size();) {
        size_t n = ckw::text::CharLength(upper, i);
        char c = upper[i];
        if (n > 1) {
            out.append(upper, i, n);
        } else if (c == '\\' && i + 1 < upper.size() && upper[i + 1] == 'B') {
            out += "\\b";  // the font's escape, which upper-casing turned into "\B"
            ++n;
        } else if (char symbol = SymbolOf(c)) {
            out += symbol;
        } else if (c == '@' || c == '-') {
            out += hoopSymbol;
        } else {
            out += c;
        }
        i += n;
    }
    return out;
}

// The unbounded forms write the whole result, as callers sized their buffers from the input.
void CopyUnbounded(const std::string& text, char* out) {
    if (!out) return;
    text.copy(out, text.size());
    out[text.size()] = '\0';
}

// Only "@" and "-" are signs of stirrup spacing; anything else set earlier falls back to "@".
char CheckedHoopSymbol(CString& symbol) {
    if (!(symbol == "@") && !(symbol == "-")) symbol = "@";
    return symbol.GetAt(0);
}

int CopyBounded(const std::string& text, char* out, int outSize) {
    if (!out || outSize <= 0) return 0;
    return ckw::text::CopyToBuffer(text, out, static_cast<size_t>(outSize)) ? 1 : 0;
}

}  // namespace

void CUtil::SetHoopDistStr(const char* symbol) { m_hoopDistStr = symbol; }

void CUtil::DimStringToAbcString(CString& text, char* out) { CopyUnbounded(ToAbc(text.str()), out); }

int CUtil::DimStringToAbcString(const CString& text, char* out, int outSize) {
    return CopyBounded(ToAbc(text.str()), out, outSize);
}

void CUtil::AbcStringToDimString(CString& text, char* out) {
    CopyUnbounded(ToDim(text.str(), CheckedHoopSymbol(m_hoopDistStr)), out);
}

int CUtil::AbcStringToDimString(const CString& text, char* out, int outSize) {
    return CopyBounded(ToDim(text.str(), CheckedHoopSymbol(m_hoopDistStr)), out, outSize);
}

#pragma once
// Source texts to GBK: code pages of older files, UTF-8 of newer ones, \U+XXXX escapes and the
// formatting codes of multi-line texts. A character GBK cannot hold becomes '?' and is counted.
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>

namespace tdwg {

class TextDecoder {
public:
    // $DWGCODEPAGE ("ANSI_936", "ANSI_1252", ...); files of 2007 and later are UTF-8 whatever it says.
    void SetCodePage(std::string_view codePage);
    void SetUtf8(bool utf8) {
        m_utf8 = utf8;
        m_names.clear();
    }
    // Plain text (names, single-line texts) in the file's encoding, to GBK.
    std::string ToGbk(std::string_view raw);
    // A name every entity carries (its layer, its line type) as ToGbk gives it: each name is
    // converted once, and its unmappable characters are counted at every use as ToGbk counts them.
    const std::string& NameToGbk(const std::string& raw);
    // UTF-8 text to GBK (escapes resolved).
    std::string Utf8ToGbk(std::string_view utf8);
    // Text in the file's encoding to UTF-8 (before formatting codes are removed).
    std::string ToUtf8(std::string_view raw) const;
    long Unmappable() const { return static_cast<long>(m_unmappable); }

private:
    std::string m_iconvName = "CP1252";
    bool m_utf8 = false;
    size_t m_unmappable = 0;
    std::unordered_map<std::string, std::pair<std::string, size_t>> m_names;  // raw -> GBK, unmappable
};

// \U+XXXX escapes to the characters they stand for (UTF-8 in, UTF-8 out).
std::string ResolveUnicodeEscapes(std::string_view utf8);
// A multi-line text's content without its formatting: paragraphs (\P) become line feeds, stacked
// fractions "a/b", groups and font, height, width, colour and similar codes are removed.
std::string StripMTextFormatting(std::string_view utf8);
// %%c, %%d, %%p and %%% of single-line texts as the characters they stand for.
std::string ResolvePercentCodes(std::string_view utf8);

}  // namespace tdwg

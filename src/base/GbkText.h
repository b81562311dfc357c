#pragma once
// The one place that knows about GBK text: conversion at operating-system boundaries (files,
// terminal, SQLite, Qt are UTF-8) and multibyte-aware case and white-space handling.
//
// GBK is decoded as GB18030, its superset: every GBK string reads unchanged, and the four-byte
// sequences of GB18030 are stepped over as one character. A trail byte may look like an ASCII
// letter or a backslash (0x40-0x7E, 0x5C); such bytes are never changed or split.
#include <cstddef>
#include <charconv>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>

namespace ckw::text {

// UTF-8 bytes of a u8"..." literal (C++20 makes those char8_t).
inline std::string U8(std::u8string_view s) { return std::string(s.begin(), s.end()); }

// Byte length of the character starting at s[i] (1, 2 or 4); a broken sequence counts as 1.
size_t CharLength(std::string_view s, size_t i);

// A conversion that cannot be set up (the system's converter module does not load) throws; the
// operation stops rather than keep text in the wrong encoding. Once set up, conversions never
// fail: an invalid sequence becomes '?' (or U+FFFD toward UTF-8).
class ConversionUnavailable : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

std::string GbkToUtf8(std::string_view gbk);
std::string Utf8ToGbk(std::string_view utf8);
// Strict GBK (code page 936) for files other programs read: a character GBK cannot hold becomes
// '?', and `replaced` is raised by one for each.
std::string Utf8ToStrictGbk(std::string_view utf8, size_t& replaced);
// Text in a code page iconv knows ("CP1252", "GBK", ...) to UTF-8; unreadable bytes become U+FFFD.
std::string CodePageToUtf8(std::string_view bytes, const char* codePage);

// Numbers in text, read and written the same whatever the C library's locale (a toolkit may have
// switched it to one that writes decimals with a comma): '.' is the decimal point. ParseNumber
// reads the longest number at the start of text after blanks, as strtod does in the "C" locale,
// and gives 0 when there is none; *used (if given) is how many bytes it took, 0 for none.
double ParseNumber(std::string_view text, size_t* used = nullptr);
// The whole text as one number of type T exactly as a file writes it: no blanks, no '+' ('.' is
// the decimal point whatever the locale; integers in the given base). Nothing when it holds
// anything else or is out of T's range.
template <class T>
std::optional<T> ParseExactNumber(std::string_view text, int base = 10) {
    T value{};
    std::from_chars_result read;
    if constexpr (std::is_integral_v<T>)
        read = std::from_chars(text.data(), text.data() + text.size(), value, base);
    else
        read = std::from_chars(text.data(), text.data() + text.size(), value);
    if (read.ec != std::errc() || read.ptr != text.data() + text.size()) return std::nullopt;
    return value;
}
// The same with blanks around the number and a leading '+' allowed: what a person types into a
// field or on a command line, or a text field of the library holds.
template <class T = double>
std::optional<T> ParseWholeNumber(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t\n\r\f\v");
    if (first == std::string_view::npos) return std::nullopt;
    text = text.substr(first, text.find_last_not_of(" \t\n\r\f\v") - first + 1);
    if (text.size() > 1 && text[0] == '+' && text[1] != '-') text.remove_prefix(1);
    return ParseExactNumber<T>(text);
}
// value with the given number of decimals ("%.Nf" in the "C" locale).
std::string FormatFixed(double value, int decimals);
// value with at most the given number of significant digits ("%.Ng" in the "C" locale).
std::string FormatGeneral(double value, int digits);

// Well-formed UTF-8 (no overlong forms, surrogates or code points past U+10FFFF).
bool IsValidUtf8(std::string_view s);

// ASCII letters are changed; multibyte characters are left as they are.
std::string ToUpper(std::string_view gbk);
std::string ToLower(std::string_view gbk);
// Removes trailing ' ', '\t', '\r', '\n', '\v', '\f' that are whole characters.
std::string TrimRight(std::string_view gbk);
std::string TrimLeft(std::string_view gbk);
inline std::string Trim(std::string_view gbk) { return TrimLeft(TrimRight(gbk)); }
// The comparison key of names: upper-cased, trailing white space removed.
inline std::string NameKey(std::string_view gbk) { return TrimRight(ToUpper(gbk)); }

// Copies text into a caller buffer of capacity bytes (NUL included), cut at a character
// boundary; returns false when it had to cut. capacity 0 writes nothing.
bool CopyToBuffer(std::string_view text, char* buffer, size_t capacity);

}  // namespace ckw::text

#pragma once
/// @file
/// The string of the exported signatures.
#include <cstdarg>
#include <string>
#include <string_view>

#include "CkwExport.h"

/// @addtogroup strings
/// @{

/// An owned GBK byte string, shaped as the drawing programs use it. A null text reads as empty;
/// lengths and positions are in bytes.
class CKW_API CString {
public:
    /// @name Construction
    /// @{

    /// The empty string.
    CString() = default;
    /// A copy of a NUL-terminated text (null: empty).
    CString(const char* text) : m_text(text ? text : "") {}
    /// The first length bytes of text.
    CString(const char* text, int length) : m_text(text ? std::string(text, length > 0 ? length : 0) : std::string()) {}
    /// Takes the bytes of text.
    CString(std::string text) : m_text(std::move(text)) {}
    /// A copy of the bytes of text.
    CString(std::string_view text) : m_text(text) {}
    /// ch repeated.
    CString(char ch, int repeat = 1) : m_text(repeat > 0 ? repeat : 0, ch) {}
    /// @}

    /// @name Content
    /// @{

    /// The length in bytes.
    int GetLength() const { return static_cast<int>(m_text.size()); }
    /// True for the empty string.
    bool IsEmpty() const { return m_text.empty(); }
    /// Makes the string empty.
    void Empty() { m_text.clear(); }
    /// The NUL-terminated text, valid until the string changes.
    operator const char*() const { return m_text.c_str(); }
    /// The NUL-terminated text, valid until the string changes.
    const char* GetString() const { return m_text.c_str(); }
    /// The byte at index; out of range throws std::out_of_range.
    char GetAt(int index) const { return m_text.at(static_cast<size_t>(index)); }
    /// Replaces the byte at index; out of range throws std::out_of_range.
    void SetAt(int index, char ch) { m_text.at(static_cast<size_t>(index)) = ch; }
    /// The bytes.
    const std::string& str() const { return m_text; }
    /// @}

    /// @name Assignment and joining
    /// A null text counts as empty.
    /// @{

    /// Replaces the text.
    CString& operator=(const char* text) {
        m_text = text ? text : "";
        return *this;
    }
    /// Appends other.
    CString& operator+=(const CString& other) {
        m_text += other.m_text;
        return *this;
    }
    /// Appends text.
    CString& operator+=(const char* text) {
        if (text) m_text += text;
        return *this;
    }
    /// Appends one byte.
    CString& operator+=(char ch) {
        m_text += ch;
        return *this;
    }

    /// a followed by b.
    friend CString operator+(const CString& a, const CString& b) { return CString(a.m_text + b.m_text); }
    /// a followed by b.
    friend CString operator+(const CString& a, const char* b) { return CString(a.m_text + (b ? b : "")); }
    /// a followed by b.
    friend CString operator+(const char* a, const CString& b) { return CString((a ? a : "") + b.m_text); }
    /// @}

    /// @name Comparison (bytes, as unsigned char)
    /// @{

    /// Equal bytes.
    friend bool operator==(const CString& a, const CString& b) { return a.m_text == b.m_text; }
    /// Equal bytes.
    friend bool operator==(const CString& a, const char* b) { return a.m_text == (b ? b : ""); }
    /// Byte order.
    friend bool operator<(const CString& a, const CString& b) { return a.m_text < b.m_text; }

    /// Negative, 0 or positive as this string sorts before, with or after other.
    int Compare(const char* other) const { return m_text.compare(other ? other : ""); }
    /// Case-insensitive for ASCII letters only; GBK characters compare by their bytes.
    int CompareNoCase(const char* other) const;
    /// @}

    /// @name Searching and parts
    /// Positions are byte indexes; -1 means not found. Counts past the end are cut to the string.
    /// @{

    /// The first ch at or after start.
    int Find(char ch, int start = 0) const;
    /// The first sub at or after start.
    int Find(const char* sub, int start = 0) const;
    /// The last ch.
    int ReverseFind(char ch) const;
    /// The first count bytes.
    CString Left(int count) const;
    /// From first to the end.
    CString Mid(int first) const;
    /// count bytes from first.
    CString Mid(int first, int count) const;
    /// The last count bytes.
    CString Right(int count) const;
    /// @}

    /// @name Changing
    /// Multibyte-aware: GBK characters are stepped over as a whole and never changed.
    /// @{

    /// ASCII letters to upper case.
    CString& MakeUpper();
    /// ASCII letters to lower case.
    CString& MakeLower();
    /// Removes trailing white space.
    CString& TrimRight();
    /// Removes leading white space.
    CString& TrimLeft();
    /// Removes both.
    CString& Trim() {
        TrimRight();
        return TrimLeft();
    }
    /// Replaces every from by to; returns how many were replaced.
    int Replace(const char* from, const char* to);
    /// @}

    /// @name Formatting and buffers
    /// @{

    /// The text printf writes for format and the arguments.
    void Format(const char* format, ...) __attribute__((format(printf, 2, 3)));
    /// The text vprintf writes for format and args.
    void FormatV(const char* format, va_list args);
    /// Writable buffer of at least minLength bytes; ReleaseBuffer re-reads the length up to the NUL.
    char* GetBuffer(int minLength = 0);
    /// Ends the writes into the buffer: the length becomes newLength, or (-1) the bytes up to the NUL.
    void ReleaseBuffer(int newLength = -1);
    /// @}

private:
    std::string m_text;
};

/// @}

#pragma once
/// MFC-shaped string for the exported signatures: an owned GBK byte string.
#include <cstdarg>
#include <string>
#include <string_view>

#include "CkwExport.h"

class CKW_API CString {
public:
    CString() = default;
    CString(const char* text) : m_text(text ? text : "") {}
    CString(const char* text, int length) : m_text(text ? std::string(text, length > 0 ? length : 0) : std::string()) {}
    CString(std::string text) : m_text(std::move(text)) {}
    CString(std::string_view text) : m_text(text) {}
    CString(char ch, int repeat = 1) : m_text(repeat > 0 ? repeat : 0, ch) {}

    int GetLength() const { return static_cast<int>(m_text.size()); }
    bool IsEmpty() const { return m_text.empty(); }
    void Empty() { m_text.clear(); }
    operator const char*() const { return m_text.c_str(); }
    const char* GetString() const { return m_text.c_str(); }
    char GetAt(int index) const { return m_text.at(static_cast<size_t>(index)); }
    void SetAt(int index, char ch) { m_text.at(static_cast<size_t>(index)) = ch; }

    CString& operator=(const char* text) {
        m_text = text ? text : "";
        return *this;
    }
    CString& operator+=(const CString& other) {
        m_text += other.m_text;
        return *this;
    }
    CString& operator+=(const char* text) {
        if (text) m_text += text;
        return *this;
    }
    CString& operator+=(char ch) {
        m_text += ch;
        return *this;
    }

    friend CString operator+(const CString& a, const CString& b) { return CString(a.m_text + b.m_text); }
    friend CString operator+(const CString& a, const char* b) { return CString(a.m_text + (b ? b : "")); }
    friend CString operator+(const char* a, const CString& b) { return CString((a ? a : "") + b.m_text); }
    friend bool operator==(const CString& a, const CString& b) { return a.m_text == b.m_text; }
    friend bool operator==(const CString& a, const char* b) { return a.m_text == (b ? b : ""); }
    friend bool operator<(const CString& a, const CString& b) { return a.m_text < b.m_text; }

    int Compare(const char* other) const { return m_text.compare(other ? other : ""); }
    /// Case-insensitive for ASCII letters only; GBK characters compare by their bytes.
    int CompareNoCase(const char* other) const;

    int Find(char ch, int start = 0) const;
    int Find(const char* sub, int start = 0) const;
    int ReverseFind(char ch) const;
    CString Left(int count) const;
    CString Mid(int first) const;
    CString Mid(int first, int count) const;
    CString Right(int count) const;

    /// Multibyte-aware: GBK characters are stepped over as a whole and never changed.
    CString& MakeUpper();
    CString& MakeLower();
    CString& TrimRight();
    CString& TrimLeft();
    CString& Trim() {
        TrimRight();
        return TrimLeft();
    }
    int Replace(const char* from, const char* to);

    void Format(const char* format, ...) __attribute__((format(printf, 2, 3)));
    void FormatV(const char* format, va_list args);

    /// Writable buffer of at least minLength bytes; ReleaseBuffer re-reads the length up to the NUL.
    char* GetBuffer(int minLength = 0);
    void ReleaseBuffer(int newLength = -1);

    const std::string& str() const { return m_text; }

private:
    std::string m_text;
};

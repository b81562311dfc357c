#include <ckw/CString.h>

#include <cstdio>
#include <cstring>
#include <strings.h>

#include "base/GbkText.h"

int CString::CompareNoCase(const char* other) const {
    return ckw::text::ToUpper(m_text).compare(ckw::text::ToUpper(other ? other : ""));
}

int CString::Find(char ch, int start) const {
    if (start < 0 || start >= GetLength()) return -1;
    size_t pos = m_text.find(ch, static_cast<size_t>(start));
    return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

int CString::Find(const char* sub, int start) const {
    if (!sub || start < 0 || start > GetLength()) return -1;
    size_t pos = m_text.find(sub, static_cast<size_t>(start));
    return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

int CString::ReverseFind(char ch) const {
    size_t pos = m_text.rfind(ch);
    return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

CString CString::Left(int count) const {
    if (count <= 0) return {};
    return CString(m_text.substr(0, static_cast<size_t>(count)));
}

CString CString::Mid(int first) const {
    if (first < 0) first = 0;
    if (first >= GetLength()) return {};
    return CString(m_text.substr(static_cast<size_t>(first)));
}

CString CString::Mid(int first, int count) const {
    if (first < 0) first = 0;
    if (count <= 0 || first >= GetLength()) return {};
    return CString(m_text.substr(static_cast<size_t>(first), static_cast<size_t>(count)));
}

CString CString::Right(int count) const {
    if (count <= 0) return {};
    if (count >= GetLength()) return *this;
    return CString(m_text.substr(m_text.size() - static_cast<size_t>(count)));
}

CString& CString::MakeUpper() {
    m_text = ckw::text::ToUpper(m_text);
    return *this;
}

CString& CString::MakeLower() {
    m_text = ckw::text::ToLower(m_text);
    return *this;
}

CString& CString::TrimRight() {
    m_text = ckw::text::TrimRight(m_text);
    return *this;
}

CString& CString::TrimLeft() {
    m_text = ckw::text::TrimLeft(m_text);
    return *this;
}

int CString::Replace(const char* from, const char* to) {
    if (!from || !*from) return 0;
    std::string replacement = to ? to : "";
    size_t fromLen = std::strlen(from);
    int count = 0;
    std::string out;
    size_t i = 0;
    while (i < m_text.size()) {
        if (m_text.compare(i, fromLen, from) == 0) {
            out += replacement;
            i += fromLen;
            ++count;
        } else {
            size_t n = ckw::text::CharLength(m_text, i);
            out.append(m_text, i, n);
            i += n;
        }
    }
    m_text = std::move(out);
    return count;
}

void CString::Format(const char* format, ...) {
    va_list args;
    va_start(args, format);
    FormatV(format, args);
    va_end(args);
}

void CString::FormatV(const char* format, va_list args) {
    va_list copy;
    va_copy(copy, args);
    int needed = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (needed < 0) {
        m_text.clear();
        return;
    }
    std::string out(static_cast<size_t>(needed) + 1, '\0');
    std::vsnprintf(out.data(), out.size(), format, args);
    out.resize(static_cast<size_t>(needed));
    m_text = std::move(out);
}

char* CString::GetBuffer(int minLength) {
    if (minLength > GetLength()) m_text.resize(static_cast<size_t>(minLength));
    return m_text.data();
}

void CString::ReleaseBuffer(int newLength) {
    if (newLength < 0) newLength = static_cast<int>(std::strlen(m_text.c_str()));
    if (newLength < GetLength()) m_text.resize(static_cast<size_t>(newLength));
}

#pragma once
/// MFC-shaped growable array for the exported signatures.
#include <cstddef>
#include <stdexcept>
#include <vector>

#include "CString.h"

template <typename TYPE, typename ARG_TYPE = const TYPE&>
class CArray {
public:
    int GetSize() const { return static_cast<int>(m_items.size()); }
    int GetCount() const { return GetSize(); }
    int GetUpperBound() const { return GetSize() - 1; }
    bool IsEmpty() const { return m_items.empty(); }
    void SetSize(int size) { m_items.resize(size > 0 ? static_cast<size_t>(size) : 0); }

    int Add(ARG_TYPE item) {
        m_items.push_back(item);
        return GetSize() - 1;
    }
    void InsertAt(int index, ARG_TYPE item, int count = 1) {
        if (index < 0) throw std::out_of_range("CArray::InsertAt");
        if (index > GetSize()) SetSize(index);
        m_items.insert(m_items.begin() + index, count > 0 ? static_cast<size_t>(count) : 0, item);
    }
    void RemoveAt(int index, int count = 1) {
        Check(index);
        if (count < 0 || index + count > GetSize()) throw std::out_of_range("CArray::RemoveAt");
        m_items.erase(m_items.begin() + index, m_items.begin() + index + count);
    }
    void RemoveAll() { m_items.clear(); }
    int Append(const CArray& other) {
        int first = GetSize();
        m_items.insert(m_items.end(), other.m_items.begin(), other.m_items.end());
        return first;
    }
    void Copy(const CArray& other) { m_items = other.m_items; }

    const TYPE& GetAt(int index) const { return m_items[Check(index)]; }
    TYPE& ElementAt(int index) { return m_items[Check(index)]; }
    void SetAt(int index, ARG_TYPE item) { m_items[Check(index)] = item; }
    TYPE& operator[](int index) { return m_items[Check(index)]; }
    const TYPE& operator[](int index) const { return m_items[Check(index)]; }
    TYPE* GetData() { return m_items.data(); }
    const TYPE* GetData() const { return m_items.data(); }

    auto begin() { return m_items.begin(); }
    auto end() { return m_items.end(); }
    auto begin() const { return m_items.begin(); }
    auto end() const { return m_items.end(); }

private:
    size_t Check(int index) const {
        if (index < 0 || index >= GetSize()) throw std::out_of_range("CArray index");
        return static_cast<size_t>(index);
    }
    std::vector<TYPE> m_items;
};

using CStringArray = CArray<CString, const CString&>;

#pragma once
/// @file
/// The growable array of the exported signatures.
#include <cstddef>
#include <stdexcept>
#include <vector>

#include "CString.h"

/// @addtogroup strings
/// @{

/// A growable array shaped as the drawing programs use it: indexes are int, and an index out of
/// range throws std::out_of_range instead of reading past the end.
/// @tparam TYPE the element type
/// @tparam ARG_TYPE how elements are passed in
template <typename TYPE, typename ARG_TYPE = const TYPE&>
class CArray {
public:
    /// @name Size
    /// @{

    /// The number of elements.
    int GetSize() const { return static_cast<int>(m_items.size()); }
    /// The number of elements.
    int GetCount() const { return GetSize(); }
    /// The last index (-1 when empty).
    int GetUpperBound() const { return GetSize() - 1; }
    /// True when there are no elements.
    bool IsEmpty() const { return m_items.empty(); }
    /// Grows with default elements or shrinks to size (a negative size empties).
    void SetSize(int size) { m_items.resize(size > 0 ? static_cast<size_t>(size) : 0); }

    /// @}

    /// @name Adding and removing
    /// @{

    /// Appends item; returns its index.
    int Add(ARG_TYPE item) {
        m_items.push_back(item);
        return GetSize() - 1;
    }
    /// Inserts count copies of item before index; an index past the end grows the array first.
    void InsertAt(int index, ARG_TYPE item, int count = 1) {
        if (index < 0) throw std::out_of_range("CArray::InsertAt");
        if (index > GetSize()) SetSize(index);
        m_items.insert(m_items.begin() + index, count > 0 ? static_cast<size_t>(count) : 0, item);
    }
    /// Removes count elements from index; all of them must exist.
    void RemoveAt(int index, int count = 1) {
        Check(index);
        if (count < 0 || index + count > GetSize()) throw std::out_of_range("CArray::RemoveAt");
        m_items.erase(m_items.begin() + index, m_items.begin() + index + count);
    }
    /// Removes every element.
    void RemoveAll() { m_items.clear(); }
    /// Appends the elements of other; returns the index of the first one appended.
    int Append(const CArray& other) {
        int first = GetSize();
        m_items.insert(m_items.end(), other.m_items.begin(), other.m_items.end());
        return first;
    }
    /// Becomes a copy of other.
    void Copy(const CArray& other) { m_items = other.m_items; }
    /// @}

    /// @name Elements
    /// Checked access: an index out of range throws std::out_of_range.
    /// @{

    /// The element at index.
    const TYPE& GetAt(int index) const { return m_items[Check(index)]; }
    /// The element at index, writable.
    TYPE& ElementAt(int index) { return m_items[Check(index)]; }
    /// Replaces the element at index.
    void SetAt(int index, ARG_TYPE item) { m_items[Check(index)] = item; }
    /// The element at index, writable.
    TYPE& operator[](int index) { return m_items[Check(index)]; }
    /// The element at index.
    const TYPE& operator[](int index) const { return m_items[Check(index)]; }
    /// The elements in a row (null or dangling once the array grows).
    TYPE* GetData() { return m_items.data(); }
    /// The elements in a row.
    const TYPE* GetData() const { return m_items.data(); }
    /// @}

    /// @name Iteration (range for)
    /// @{

    /// The first element.
    auto begin() { return m_items.begin(); }
    /// Past the last element.
    auto end() { return m_items.end(); }
    /// The first element.
    auto begin() const { return m_items.begin(); }
    /// Past the last element.
    auto end() const { return m_items.end(); }
    /// @}

private:
    size_t Check(int index) const {
        if (index < 0 || index >= GetSize()) throw std::out_of_range("CArray index");
        return static_cast<size_t>(index);
    }
    std::vector<TYPE> m_items;
};

/// An array of strings, as the settings dialogs take component types.
using CStringArray = CArray<CString, const CString&>;

/// @}

// CArray: a growable array with the framework's members, over std::vector. Indexes out
// of range throw CInvalidArgException instead of touching memory.
#pragma once

#include "platform/core/Archive.h"
#include "platform/core/Exception.h"
#include "platform/core/Object.h"

#include <concepts>
#include <type_traits>
#include <utility>
#include <vector>

// Element (de)serialisation used by the collection templates. Plain types go as their
// raw little-endian bytes; strings and objects in their archive forms.
template <class TYPE>
void SerializeElements(CArchive& ar, TYPE* pElements, int nCount)
{
    static_assert(std::is_trivially_copyable_v<TYPE>, "give this type its own SerializeElements");
    const UINT nBytes = static_cast<UINT>(nCount) * sizeof(TYPE);
    if (ar.IsStoring())
        ar.Write(pElements, nBytes);
    else if (ar.Read(pElements, nBytes) != nBytes)
        ar.ThrowException(CArchiveException::endOfFile);
}

inline void SerializeElements(CArchive& ar, CString* pElements, int nCount)
{
    for (int i = 0; i < nCount; ++i) {
        if (ar.IsStoring())
            ar << pElements[i];
        else
            ar >> pElements[i];
    }
}

inline void SerializeElements(CArchive& ar, CObject** pElements, int nCount)
{
    for (int i = 0; i < nCount; ++i) {
        if (ar.IsStoring())
            ar << pElements[i];
        else
            ar >> pElements[i];
    }
}

template <class TYPE, class ARG_TYPE = const TYPE&>
class CArray : public CObject {
public:
    CArray() = default;

    int GetSize() const { return static_cast<int>(m_data.size()); }
    int GetCount() const { return GetSize(); }
    BOOL IsEmpty() const { return m_data.empty(); }
    int GetUpperBound() const { return GetSize() - 1; }

    // New elements are value-initialised (zero for plain types).
    void SetSize(int nNewSize, int nGrowBy = -1)
    {
        if (nNewSize < 0)
            AfxThrowInvalidArgException();
        if (nGrowBy > 0)
            m_data.reserve(static_cast<size_t>(nNewSize));
        m_data.resize(static_cast<size_t>(nNewSize));
    }
    void FreeExtra() { m_data.shrink_to_fit(); }
    void RemoveAll() { m_data.clear(); }

    const TYPE& GetAt(int nIndex) const { return m_data[Checked(nIndex)]; }
    TYPE& GetAt(int nIndex) { return m_data[Checked(nIndex)]; }
    void SetAt(int nIndex, ARG_TYPE newElement) { m_data[Checked(nIndex)] = newElement; }
    TYPE& ElementAt(int nIndex) { return m_data[Checked(nIndex)]; }
    const TYPE& ElementAt(int nIndex) const { return m_data[Checked(nIndex)]; }
    const TYPE* GetData() const { return m_data.data(); }
    TYPE* GetData() { return m_data.data(); }
    TYPE& operator[](int nIndex) { return ElementAt(nIndex); }
    const TYPE& operator[](int nIndex) const { return GetAt(nIndex); }

    // Grows the array when nIndex is past the end.
    void SetAtGrow(int nIndex, ARG_TYPE newElement)
    {
        if (nIndex < 0)
            AfxThrowInvalidArgException();
        TYPE value(newElement); // newElement may live in this array, which may move
        if (nIndex >= GetSize())
            SetSize(nIndex + 1);
        m_data[static_cast<size_t>(nIndex)] = std::move(value);
    }
    int Add(ARG_TYPE newElement)
    {
        m_data.push_back(newElement);
        return GetUpperBound();
    }
    int Append(const CArray& src)
    {
        const int nOldSize = GetSize();
        m_data.insert(m_data.end(), src.m_data.begin(), src.m_data.end());
        return nOldSize;
    }
    void Copy(const CArray& src)
    {
        if (this != &src)
            m_data = src.m_data;
    }
    // Inserting past the end grows the array first.
    void InsertAt(int nIndex, ARG_TYPE newElement, int nCount = 1)
    {
        if (nIndex < 0 || nCount < 0)
            AfxThrowInvalidArgException();
        TYPE value(newElement);
        if (nIndex > GetSize())
            SetSize(nIndex);
        m_data.insert(m_data.begin() + nIndex, static_cast<size_t>(nCount), value);
    }
    // A template, so that a literal 0 as element never reads as an array pointer.
    template <class ARRAY>
        requires std::derived_from<ARRAY, CArray>
    void InsertAt(int nStartIndex, const ARRAY* pNewArray)
    {
        if (nStartIndex < 0 || nStartIndex > GetSize())
            AfxThrowInvalidArgException();
        const std::vector<TYPE> copy = pNewArray->m_data;
        m_data.insert(m_data.begin() + nStartIndex, copy.begin(), copy.end());
    }
    void RemoveAt(int nIndex, int nCount = 1)
    {
        if (nIndex < 0 || nCount < 0 || nIndex + nCount > GetSize())
            AfxThrowInvalidArgException();
        m_data.erase(m_data.begin() + nIndex, m_data.begin() + nIndex + nCount);
    }

    // The element count (WriteCount form), then the elements.
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring()) {
            ar.WriteCount(static_cast<DWORD>(GetSize()));
        } else {
            const DWORD nNewSize = ar.ReadCount();
            ar.CheckAvailable(nNewSize);
            SetSize(static_cast<int>(nNewSize));
        }
        SerializeElements(ar, m_data.data(), GetSize());
    }

private:
    size_t Checked(int nIndex) const
    {
        if (nIndex < 0 || nIndex >= GetSize())
            AfxThrowInvalidArgException();
        return static_cast<size_t>(nIndex);
    }

    std::vector<TYPE> m_data;
};

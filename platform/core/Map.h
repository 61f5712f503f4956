// CMap: a chained hash table with the framework's members. Iteration runs bucket by
// bucket, newest entry first within a bucket, so a stored map keeps a stable order.
#pragma once

#include "platform/core/Array.h"
#include "platform/core/Position.h"

#include <concepts>
#include <cstdint>
#include <type_traits>

inline UINT HashKey(LPCTSTR key)
{
    UINT nHash = 0;
    while (*key != '\0')
        nHash = (nHash << 5) + nHash + static_cast<UINT>(static_cast<int>(static_cast<signed char>(*key++)));
    return nHash;
}

inline UINT HashKey(const CString& key) { return HashKey(static_cast<LPCTSTR>(key)); }

template <class ARG_KEY>
    requires std::integral<ARG_KEY> || std::is_enum_v<ARG_KEY> || std::is_pointer_v<ARG_KEY>
UINT HashKey(ARG_KEY key)
{
    if constexpr (std::is_pointer_v<ARG_KEY>)
        return static_cast<UINT>(reinterpret_cast<uintptr_t>(key) >> 4);
    else
        return static_cast<UINT>(static_cast<uintptr_t>(key) >> 4);
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
class CMap : public CObject {
    struct CAssoc {
        CAssoc* pNext;
        UINT nBucket;
        KEY key;
        VALUE value;
    };

public:
    explicit CMap(int nBlockSize = 10) { (void)nBlockSize; }
    ~CMap() override { RemoveAll(); }

    int GetCount() const { return m_nCount; }
    int GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }
    UINT GetHashTableSize() const { return m_nHashTableSize; }

    // Only while the map is empty.
    void InitHashTable(UINT nHashSize, BOOL = TRUE)
    {
        if (m_nCount == 0 && nHashSize > 0) {
            m_table.clear();
            m_nHashTableSize = nHashSize;
        }
    }

    BOOL Lookup(ARG_KEY key, VALUE& rValue) const
    {
        const CAssoc* pAssoc = Find(key);
        if (pAssoc == nullptr)
            return FALSE;
        rValue = pAssoc->value;
        return TRUE;
    }
    VALUE& operator[](ARG_KEY key)
    {
        if (CAssoc* pAssoc = Find(key))
            return pAssoc->value;
        if (m_table.empty())
            m_table.assign(m_nHashTableSize, nullptr);
        const UINT nBucket = HashKey(key) % m_nHashTableSize;
        m_table[nBucket] = new CAssoc{m_table[nBucket], nBucket, KEY(key), VALUE{}};
        ++m_nCount;
        return m_table[nBucket]->value;
    }
    void SetAt(ARG_KEY key, ARG_VALUE newValue) { (*this)[key] = newValue; }
    BOOL RemoveKey(ARG_KEY key)
    {
        if (m_table.empty())
            return FALSE;
        for (CAssoc** ppAssoc = &m_table[HashKey(key) % m_nHashTableSize]; *ppAssoc != nullptr;
             ppAssoc = &(*ppAssoc)->pNext) {
            if ((*ppAssoc)->key == key) {
                CAssoc* pAssoc = *ppAssoc;
                *ppAssoc = pAssoc->pNext;
                delete pAssoc;
                --m_nCount;
                return TRUE;
            }
        }
        return FALSE;
    }
    void RemoveAll()
    {
        for (CAssoc*& pHead : m_table) {
            while (pHead != nullptr) {
                CAssoc* pNext = pHead->pNext;
                delete pHead;
                pHead = pNext;
            }
        }
        m_table.clear();
        m_nCount = 0;
    }

    POSITION GetStartPosition() const { return ToPosition(FirstFrom(0)); }
    void GetNextAssoc(POSITION& rNextPosition, KEY& rKey, VALUE& rValue) const
    {
        if (rNextPosition == nullptr)
            AfxThrowInvalidArgException();
        const CAssoc* pAssoc = reinterpret_cast<const CAssoc*>(rNextPosition);
        rKey = pAssoc->key;
        rValue = pAssoc->value;
        rNextPosition = ToPosition(pAssoc->pNext != nullptr ? pAssoc->pNext : FirstFrom(pAssoc->nBucket + 1));
    }

    // The entry count (WriteCount form), then key and value of each entry.
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring()) {
            ar.WriteCount(static_cast<DWORD>(m_nCount));
            for (CAssoc* pHead : m_table) {
                for (CAssoc* pAssoc = pHead; pAssoc != nullptr; pAssoc = pAssoc->pNext) {
                    SerializeElements(ar, &pAssoc->key, 1);
                    SerializeElements(ar, &pAssoc->value, 1);
                }
            }
            return;
        }
        DWORD nNewCount = ar.ReadCount();
        ar.CheckAvailable(nNewCount);
        while (nNewCount-- > 0) {
            KEY newKey{};
            VALUE newValue{};
            SerializeElements(ar, &newKey, 1);
            SerializeElements(ar, &newValue, 1);
            SetAt(newKey, newValue);
        }
    }

private:
    static POSITION ToPosition(const CAssoc* pAssoc)
    {
        return reinterpret_cast<POSITION>(const_cast<CAssoc*>(pAssoc));
    }
    const CAssoc* FirstFrom(UINT nBucket) const
    {
        for (; nBucket < m_table.size(); ++nBucket)
            if (m_table[nBucket] != nullptr)
                return m_table[nBucket];
        return nullptr;
    }
    CAssoc* Find(ARG_KEY key) const
    {
        if (m_table.empty())
            return nullptr;
        for (CAssoc* pAssoc = m_table[HashKey(key) % m_nHashTableSize]; pAssoc != nullptr; pAssoc = pAssoc->pNext)
            if (pAssoc->key == key)
                return pAssoc;
        return nullptr;
    }

    std::vector<CAssoc*> m_table;
    UINT m_nHashTableSize = 17;
    int m_nCount = 0;
};

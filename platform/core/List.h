// CList: a doubly linked list whose POSITIONs stay valid until their own node is removed.
#pragma once

#include "platform/core/Array.h"
#include "platform/core/Position.h"

#include <concepts>
#include <utility>

template <class TYPE, class ARG_TYPE = const TYPE&>
class CList : public CObject {
    struct CNode {
        CNode* pNext;
        CNode* pPrev;
        TYPE data;
    };

public:
    explicit CList(int nBlockSize = 10) { (void)nBlockSize; }
    ~CList() override { RemoveAll(); }

    int GetCount() const { return m_nCount; }
    int GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }

    TYPE& GetHead() { return Node(m_pNodeHead)->data; }
    const TYPE& GetHead() const { return Node(m_pNodeHead)->data; }
    TYPE& GetTail() { return Node(m_pNodeTail)->data; }
    const TYPE& GetTail() const { return Node(m_pNodeTail)->data; }

    TYPE RemoveHead()
    {
        CNode* pNode = Node(m_pNodeHead);
        TYPE value = pNode->data;
        Unlink(pNode);
        return value;
    }
    TYPE RemoveTail()
    {
        CNode* pNode = Node(m_pNodeTail);
        TYPE value = pNode->data;
        Unlink(pNode);
        return value;
    }
    POSITION AddHead(ARG_TYPE newElement) { return Link(new CNode{nullptr, nullptr, newElement}, nullptr, m_pNodeHead); }
    POSITION AddTail(ARG_TYPE newElement) { return Link(new CNode{nullptr, nullptr, newElement}, m_pNodeTail, nullptr); }
    // Templates, so that a null element never reads as a list pointer.
    template <class LIST>
        requires std::derived_from<LIST, CList>
    void AddHead(const LIST* pNewList)
    {
        for (CNode* pNode = pNewList->m_pNodeTail; pNode != nullptr; pNode = pNode->pPrev)
            AddHead(pNode->data);
    }
    template <class LIST>
        requires std::derived_from<LIST, CList>
    void AddTail(const LIST* pNewList)
    {
        for (CNode* pNode = pNewList->m_pNodeHead; pNode != nullptr; pNode = pNode->pNext)
            AddTail(pNode->data);
    }
    void RemoveAll()
    {
        while (m_pNodeHead != nullptr)
            Unlink(m_pNodeHead);
    }

    POSITION GetHeadPosition() const { return ToPosition(m_pNodeHead); }
    POSITION GetTailPosition() const { return ToPosition(m_pNodeTail); }
    TYPE& GetNext(POSITION& rPosition) { return const_cast<TYPE&>(std::as_const(*this).GetNext(rPosition)); }
    const TYPE& GetNext(POSITION& rPosition) const
    {
        CNode* pNode = Node(rPosition);
        rPosition = ToPosition(pNode->pNext);
        return pNode->data;
    }
    TYPE& GetPrev(POSITION& rPosition) { return const_cast<TYPE&>(std::as_const(*this).GetPrev(rPosition)); }
    const TYPE& GetPrev(POSITION& rPosition) const
    {
        CNode* pNode = Node(rPosition);
        rPosition = ToPosition(pNode->pPrev);
        return pNode->data;
    }
    TYPE& GetAt(POSITION position) { return Node(position)->data; }
    const TYPE& GetAt(POSITION position) const { return Node(position)->data; }
    void SetAt(POSITION pos, ARG_TYPE newElement) { Node(pos)->data = newElement; }
    void RemoveAt(POSITION position) { Unlink(Node(position)); }

    // A NULL position inserts at the head (before) or the tail (after).
    POSITION InsertBefore(POSITION position, ARG_TYPE newElement)
    {
        if (position == nullptr)
            return AddHead(newElement);
        CNode* pOld = Node(position);
        return Link(new CNode{nullptr, nullptr, newElement}, pOld->pPrev, pOld);
    }
    POSITION InsertAfter(POSITION position, ARG_TYPE newElement)
    {
        if (position == nullptr)
            return AddTail(newElement);
        CNode* pOld = Node(position);
        return Link(new CNode{nullptr, nullptr, newElement}, pOld, pOld->pNext);
    }

    POSITION FindIndex(int nIndex) const
    {
        if (nIndex < 0 || nIndex >= m_nCount)
            return nullptr;
        CNode* pNode = m_pNodeHead;
        while (nIndex-- > 0)
            pNode = pNode->pNext;
        return ToPosition(pNode);
    }
    // Searches after startAfter (from the head when NULL).
    POSITION Find(ARG_TYPE searchValue, POSITION startAfter = nullptr) const
    {
        CNode* pNode = startAfter == nullptr ? m_pNodeHead : Node(startAfter)->pNext;
        for (; pNode != nullptr; pNode = pNode->pNext)
            if (pNode->data == searchValue)
                return ToPosition(pNode);
        return nullptr;
    }

    // The element count (WriteCount form), then the elements from head to tail.
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring()) {
            ar.WriteCount(static_cast<DWORD>(m_nCount));
            for (CNode* pNode = m_pNodeHead; pNode != nullptr; pNode = pNode->pNext)
                SerializeElements(ar, &pNode->data, 1);
            return;
        }
        DWORD nNewCount = ar.ReadCount();
        ar.CheckAvailable(nNewCount);
        while (nNewCount-- > 0) {
            TYPE newData{};
            SerializeElements(ar, &newData, 1);
            AddTail(newData);
        }
    }

private:
    static POSITION ToPosition(CNode* pNode) { return reinterpret_cast<POSITION>(pNode); }
    static CNode* Node(POSITION position)
    {
        if (position == nullptr)
            AfxThrowInvalidArgException();
        return reinterpret_cast<CNode*>(position);
    }
    static CNode* Node(CNode* pNode)
    {
        if (pNode == nullptr)
            AfxThrowInvalidArgException();
        return pNode;
    }
    POSITION Link(CNode* pNode, CNode* pPrev, CNode* pNext)
    {
        pNode->pPrev = pPrev;
        pNode->pNext = pNext;
        (pPrev != nullptr ? pPrev->pNext : m_pNodeHead) = pNode;
        (pNext != nullptr ? pNext->pPrev : m_pNodeTail) = pNode;
        ++m_nCount;
        return ToPosition(pNode);
    }
    void Unlink(CNode* pNode)
    {
        (pNode->pPrev != nullptr ? pNode->pPrev->pNext : m_pNodeHead) = pNode->pNext;
        (pNode->pNext != nullptr ? pNode->pNext->pPrev : m_pNodeTail) = pNode->pPrev;
        --m_nCount;
        delete pNode;
    }

    CNode* m_pNodeHead = nullptr;
    CNode* m_pNodeTail = nullptr;
    int m_nCount = 0;
};

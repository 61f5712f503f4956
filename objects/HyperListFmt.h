// A small list of typed items kept as the value of one property, with its stored form, copy
// and comparison. The list owns its items: dropping them deletes them, except RemoveAll,
// which only empties the array for callers that hand the items on.
#pragma once

#include "platform/core/Arrays.h"

class CArchive;
class CPropItemSource;

// An item of a list format: copies, compares and stores itself.
class CListFmtItem : public CObject {
public:
    virtual void CopyFrom(const CListFmtItem* source) = 0;
    virtual BOOL IsEqual(const CListFmtItem* other) const = 0;
};

class CHyperListFmt : public CObject {
    DECLARE_SERIAL(CHyperListFmt)
public:
    // The stored count is 16 bits.
    static constexpr INT_PTR MaxItems = 0xFFFF;

    CHyperListFmt() = default;
    ~CHyperListFmt() override;
    CHyperListFmt(const CHyperListFmt&) = delete;
    CHyperListFmt& operator=(const CHyperListFmt&) = delete;

    void Serialize(CArchive& archive) override;

    virtual void CopyFrom(const CHyperListFmt* source);
    virtual BOOL IsEqual(const CHyperListFmt* other) const;
    virtual void RemoveAll();
    // Takes over the list box's item data as items, in list-box order, and empties it.
    virtual void FillFromListBox(CPropItemSource* listBox);
    virtual CListFmtItem* CreateItem() const { return nullptr; }
    virtual void CopyItem(CListFmtItem* destination, const CListFmtItem* source) const;
    virtual BOOL IsItemEqual(const CListFmtItem* a, const CListFmtItem* b) const;

    INT_PTR GetSize() const { return m_items.GetSize(); }
    CListFmtItem* GetItem(INT_PTR index) const { return static_cast<CListFmtItem*>(m_items.GetAt(index)); }
    // Appends an item, owned from now on.
    void AddItem(CListFmtItem* item) { m_items.Add(item); }
    // Deletes every item and empties the list.
    void DeleteAll();
    // Deletes one item; an index outside the list changes nothing.
    void DeleteItem(INT_PTR index);
    // Moves one item to another place in the order.
    void MoveItem(INT_PTR from, INT_PTR to);

protected:

    CObArray m_items;
};

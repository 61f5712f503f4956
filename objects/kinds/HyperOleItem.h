// The embedded object of an OLE object on a page: an embedded file package that keeps the
// page object's rectangle in step with its natural size.
#pragma once

#include "platform/ole/OleClientItem.h"

class CHyperOleOb;

class CHyperOleItem : public COleClientItem {
    DECLARE_SERIAL(CHyperOleItem)
public:
    CHyperOleItem() = default;
    CHyperOleItem(COleDocument* document, CHyperOleOb* owner) : COleClientItem(document), m_owner(owner) {}

    CSize GetExtent() const { return m_extent; }
    void SetExtent(int cx, int cy) { m_extent = CSize(cx, cy); }
    void SetOwner(CHyperOleOb* owner) { m_owner = owner; }
    CHyperOleOb* GetOwner() const { return m_owner; }
    // Fits the owner's rectangle to the object's size; TRUE when the size differed.
    BOOL UpdateExtent();
    // The owner takes the object's natural size again.
    void ResetExtent();
    virtual BOOL CloneFrom(const CHyperOleItem* source);
    void Serialize(CArchive& archive) override;

    // While raised, changes of the object are not passed on.
    int m_suppressNotifications = 0;

    void OnChange(OLE_NOTIFICATION code, DWORD param) override;
    void OnGetItemPosition(CRect& position) override;

private:
    CSize m_extent{0, 0};
    CHyperOleOb* m_owner = nullptr;
};

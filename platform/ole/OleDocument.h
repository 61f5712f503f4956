// COleDocument: a document that holds embedded items. The items belong to whoever made
// them (the page objects that hold them); the document lists them, closes them when its
// contents go and lets go of them when it goes. COleLinkingDoc adds nothing here: no other
// program links to our documents on this platform.
#pragma once

#include "platform/ui/Document.h"

#include <vector>

class COleClientItem;
class CWnd;

class COleDocument : public CDocument {
    DECLARE_DYNAMIC(COleDocument)
public:
    COleDocument() = default;
    ~COleDocument() override;

    virtual void AddItem(COleClientItem* pItem);
    virtual void RemoveItem(COleClientItem* pItem);
    POSITION GetStartPosition() const;
    COleClientItem* GetNextItem(POSITION& pos) const;
    COleClientItem* GetNextClientItem(POSITION& pos) const { return GetNextItem(pos); }
    int GetItemCount() const { return static_cast<int>(m_items.size()); }
    BOOL HasBlankItems() const;
    // Nothing is ever active in place here.
    COleClientItem* GetInPlaceActiveItem(CWnd*) const { return nullptr; }

    // Items opened with the desktop's handler are read back first.
    BOOL IsModified() override;
    BOOL SaveModified() override;
    void DeleteContents() override;

private:
    std::vector<COleClientItem*> m_items;
};

class COleLinkingDoc : public COleDocument {
    DECLARE_DYNAMIC(COleLinkingDoc)
public:
    COleLinkingDoc() = default;
};

// COleDocument: the items of a container document.
#include "platform/ole/OleDocument.h"

#include "platform/ole/OleClientItem.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(COleDocument, CDocument)
IMPLEMENT_DYNAMIC(COleLinkingDoc, COleDocument)

COleDocument::~COleDocument()
{
    for (COleClientItem* item : m_items)
        item->m_pDocument = nullptr;
}

void COleDocument::AddItem(COleClientItem* pItem)
{
    if (!pItem || std::find(m_items.begin(), m_items.end(), pItem) != m_items.end())
        return;
    if (pItem->m_pDocument)
        pItem->m_pDocument->RemoveItem(pItem);
    m_items.push_back(pItem);
    pItem->m_pDocument = this;
}

void COleDocument::RemoveItem(COleClientItem* pItem)
{
    auto it = std::find(m_items.begin(), m_items.end(), pItem);
    if (it == m_items.end())
        return;
    m_items.erase(it);
    pItem->m_pDocument = nullptr;
}

// A position is the index of the next item plus one.
POSITION COleDocument::GetStartPosition() const
{
    return m_items.empty() ? nullptr : reinterpret_cast<POSITION>(uintptr_t{1});
}

COleClientItem* COleDocument::GetNextItem(POSITION& pos) const
{
    auto index = reinterpret_cast<uintptr_t>(pos);
    if (index == 0 || index > m_items.size()) {
        pos = nullptr;
        return nullptr;
    }
    pos = index < m_items.size() ? reinterpret_cast<POSITION>(index + 1) : nullptr;
    return m_items[index - 1];
}

BOOL COleDocument::HasBlankItems() const
{
    return std::any_of(m_items.begin(), m_items.end(),
                       [](const COleClientItem* item) { return item->GetItemState() == COleClientItem::emptyState; });
}

BOOL COleDocument::IsModified()
{
    for (COleClientItem* item : m_items)
        if (item->IsOpen())
            item->UpdateFromOpenFile();
    return CDocument::IsModified();
}

BOOL COleDocument::SaveModified()
{
    IsModified();
    return CDocument::SaveModified();
}

void COleDocument::DeleteContents()
{
    CDocument::DeleteContents();
    for (COleClientItem* item : m_items)
        item->Close(OLECLOSE_NOSAVE);
}

#include "objects/HyperListFmt.h"

#include "objects/PropControls.h"
#include "platform/core/Archive.h"
#include "platform/core/ArchiveException.h"

IMPLEMENT_SERIAL(CHyperListFmt, CObject, 0)

CHyperListFmt::~CHyperListFmt()
{
    DeleteAll();
}

void CHyperListFmt::DeleteAll()
{
    for (INT_PTR i = 0; i < m_items.GetSize(); ++i)
        delete m_items.GetAt(i);
    m_items.RemoveAll();
}

void CHyperListFmt::DeleteItem(INT_PTR index)
{
    if (index < 0 || index >= m_items.GetSize())
        return;
    delete m_items.GetAt(index);
    m_items.RemoveAt(static_cast<int>(index));
}

void CHyperListFmt::MoveItem(INT_PTR from, INT_PTR to)
{
    if (from < 0 || to < 0 || from >= m_items.GetSize() || to >= m_items.GetSize() || from == to)
        return;
    CObject* item = m_items.GetAt(from);
    m_items.RemoveAt(static_cast<int>(from));
    m_items.InsertAt(static_cast<int>(to), item);
}

void CHyperListFmt::RemoveAll()
{
    m_items.RemoveAll();
}

void CHyperListFmt::CopyFrom(const CHyperListFmt* source)
{
    if (source == this)
        return;
    DeleteAll();
    RemoveAll();
    for (INT_PTR i = 0; i < source->GetSize(); ++i) {
        CListFmtItem* item = CreateItem();
        if (!item)
            continue;
        CopyItem(item, source->GetItem(i));
        m_items.Add(item);
    }
}

BOOL CHyperListFmt::IsEqual(const CHyperListFmt* other) const
{
    if (GetSize() != other->GetSize())
        return FALSE;
    for (INT_PTR i = 0; i < GetSize(); ++i) {
        if (!IsItemEqual(GetItem(i), other->GetItem(i)))
            return FALSE;
    }
    return TRUE;
}

void CHyperListFmt::FillFromListBox(CPropItemSource* listBox)
{
    DeleteAll();
    RemoveAll();
    int count = listBox->GetCount();
    for (int i = 0; i < count; ++i) {
        auto* item = reinterpret_cast<CListFmtItem*>(listBox->GetItemData(i));
        if (item)
            m_items.Add(item);
    }
    listBox->ResetContent();
}

void CHyperListFmt::CopyItem(CListFmtItem* destination, const CListFmtItem* source) const
{
    destination->CopyFrom(source);
}

BOOL CHyperListFmt::IsItemEqual(const CListFmtItem* a, const CListFmtItem* b) const
{
    return a->IsEqual(b);
}

void CHyperListFmt::Serialize(CArchive& archive)
{
    if (archive.IsStoring()) {
        // A longer list would store a wrong count and corrupt what follows it.
        if (GetSize() > MaxItems)
            AfxThrowArchiveException(CArchiveException::genericException);
        archive << static_cast<WORD>(GetSize());
        for (INT_PTR i = 0; i < GetSize(); ++i)
            GetItem(i)->Serialize(archive);
        return;
    }
    WORD count = 0;
    archive >> count;
    // Each item is read as it is made, so a short record fails before many empty items pile up.
    for (WORD i = 0; i < count; ++i) {
        CListFmtItem* item = CreateItem();
        if (!item)
            AfxThrowArchiveException(CArchiveException::badClass);
        m_items.Add(item);
        item->Serialize(archive);
    }
}

#include "objects/kinds/StickyOb.h"

#include "objects/ObjectHost.h"
#include "objects/PropText.h"
#include "objects/kinds/KindShared.h"
#include "objects/kinds/NoteHost.h"

IMPLEMENT_SERIAL(CStickyOb, CBitmapOb, 0)

void CStickyOb::Serialize(CArchive& archive)
{
    CBitmapOb::Serialize(archive);
    if (archive.IsStoring())
        archive << m_noteText;
    else
        archive >> m_noteText;
}

void CStickyOb::CopyFrom(const CHyperBaseOb* other)
{
    CBitmapOb::CopyFrom(other);
    if (auto* note = dynamic_cast<const CStickyOb*>(other))
        m_noteText = note->m_noteText;
}

void CStickyOb::ApplyDefaults()
{
    CHyperOb::SetRect(CRect(0, 0, 16, 14));
    CBitmapOb::ApplyDefaults();
}

BOOL CStickyOb::OnInsert()
{
    Open();
    LoadIcon(IconId);
    return TRUE;
}

void CStickyOb::LoadIcon(UINT iconId)
{
    m_picture.m_colour = IconTransparency;
    CString name;
    name.Format("*%d", iconId);
    m_picture.Load(name, CExtDib::Linked, FALSE);
    PrepareBitmapCache(TRUE);
}

BOOL CStickyOb::Open()
{
    CObjectHost* host = GetHost();
    GetNoteHost().EditNoteText(m_noteText, host && !host->IsEditMode());
    return TRUE;
}

BOOL CStickyOb::CheckSpelling()
{
    if (m_noteText.IsEmpty())
        return FALSE;
    CString text = m_noteText;
    GetNoteHost().CheckNoteSpelling(text);
    if (text == m_noteText)
        return FALSE;
    m_noteText = text;
    return TRUE;
}

CPropOb* CStickyOb::CreateProperty(UINT propertyId, BOOL withChoices)
{
    if (CPropOb* base = CBitmapOb::CreateProperty(propertyId, withChoices))
        return base;
    if (propertyId != TextId)
        return nullptr;
    auto* editor = new CPropSticky(TextId, &m_noteText, TextGroup);
    editor->m_kind = TextKind;
    editor->m_controlId = CPropOb::ButtonControl;
    editor->m_captionId = TextButtonCaption;
    return editor;
}

void CStickyOb::CollectProperties(CObArray& list, BOOL withChoices)
{
    CBitmapOb::CollectProperties(list, withChoices);
    static constexpr UINT ids[] = {TextId};
    AppendProperties(this, list, ids, 1, withChoices);
}

#include "objects/kinds/HyperOleOb.h"

#include "objects/HotSpotOb.h"
#include "objects/ObjectHost.h"
#include "objects/PropCombo.h"
#include "objects/PropOle.h"
#include "objects/VersionTag.h"
#include "objects/kinds/HyperOleItem.h"
#include "objects/kinds/KindShared.h"

#include "platform/core/Archive.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/GdiObject.h"
#include "platform/ole/DispatchMap.h"
#include "platform/ole/OleDialogs.h"
#include "platform/ui/UiTypes.h"

#include <utility>

IMPLEMENT_SERIAL(CHyperOleOb, CHyperOb, 0)

BEGIN_DISPATCH_MAP(CHyperOleOb, CHyperOb)
    DISP_PROPERTY_EX_ID(CHyperOleOb, "X", -2, GetX, SetNotSupported, VT_DISPATCH)
    DISP_PROPERTY_NOTIFY_ID(CHyperOleOb, "DoVerbs", -99, DoVerbs, OnUpdate, VT_I4)
END_DISPATCH_MAP()

CHyperOleOb::~CHyperOleOb()
{
    if (m_item)
        m_item->Delete(TRUE);
}

void CHyperOleOb::Serialize(CArchive& archive)
{
    CHyperOb::Serialize(archive);
    if (!archive.IsStoring()) {
        LoadFields(archive);
        return;
    }
    CVersionTag(&archive, this, RecordVersion).Write();
    archive.WriteObject(m_item);
    archive << LONG(DoVerbs) << DWORD(BackColor) << TypeName << SecondText;
}

// A record without an item is refused: the object would have nothing to show or keep.
void CHyperOleOb::LoadFields(CArchive& archive)
{
    CVersionTag tag(&archive, this, RecordVersion);
    const BOOL tagged = tag.Read();
    auto* item = static_cast<CHyperOleItem*>(archive.ReadObject(RUNTIME_CLASS(CHyperOleItem)));
    if (!item)
        archive.ThrowException(CArchiveException::badClass);
    if (m_item)
        m_item->Delete(TRUE);
    m_item = item;
    m_item->SetOwner(this);
    DoVerbs = ReadInt32(archive);
    if (tagged)
        BackColor = static_cast<COLORREF>(ReadInt32(archive));
    if (tagged && tag.GetVersion() >= 1)
        archive >> TypeName >> SecondText;
}

void CHyperOleOb::CopyFrom(const CHyperBaseOb* other)
{
    CHyperOb::CopyFrom(other);
    auto* source = dynamic_cast<const CHyperOleOb*>(other);
    if (!source)
        return;
    auto* item = new CHyperOleItem(nullptr, this);
    if (CHyperOleItem* from = source->m_item) {
        ++from->m_suppressNotifications;
        item->CloneFrom(from);
        --from->m_suppressNotifications;
    }
    if (m_item)
        m_item->Delete(TRUE);
    m_item = item;
    DoVerbs = source->DoVerbs;
    TypeName = source->TypeName;
    SecondText = source->SecondText;
    CRect rect;
    source->GetRect(&rect, nullptr);
    SetRect(rect);
}

CString CHyperOleOb::GetTypeName() const
{
    return TypeName.IsEmpty() ? LoadTypeName(TypeNameId) : TypeName;
}

void CHyperOleOb::Draw(CDC* dc)
{
    CRect rect;
    GetRect(&rect, nullptr);
    if (!IsTransparent()) {
        CBrush brush;
        brush.CreateSolidBrush(BackColor);
        dc->FillRect(&rect, &brush);
    }
    if (m_item)
        m_item->Draw(dc, &rect);
    DrawFocusFrame(dc, rect);
}

void CHyperOleOb::DrawFocusFrame(CDC* dc, const CRect& rect)
{
    CObjectHost* host = GetHost();
    if (host->IsEditMode() || !host->HasFocusFrame(this) || dc->IsPrinting())
        return;
    dc->PatBlt(rect.left, rect.top, rect.Width(), 1, DSTINVERT);
    dc->PatBlt(rect.left, rect.bottom - 1, rect.Width(), 1, DSTINVERT);
    dc->PatBlt(rect.left, rect.top + 1, 1, rect.Height() - 2, DSTINVERT);
    dc->PatBlt(rect.right - 1, rect.top + 1, 1, rect.Height() - 2, DSTINVERT);
}

void CHyperOleOb::ApplyDefaults()
{
    CHyperOb::SetRect(CRect(10, 10, 30, 60));
    CHyperOb::ApplyDefaults();
}

void CHyperOleOb::UpdateHotSpots()
{
    GetHotSpots().DeleteAll();
    if (DoVerbs)
        GetHotSpots().Add(new CHotSpotOb(this));
    CHyperOb::UpdateHotSpots();
}

BOOL CHyperOleOb::TrackContextMenu(int, CHotSpotOb*, int x, int y, UINT message)
{
    if (message != WM_RBUTTONDOWN)
        return FALSE;
    CObjectHost* host = GetHost();
    POINT at{x, y};
    host->LogicalToDevice(&at, 1);
    host->ShowObjectMenu(this, at, VerbMenuId);
    return TRUE;
}

void CHyperOleOb::GetUpdateRect(CRect* out, CDC* dc) const
{
    CHyperOb::GetUpdateRect(out, dc);
    out->InflateRect(10, 10);
}

CSnapPointSet* CHyperOleOb::GetSnapPoints(BOOL own)
{
    return GetGroupSnapPoints(own, &m_snapPoints);
}

// Embeds the file the user picks; nothing picked, nothing inserted.
BOOL CHyperOleOb::OnInsert()
{
    if (m_item)
        return TRUE;
    COleInsertDialog dialog(IOF_SELECTCREATEFROMFILE);
    if (dialog.DoModal() != IDOK)
        return FALSE;
    auto* item = new CHyperOleItem(nullptr, this);
    if (!dialog.CreateItem(item)) {
        item->Delete(TRUE);
        return FALSE;
    }
    m_item = item;
    m_item->UpdateExtent();
    return TRUE;
}

BOOL CHyperOleOb::Open()
{
    return m_item && m_item->DoVerb(OLEIVERB_PRIMARY, nullptr);
}

BOOL CHyperOleOb::SwapOleState(CHyperOleOb* other)
{
    CRect mine, theirs;
    GetRect(&mine, nullptr);
    other->GetRect(&theirs, nullptr);
    SetRect(theirs);
    other->SetRect(mine);
    std::swap(m_item, other->m_item);
    for (CHyperOleOb* object : {this, other})
        if (object->m_item)
            object->m_item->SetOwner(object);
    return TRUE;
}

CPropOb* CHyperOleOb::CreateProperty(UINT propertyId, BOOL withChoices)
{
    if (propertyId != DoVerbsId)
        return CHyperOb::CreateProperty(propertyId, withChoices);
    auto* editor = new CPropCombo(DoVerbsId, reinterpret_cast<DWORD*>(&DoVerbs), DoVerbsGroup);
    editor->m_kind = DoVerbsKind;
    if (withChoices) {
        editor->AddChoiceById(NoId, 0);
        editor->AddChoiceById(YesId, 1);
    }
    return editor;
}

void CHyperOleOb::CollectProperties(CObArray& list, BOOL withChoices)
{
    CHyperOb::CollectProperties(list, withChoices);
    CObjectHost* host = GetHost();
    if (!host || host->HasEmptySelection())
        list.Add(new CPropOle(reinterpret_cast<CCmdTarget**>(&m_item)));
    static constexpr UINT ids[] = {DoVerbsId};
    AppendProperties(this, list, ids, 1, withChoices);
}

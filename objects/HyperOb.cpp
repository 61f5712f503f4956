#include "objects/HyperOb.h"

#include "objects/ConnectorEnds.h"
#include "objects/DocFiles.h"
#include "objects/GroupInfo.h"
#include "objects/HyperTracker.h"
#include "objects/ObjectHost.h"
#include "objects/SnapPointSet.h"
#include "objects/ViewSettings.h"
#include "platform/core/Archive.h"
#include "platform/core/Exception.h"
#include "platform/core/File.h"
#include "platform/core/FilePath.h"
#include "platform/core/MemFile.h"
#include "platform/core/Time.h"
#include "platform/gdi/SysColors.h"
#include "platform/sys/AtomicFile.h"

#include <cctype>
#include <climits>
#include <cstdio>
#include <memory>
#include <string>

IMPLEMENT_SERIAL(CHyperOb, CHyperBaseOb, 0)

namespace {
CObjectHost& DefaultHost()
{
    static CObjectHost host;
    return host;
}

// Objects come by the thousand when a page opens; the local time is formatted once a second.
CString CurrentTimeText()
{
    thread_local time_t second = -1;
    thread_local CString text;
    const CTime now = CTime::GetCurrentTime();
    if (now.GetTime() != second) {
        text = now.Format("%d.%m.%Y %H:%M:%S");
        second = now.GetTime();
    }
    return text;
}

}

CHyperOb::CHyperOb()
{
    CreationDate = CurrentTimeText();
    Enable.SetCommon(CObValue::Common::LiteralOne);
    Visible.SetCommon(CObValue::Common::LiteralOne);
    PumpDataEvent.SetCommon(CObValue::Common::NoChoice);
    ClickEvent.SetCommon(CObValue::Common::NoChoice);
    InitializeEvent.SetCommon(CObValue::Common::NoChoice);
    DragOverEvent.SetCommon(CObValue::Common::NoChoiceDragEvent);
    DragDropEvent.SetCommon(CObValue::Common::NoChoiceDragEvent);
    Font.Reset();
}

CHyperOb::~CHyperOb()
{
    delete m_tracker;
    if (m_hotSpots)
        m_hotSpots->DeleteAll();
    delete m_groupInfo;
    FreeOutline();
}

CObjectHost* CHyperOb::GetHost() const
{
    CObjectHost* host = GetObjectHost(GetView());
    return host ? host : &DefaultHost();
}

const CHyperOb::RareTexts& CHyperOb::Rare() const
{
    static const RareTexts none;
    return m_rare ? *m_rare : none;
}

CHyperOb::RareTexts& CHyperOb::EditRare()
{
    if (!m_rare)
        m_rare = std::make_unique<RareTexts>();
    return *m_rare;
}

void CHyperOb::SetRare(CString RareTexts::*field, const CString& text)
{
    if (m_rare || !text.IsEmpty())
        EditRare().*field = text;
}

void CHyperOb::FreeOutline()
{
    delete[] m_outlinePoints;
    m_outlinePoints = nullptr;
    m_outlineCount = 0;
    delete[] m_rotatedPoints;
    m_rotatedPoints = nullptr;
}

void CHyperOb::Init(CHyperRunView* view, const RECT* rect, BOOL applyDefaults)
{
    SetView(view);
    if (m_tracker)
        CreateTracker();
    else
        EnsureShape();
    if (applyDefaults)
        ApplyDefaults();
    if (rect)
        SetRect(CRect(rect));
    if (Frame().IsRectEmpty())
        SetFrameRect(&Rect());
    if (applyDefaults)
        BuildOutline();
}

void CHyperOb::ApplyDefaults()
{
    COLORREF back, fore;
    if (GetHost()->GetDefaultColors(&back, &fore)) {
        BackColor = back;
        ForeColor = fore;
    }
    if (SerializeToFile(-2)) {
        // A bad file must not leave a half-loaded object: read into a copy, take it on success.
        std::unique_ptr<CHyperOb> scratch(Clone());
        try {
            if (scratch && scratch->SerializeToFile(1))
                CopyFrom(scratch.get());
        } catch (CException* e) {
            e->Delete();
        }
    }
    GroupID = -1;
    SetOwnGroupInfo(nullptr);
}

void CHyperOb::SaveAsDefault()
{
    MakeDirectory(GetViewSettings().m_objectFileFolder, FALSE);
    EnsureShape();
    CRect saved = Rect();
    Rect().OffsetRect(-saved.left, -saved.top);
    try {
        SerializeToFile(0);
    } catch (...) {
        Rect() = saved;
        throw;
    }
    Rect() = saved;
}

BOOL CHyperOb::SerializeToFile(int mode)
{
    CString path = GetViewSettings().m_objectFileFolder + "\\" + GetStoreFileName();
    CFileStatus status;
    switch (mode) {
    case -2:
        return CFile::GetStatus(path, status);
    case -1:
        std::remove(SystemPathFromName(path).c_str());
        return TRUE;
    case 0: {
        // Written beside the old file and renamed over it, so a failed save keeps the old defaults.
        CMemFile memory;
        {
            CArchive archive(&memory, CArchive::store, 4096);
            Serialize(archive);
            archive.Close();
        }
        std::string bytes(static_cast<size_t>(memory.GetLength()), '\0');
        memory.SeekToBegin();
        if (!bytes.empty())
            memory.Read(bytes.data(), static_cast<UINT>(bytes.size()));
        return WriteFileAtomically(SystemPathFromName(path), bytes);
    }
    case 1: {
        CFile file;
        if (!file.Open(path, CFile::modeRead))
            return FALSE;
        CArchive archive(&file, CArchive::load, 4096);
        Serialize(archive);
        archive.Close();
        return TRUE;
    }
    default:
        return FALSE;
    }
}

CString MakeStoreFileName(LPCTSTR className)
{
    CString name = className;
    int length = name.GetLength();
    int tail = 0;
    for (int i = length - 1; tail < 3 && i >= 3 && !std::isupper(static_cast<unsigned char>(name[i])); --i)
        ++tail;
    if (length == 0 || name[0] != 'C')
        return name;
    CString rest = name.Mid(1);
    if (tail == 0 || tail == 3)
        return rest;
    int suffix = tail + 1;
    int stem = length - 1 - suffix;
    if (stem > 8)
        return rest;
    return rest.Left(stem) + "." + rest.Right(suffix);
}

CString CHyperOb::GetStoreFileName() const
{
    return MakeStoreFileName(GetRuntimeClass()->m_lpszClassName);
}

void CHyperOb::CopyFrom(const CHyperBaseOb* base)
{
    auto* other = dynamic_cast<const CHyperOb*>(base);
    if (!other || other == this)
        return;
    EnsureShape();
    if (other->HasShape()) {
        Rect() = other->Rect();
        Frame() = other->Frame();
        OutlineRect() = other->m_tracker ? other->m_tracker->m_outlineRect : other->m_shape.outline;
        Angle() = other->GetRotateAngle();
    }
    FreeOutline();
    if (other->m_outlineCount > 0) {
        m_outlineCount = other->m_outlineCount;
        m_outlinePoints = new POINT[static_cast<size_t>(m_outlineCount)];
        std::copy_n(other->m_outlinePoints, m_outlineCount, m_outlinePoints);
        if (other->m_rotatedPoints) {
            m_rotatedPoints = new POINT[static_cast<size_t>(m_outlineCount)];
            std::copy_n(other->m_rotatedPoints, m_outlineCount, m_rotatedPoints);
        }
    }
    Code = other->Code;
    PumpDataEvent.Copy(other->PumpDataEvent);
    ClickEvent.Copy(other->ClickEvent);
    InitializeEvent.Copy(other->InitializeEvent);
    Enable.Copy(other->Enable);
    Visible.Copy(other->Visible);
    DragOverEvent.Copy(other->DragOverEvent);
    DragDropEvent.Copy(other->DragDropEvent);
    CursorPointer = other->CursorPointer;
    if (other->m_rare)
        EditRare() = *other->m_rare;
    else if (m_rare)
        *m_rare = RareTexts();
    CreationDate = other->CreationDate;
    AlarmActive = other->AlarmActive;
    AuxInt = other->AuxInt;
    HelpContextID = other->HelpContextID;
    BackColor = other->BackColor;
    ForeColor = other->ForeColor;
    Font.Copy(other->Font);
    GroupID = other->GroupID;
    m_groupAux = other->m_groupAux;
    LayerID = other->LayerID;
    m_legacyLinks = other->m_legacyLinks;
    DfltIsLocked = other->DfltIsLocked;
    DfltCanDelete = other->DfltCanDelete;
    DfltCanResize = other->DfltCanResize;
    DfltCanRot = other->DfltCanRot;
    DfltCanInlineEditText = other->DfltCanInlineEditText;
    DfltCanEditPoints = other->DfltCanEditPoints;
    CopyLinksFrom(const_cast<CHyperOb*>(other));
    CGroupInfo* group = nullptr;
    if (other->m_groupInfo) {
        group = CreateGroupInfo();
        group->CopyFrom(other->m_groupInfo);
    }
    SetOwnGroupInfo(group);
    SetView(other->GetView());
}

void CHyperOb::CopyLinksFrom(CHyperOb* other)
{
    CSnapPointSet* points = GetSnapPoints(TRUE);
    CSnapPointSet* otherPoints = other->GetSnapPoints(TRUE);
    if (points && otherPoints)
        points->GetList().CopyFrom(&otherPoints->GetList());
    CConnectorEnds* ends = GetEndPoints();
    CConnectorEnds* otherEnds = other->GetEndPoints();
    if (ends && otherEnds)
        *ends = *otherEnds;
}

CHyperOb* CHyperOb::Clone() const
{
    CObject* created = GetRuntimeClass()->CreateObject();
    auto* copy = dynamic_cast<CHyperOb*>(created);
    if (!copy) {
        delete created;
        return nullptr;
    }
    copy->CopyFrom(this);
    return copy;
}

void CHyperOb::SetView(CHyperRunView* view)
{
    CHyperBaseOb::SetView(view);
    if (m_groupInfo)
        m_groupInfo->SetView(view);
    for (BOOL own : {FALSE, TRUE})
        if (CSnapPointSet* points = GetSnapPoints(own))
            points->SetOwner(this);
    if (CConnectorEnds* ends = GetEndPoints())
        ends->m_owner = this;
}

int CHyperOb::MakeUniqueCode(LPCTSTR base, int n)
{
    CObjectHost* host = GetHost();
    // An object without a name always gets one.
    if (!Code.IsEmpty() && !host->FindObject(Code, this))
        return n;
    if (n < 0) {
        Code = base;
        return n;
    }
    for (; n < INT_MAX; ++n) {
        CString candidate;
        candidate.Format("%s%d", base, n);
        if (!host->FindObject(candidate, this)) {
            Code = candidate;
            break;
        }
    }
    return n;
}

BOOL CHyperOb::IsEnabled() const
{
    return Enable.GetLong() != 0 && IsVisible();
}

BOOL CHyperOb::IsVisible() const
{
    CObjectHost* host = GetHost();
    return (host->IsEditMode() || Visible.GetLong() != 0) && host->IsLayerVisible(LayerID);
}

BOOL CHyperOb::IsLocked() const
{
    return !IsVisible() || GetHost()->IsLayerLocked(LayerID) || DfltIsLocked;
}

BOOL CHyperOb::CanResize() const
{
    return !GetHost()->IsNoResize() && DfltCanResize;
}

BOOL CHyperOb::GetForeColor(COLORREF* color) const
{
    *color = ForeColor == static_cast<COLORREF>(-1) ? GetSysColor(COLOR_BTNTEXT) : ForeColor;
    return TRUE;
}

BOOL CHyperOb::GetBackColor(COLORREF* color) const
{
    *color = BackColor == static_cast<COLORREF>(-1) ? const_cast<CHyperOb*>(this)->GetPageColor() : BackColor;
    return TRUE;
}

COLORREF CHyperOb::GetPageColor()
{
    COLORREF page = GetHost()->GetPageObjectColor();
    return page == static_cast<COLORREF>(-1) ? GetSysColor(COLOR_BTNFACE) : page;
}

COLORREF* CHyperOb::GetCustomColors()
{
    return GetHost()->GetCustomColors();
}

void CHyperOb::SetFont(const LOGFONT* font)
{
    Font.GetLogFont() = *font;
}

BOOL CHyperOb::GetFont(LOGFONT* font, BOOL effective) const
{
    *font = Font.GetLogFont();
    if (effective)
        GetEffectiveFont(font);
    return TRUE;
}

void CHyperOb::GetEffectiveFont(LOGFONT* font) const
{
    if (font->lfFaceName[0] != '\0')
        return;
    // A size chosen for the object stays; only the face comes from the page or the program.
    const LONG height = font->lfHeight;
    if (!GetHost()->GetPageFont(font))
        *font = GetViewSettings().m_defaultFont;
    if (height != 0)
        font->lfHeight = height;
}

CGroupInfo* CHyperOb::CreateGroupInfo() const
{
    return new CGroupInfo;
}

void CHyperOb::SetOwnGroupInfo(CGroupInfo* groupInfo)
{
    if (groupInfo == m_groupInfo)
        return;
    delete m_groupInfo;
    m_groupInfo = groupInfo;
    if (m_groupInfo)
        m_groupInfo->SetView(GetView());
}

CGroupInfo* CHyperOb::ReleaseOwnGroupInfo()
{
    CGroupInfo* record = m_groupInfo;
    m_groupInfo = nullptr;
    return record;
}

void CHyperOb::UpdateHotSpots()
{
    if (m_hotSpots && !m_hotSpots->IsEmpty())
        m_hotSpots->RepositionAll();
}

CHotSpotArray& CHyperOb::GetHotSpots()
{
    if (!m_hotSpots)
        m_hotSpots = std::make_unique<CHotSpotArray>();
    return *m_hotSpots;
}

UINT CHyperOb::GetHotSpotCursor(int px, int py, UINT flags, BOOL notify)
{
    return m_hotSpots && m_hotSpots->HitTestAll(px, py, flags, notify) ? CHyperOb::CursorHotSpot : 0;
}

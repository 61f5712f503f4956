// The object record that every page object begins its stored form with.
#include "objects/AnchorFmt.h"
#include "objects/Angles.h"
#include "objects/ConnectorEnds.h"
#include "objects/GroupInfo.h"
#include "objects/HyperOb.h"
#include "objects/HyperTracker.h"
#include "objects/SnapPointSet.h"
#include "objects/VersionTag.h"
#include "platform/core/Archive.h"

#include <cmath>

namespace {
// Marks the layout with the alarm fields; any other text in its place is an older URL.
constexpr char alarmMarker[] = "#ZUQA1#";

void StoreRect(CArchive& archive, const RECT& rect)
{
    archive << static_cast<WORD>(rect.left) << static_cast<WORD>(rect.top) << static_cast<WORD>(rect.right)
            << static_cast<WORD>(rect.bottom);
}

int ReadShort(CArchive& archive)
{
    WORD word;
    archive >> word;
    return static_cast<int16_t>(word);
}

CRect LoadRect(CArchive& archive)
{
    int left = ReadShort(archive);
    int top = ReadShort(archive);
    int right = ReadShort(archive);
    int bottom = ReadShort(archive);
    return CRect(left, top, right, bottom);
}

int ReadInt(CArchive& archive)
{
    DWORD value;
    archive >> value;
    return static_cast<int>(value);
}

CString ReadText(CArchive& archive)
{
    CString text;
    archive >> text;
    return text;
}

void SkipBytes(CArchive& archive, int count)
{
    BYTE ignored;
    for (int i = 0; i < count; ++i)
        archive >> ignored;
}
}

void CHyperOb::SerializeRecord(CArchive& archive)
{
    if (archive.IsStoring())
        StoreRecord(archive);
    else
        LoadRecord(archive);
}

void CHyperOb::StoreRecord(CArchive& archive) const
{
    CVersionTag tag(&archive, this, RecordVersion);
    tag.Write();
    CRect rect;
    GetRect(&rect, nullptr);
    archive << Code;
    StoreRect(archive, rect);
    const_cast<CObValue&>(PumpDataEvent).Serialize(archive);
    const_cast<CObValue&>(ClickEvent).Serialize(archive);
    archive << static_cast<DWORD>(CursorPointer) << GetToolTipText() << CString(alarmMarker) << GetAlarmTime()
            << CreationDate.Text() << GetAlarmSound() << static_cast<DWORD>(AlarmActive) << static_cast<DWORD>(AuxInt)
            << GetURL() << static_cast<DWORD>(HelpContextID);
    const_cast<CObValue&>(Enable).Serialize(archive);
    const_cast<CObValue&>(Visible).Serialize(archive);
    const_cast<CObValue&>(InitializeEvent).Serialize(archive);
    archive << static_cast<WORD>(GroupID) << static_cast<BYTE>(m_groupInfo ? 1 : 0);
    if (m_groupInfo)
        m_groupInfo->Serialize(archive);
    archive << static_cast<WORD>(LayerID);
    auto* self = const_cast<CHyperOb*>(this);
    if (CConnectorEnds* ends = self->GetEndPoints())
        ends->Serialize(archive);
    else
        self->SerializeEndPoints(archive);
    if (CSnapPointSet* points = self->GetStoredSnapPoints(TRUE))
        points->GetList().Serialize(archive);
    double angle = GetRotateAngle();
    archive << angle;
    if (angle != 0.0)
        StoreRect(archive, Frame());
    archive << static_cast<BYTE>(0) << GetTagText() << static_cast<BYTE>(0) << static_cast<BYTE>(0);
}

void CHyperOb::LoadRecord(CArchive& archive)
{
    CVersionTag tag(&archive, this, RecordVersion);
    tag.Read();
    int version = std::min(tag.GetVersion(), static_cast<int>(RecordVersion));
    if (version >= 0)
        archive >> Code;
    if (m_tracker)
        CreateTracker();
    Rect() = LoadRect(archive);
    if (version >= 2)
        PumpDataEvent.Serialize(archive);
    if (version == 1) {
        CString text;
        archive >> text;
        PumpDataEvent.Set(PumpDataEvent.GetKind(), text);
    }
    if (version >= 3) {
        ClickEvent.Serialize(archive);
        CString marker;
        archive >> CursorPointer;
        SetToolTipText(ReadText(archive));
        archive >> marker;
        if (marker == alarmMarker) {
            SetAlarmTime(ReadText(archive));
            CreationDate = ReadText(archive);
            SetAlarmSound(ReadText(archive));
            AlarmActive = ReadInt(archive);
            AuxInt = ReadInt(archive);
            SetURL(ReadText(archive));
        } else {
            SetURL(marker);
        }
        HelpContextID = ReadInt(archive);
        Enable.Serialize(archive);
        Visible.Serialize(archive);
    }
    if (version >= 4)
        InitializeEvent.Serialize(archive);
    Frame() = Rect();
    if (version >= 5) {
        GroupID = ReadShort(archive);
        BYTE hasGroup;
        archive >> hasGroup;
        if (hasGroup) {
            // A record held before is replaced, not leaked.
            SetOwnGroupInfo(CreateGroupInfo());
            m_groupInfo->Serialize(archive);
        }
        LayerID = ReadShort(archive);
        LoadLinks(archive, version);
        double angle;
        archive >> angle;
        Angle() = std::isfinite(angle) ? NormalizeDegrees(angle) : 0.0;
        if (angle != 0.0)
            Frame() = LoadRect(archive);
    }
    if (version >= 6) {
        BYTE reserved;
        archive >> reserved;
        SkipBytes(archive, reserved);
    }
    if (version >= 7) {
        SetTagText(ReadText(archive));
        SkipBytes(archive, 2);
    }
}

void CHyperOb::LoadLinks(CArchive& archive, int version)
{
    // Records before version 8 kept links that no longer hold once loaded.
    BOOL stale = version < 8 && !m_legacyLinks;
    if (CConnectorEnds* ends = GetEndPoints()) {
        ends->Serialize(archive);
        if (stale)
            ends->ClearEnds(nullptr);
    } else {
        SerializeEndPoints(archive);
    }
    BOOL own = !(version < 8 && m_legacyLinks);
    CSnapPointSet* points = GetStoredSnapPoints(own);
    if (!points) {
        SkipDerivedSnapList(archive, own);
        return;
    }
    points->GetList().Serialize(archive);
    if (stale && m_groupInfo && points->GetCount() > 0)
        m_groupInfo->m_hasSnapPoints = 0;
}

// Points that follow from the shape are not part of the record. A record that carries a list
// of them anyway is read past; the list opens with a tag that no angle stored in its place
// begins with in practice.
void CHyperOb::SkipDerivedSnapList(CArchive& archive, BOOL own)
{
    if (!GetSnapPoints(own))
        return;
    DWORD next = 0;
    if (!archive.Peek(&next, sizeof next) || next != CVersionTag::Magic)
        return;
    CAnchorFmt ignored;
    ignored.Serialize(archive);
}

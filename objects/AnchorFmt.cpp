#include "objects/AnchorFmt.h"

#include "objects/HyperOb.h"
#include "objects/VersionTag.h"
#include "platform/core/Archive.h"

IMPLEMENT_DYNAMIC(CAnchorItem, CObject)
IMPLEMENT_DYNAMIC(CAnchorItemEx, CAnchorItem)
IMPLEMENT_SERIAL(CAnchorFmt, CHyperListFmt, 0)
IMPLEMENT_SERIAL(CAnchorFmtEx, CAnchorFmt, 0)

namespace {

int ReadShort(CArchive& archive)
{
    short value = 0;
    archive >> value;
    return value;
}

} // namespace

void CAnchorItem::CopyFrom(const CListFmtItem* source)
{
    auto* item = static_cast<const CAnchorItem*>(source);
    m_id = item->m_id;
    m_position = item->m_position;
    m_xOffset = item->m_xOffset;
    m_yOffset = item->m_yOffset;
    m_offsetMode = item->m_offsetMode;
    m_connectionsIn = item->m_connectionsIn;
    m_connectionsOut = item->m_connectionsOut;
    m_maxIn = item->m_maxIn;
    m_maxOut = item->m_maxOut;
    m_dG = item->m_dG;
    m_color = item->m_color;
    m_colorFlag = item->m_colorFlag;
    m_name = item->m_name;
}

BOOL CAnchorItem::IsEqual(const CListFmtItem* other) const
{
    auto* item = static_cast<const CAnchorItem*>(other);
    return m_position == item->m_position && m_xOffset == item->m_xOffset && m_yOffset == item->m_yOffset &&
           m_offsetMode == item->m_offsetMode && m_connectionsIn == item->m_connectionsIn &&
           m_connectionsOut == item->m_connectionsOut && m_maxIn == item->m_maxIn && m_maxOut == item->m_maxOut &&
           m_dG == item->m_dG && m_color == item->m_color && m_colorFlag == item->m_colorFlag &&
           m_name == item->m_name;
}

void CAnchorItem::Reset()
{
    CAnchorItem defaults;
    CopyFrom(&defaults);
}

void CAnchorItem::Serialize(CArchive& archive)
{
    CVersionTag tag(&archive, this, Version);
    if (archive.IsStoring()) {
        tag.Write();
        archive << static_cast<short>(m_position) << m_xOffset << m_yOffset << m_offsetMode
                << static_cast<short>(m_id) << static_cast<short>(m_connectionsIn) << static_cast<short>(m_maxIn)
                << static_cast<short>(m_connectionsOut) << static_cast<short>(m_maxOut) << m_dG << m_color
                << m_colorFlag << static_cast<BYTE>(m_name.IsEmpty() ? 0 : 1);
        if (!m_name.IsEmpty())
            archive << m_name;
        return;
    }
    tag.Read();
    m_position = ReadShort(archive);
    archive >> m_xOffset >> m_yOffset >> m_offsetMode;
    m_id = ReadShort(archive);
    if (tag.GetVersion() < 0)
        return;
    m_connectionsIn = ReadShort(archive);
    m_maxIn = ReadShort(archive);
    m_connectionsOut = ReadShort(archive);
    m_maxOut = ReadShort(archive);
    archive >> m_dG;
    if (tag.GetVersion() >= 1)
        archive >> m_color >> m_colorFlag;
    if (tag.GetVersion() >= 2) {
        BYTE hasName = 0;
        archive >> hasName;
        if (hasName == 1)
            archive >> m_name;
    }
}

void CAnchorItemEx::CopyFrom(const CListFmtItem* source)
{
    CAnchorItem::CopyFrom(source);
    if (auto* item = dynamic_cast<const CAnchorItemEx*>(source))
        m_text = item->m_text;
}

BOOL CAnchorItemEx::IsEqual(const CListFmtItem* other) const
{
    auto* item = dynamic_cast<const CAnchorItemEx*>(other);
    return CAnchorItem::IsEqual(other) && item && m_text == item->m_text;
}

void CAnchorItemEx::Serialize(CArchive& archive)
{
    CAnchorItem::Serialize(archive);
    if (archive.IsStoring())
        archive << m_text;
    else
        archive >> m_text;
}

void CAnchorItemEx::Reset()
{
    CAnchorItem::Reset();
    m_text.Empty();
}

CListFmtItem* CAnchorFmt::CreateItem() const
{
    auto* item = new CAnchorItem;
    InitItem(item);
    return item;
}

CListFmtItem* CAnchorFmtEx::CreateItem() const
{
    auto* item = new CAnchorItemEx;
    InitItem(item);
    return item;
}

void CAnchorFmt::CopyFrom(const CHyperListFmt* source)
{
    CHyperListFmt::CopyFrom(source);
    if (auto* anchors = dynamic_cast<const CAnchorFmt*>(source)) {
        m_nextId = anchors->m_nextId;
        m_secondWord = anchors->m_secondWord;
    }
}

CAnchorItem* CAnchorFmt::FindPoint(int id) const
{
    for (INT_PTR i = 0; i < GetSize(); ++i) {
        if (GetAnchor(i)->m_id == id)
            return GetAnchor(i);
    }
    return nullptr;
}

void CAnchorFmt::Serialize(CArchive& archive)
{
    CVersionTag tag(&archive, this, Version);
    if (archive.IsStoring()) {
        tag.Write();
        archive << static_cast<short>(m_nextId) << static_cast<short>(m_secondWord);
        CHyperListFmt::Serialize(archive);
        return;
    }
    DeleteAll();
    tag.Read();
    m_nextId = ReadShort(archive);
    if (tag.GetVersion() >= 0)
        m_secondWord = ReadShort(archive);
    CHyperListFmt::Serialize(archive);
}

BOOL IsPointFull(const CAnchorItem* item, int direction)
{
    int connections = direction == 0 ? item->m_connectionsIn : item->m_connectionsOut;
    int maximum = direction == 0 ? item->m_maxIn : item->m_maxOut;
    return maximum != CAnchorItem::NoLimit && connections >= maximum;
}

CPoint GetBasePoint(const RECT& rect, int position)
{
    int midX = (rect.left + rect.right) / 2;
    int midY = (rect.top + rect.bottom) / 2;
    static constexpr int xs[9] = {0, 2, 2, 0, 1, 2, 1, 0, 1};
    static constexpr int ys[9] = {0, 0, 2, 2, 0, 1, 2, 1, 1};
    if (position < 0 || position > 8)
        return CPoint(0, 0);
    const int x[3] = {static_cast<int>(rect.left), midX, static_cast<int>(rect.right)};
    const int y[3] = {static_cast<int>(rect.top), midY, static_cast<int>(rect.bottom)};
    return CPoint(x[xs[position]], y[ys[position]]);
}

BOOL GetSnapPointPosition(const CAnchorFmt& list, const RECT& rect, POINT center, double angle, POINT* out,
                          COLORREF* color, int id)
{
    const CAnchorItem* item = list.FindPoint(id);
    if (!item)
        return FALSE;
    POINT point = GetBasePoint(rect, item->m_position);
    if (item->m_offsetMode) {
        point.x += item->m_xOffset;
        point.y += item->m_yOffset;
    } else {
        point.x += static_cast<int>((static_cast<long long>(rect.right - rect.left) * item->m_xOffset + 49) / 100);
        point.y += static_cast<int>((static_cast<long long>(rect.bottom - rect.top) * item->m_yOffset + 49) / 100);
    }
    if (color)
        *color = item->m_colorFlag ? item->m_color : static_cast<COLORREF>(-1);
    if (angle != 0)
        RotatePoints(&point, &point, 1, angle, center.x, center.y);
    *out = point;
    return TRUE;
}

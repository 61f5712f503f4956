#include "objects/LayerFmt.h"

#include "objects/VersionTag.h"
#include "platform/core/Archive.h"

#include <algorithm>

IMPLEMENT_SERIAL(CLayerFmt, CHyperListFmt, 0)

namespace {

int ClampShort(int value)
{
    return std::clamp(value, -32768, 32767);
}

CString LoadText(UINT id)
{
    CString text;
    text.LoadString(id);
    return text;
}

} // namespace

void CLayerItem::SetId(int id)
{
    m_id = ClampShort(id);
}

void CLayerItem::CopyFrom(const CListFmtItem* source)
{
    auto* layer = static_cast<const CLayerItem*>(source);
    m_id = layer->m_id;
    m_name = layer->m_name;
    m_visible = layer->m_visible;
    m_locked = layer->m_locked;
}

BOOL CLayerItem::IsEqual(const CListFmtItem* other) const
{
    auto* layer = static_cast<const CLayerItem*>(other);
    return m_name == layer->m_name && m_visible == layer->m_visible && m_locked == layer->m_locked;
}

void CLayerItem::Serialize(CArchive& archive)
{
    if (archive.IsStoring()) {
        archive << static_cast<short>(m_id) << m_name << m_visible << m_locked;
        return;
    }
    short id = 0;
    archive >> id >> m_name >> m_visible >> m_locked;
    m_id = id;
}

void CLayerFmt::SetCurrentIndex(int index)
{
    m_currentIndex = std::clamp(index, 0, 0xFFFF);
}

void CLayerFmt::SetNextLayerNumber(int next)
{
    m_nextLayer = std::clamp(next, 0, 0xFFFF);
}

void CLayerFmt::CopyFrom(const CHyperListFmt* source)
{
    CHyperListFmt::CopyFrom(source);
    auto* layers = dynamic_cast<const CLayerFmt*>(source);
    if (!layers)
        return;
    m_lockOthers = layers->m_lockOthers;
    m_currentIndex = layers->m_currentIndex;
    m_nextLayer = layers->m_nextLayer;
    m_currentNoticeIndex = layers->m_currentNoticeIndex;
}

void CLayerFmt::AppendNoticeLayer()
{
    auto* layer = new CLayerItem;
    layer->SetId(m_nextLayer + NoticeBase);
    layer->m_name = LoadText(NoticeNameId);
    AddItem(layer);
    SetNextLayerNumber(m_nextLayer + 1);
}

void CLayerFmt::AddDefaultLayers()
{
    auto* layer = new CLayerItem;
    layer->SetId(m_nextLayer);
    layer->m_name = LoadText(StandardNameId);
    AddItem(layer);
    SetNextLayerNumber(m_nextLayer + 1);
    AppendNoticeLayer();
}

void CLayerFmt::RaiseNextAboveOrdinaryIds()
{
    for (INT_PTR i = 0; i < GetSize(); ++i) {
        const CLayerItem* layer = GetLayerItem(i);
        if (!layer->IsNoticeLayer() && layer->GetId() >= m_nextLayer)
            SetNextLayerNumber(layer->GetId() + 1);
    }
}

void CLayerFmt::Serialize(CArchive& archive)
{
    CVersionTag tag(&archive, this, Version);
    if (archive.IsStoring()) {
        tag.Write();
        archive << static_cast<WORD>(m_currentIndex) << static_cast<WORD>(m_nextLayer)
                << static_cast<BYTE>(m_lockOthers);
        CHyperListFmt::Serialize(archive);
        return;
    }
    tag.Read();
    DeleteAll();
    WORD ignoredIndex = 0;
    archive >> ignoredIndex;
    if (tag.GetVersion() >= 0) {
        WORD next = 0;
        archive >> next;
        m_nextLayer = next;
    }
    if (tag.GetVersion() >= 1) {
        BYTE lock = 0;
        archive >> lock;
        m_lockOthers = lock;
    }
    CHyperListFmt::Serialize(archive);
    // Ids handed out later must not repeat a stored ordinary layer's id.
    RaiseNextAboveOrdinaryIds();
    for (INT_PTR i = 0; i < GetSize(); ++i) {
        if (GetLayerItem(i)->IsNoticeLayer())
            return;
    }
    AppendNoticeLayer();
}

int CLayerFmt::GetCurrentLayerId() const
{
    if (m_currentIndex < 0 || m_currentIndex >= GetSize())
        return 0;
    return GetLayerItem(m_currentIndex)->GetId();
}

int CLayerFmt::FindLayerIndex(int id) const
{
    for (INT_PTR i = 0; i < GetSize(); ++i) {
        if (GetLayerItem(i)->GetId() == id)
            return static_cast<int>(i);
    }
    return -1;
}

CLayerItem* CLayerFmt::GetLayer(int id) const
{
    if (id < 0)
        id = GetCurrentLayerId();
    if (id == 0)
        return GetSize() > 0 ? GetLayerItem(0) : nullptr;
    int index = FindLayerIndex(id);
    return index < 0 ? nullptr : GetLayerItem(index);
}

BOOL CLayerFmt::IsItemVisible(const CLayerItem* item) const
{
    return item->m_visible != 0;
}

BOOL CLayerFmt::IsLayerVisible(int id) const
{
    const CLayerItem* layer = GetLayer(id);
    return !layer || IsItemVisible(layer);
}

BOOL CLayerFmt::IsItemLocked(const CLayerItem* item) const
{
    if (m_lockOthers)
        return item->GetId() != GetCurrentLayerId();
    return item->m_locked != 0;
}

BOOL CLayerFmt::IsLayerLocked(int id) const
{
    const CLayerItem* layer = GetLayer(id);
    return layer && IsItemLocked(layer);
}

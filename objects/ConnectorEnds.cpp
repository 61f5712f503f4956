#include "objects/ConnectorEnds.h"

#include "objects/HyperOb.h"
#include "objects/HyperTracker.h"
#include "objects/ObjectHost.h"
#include "objects/SnapPointSet.h"
#include "platform/core/Archive.h"
#include "platform/core/ArchiveException.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <map>
#include <set>
#include <utility>
#include <vector>

namespace {

CHyperOb* FindByCode(CObjectHost* host, const CString& code)
{
    return code.IsEmpty() ? nullptr : dynamic_cast<CHyperOb*>(host->FindObject(code, nullptr));
}

// The connectors waiting at each snap-point set, and the connectors not passed yet.
struct Network {
    std::map<CSnapPointSet*, std::vector<CHyperOb*>> waiting;
    std::set<CHyperOb*> unvisited;
};

Network CollectConnectors(CObjectHost* host)
{
    Network network;
    for (int i = 0; i < host->GetObjectCount(); ++i) {
        auto* connector = dynamic_cast<CHyperOb*>(host->GetObjectAt(i));
        CConnectorEnds* ends = connector ? connector->GetEndPoints() : nullptr;
        if (!ends)
            continue;
        network.unvisited.insert(connector);
        for (const CConnectorEnds::End& end : ends->m_ends) {
            CHyperOb* target = FindByCode(host, end.code);
            if (CSnapPointSet* set = target ? target->GetSnapPoints(FALSE) : nullptr)
                network.waiting[set].push_back(connector);
        }
    }
    return network;
}

} // namespace

CConnectorEnds& CConnectorEnds::operator=(const CConnectorEnds& other)
{
    if (this != &other) {
        m_ends[0] = other.m_ends[0];
        m_ends[1] = other.m_ends[1];
        std::copy(std::begin(other.m_words), std::end(other.m_words), std::begin(m_words));
    }
    return *this;
}

void CConnectorEnds::Serialize(CArchive& archive)
{
    if (archive.IsStoring()) {
        WORD count = IsConnected() ? 2 : 0;
        archive << m_words[0] << static_cast<BYTE>(m_words[1]) << count;
        for (int i = 0; i < count; ++i)
            archive << static_cast<WORD>(m_ends[i].snapId) << m_ends[i].code;
        return;
    }
    BYTE swap;
    WORD count;
    archive >> m_words[0] >> swap >> count;
    // A record holds at most two ends.
    if (count > 2)
        AfxThrowArchiveException(CArchiveException::badIndex);
    m_words[1] = swap;
    ClearEnds(nullptr);
    for (int i = 0; i < count; ++i) {
        WORD id;
        archive >> id >> m_ends[i].code;
        m_ends[i].snapId = static_cast<int16_t>(id);
    }
}

void CConnectorEnds::ClearEnds(LPCTSTR name)
{
    for (End& end : m_ends) {
        if (name && end.code != name)
            continue;
        end.code.Empty();
        end.snapId = -1;
    }
}

CObjectHost* CConnectorEnds::GetOwnerHost() const
{
    return m_owner ? GetObjectHost(m_owner->GetView()) : nullptr;
}

CRect CConnectorEnds::GetOwnerRect() const
{
    CRect rect;
    if (m_owner)
        m_owner->GetRect(&rect, nullptr);
    return rect;
}

void CConnectorEnds::ComputeEndPoints(POINT* first, POINT* second, BOOL swap, int* handle1, int* handle2) const
{
    const CRect r = GetOwnerRect();
    const LONG midY = r.top + (r.bottom - r.top) / 2;
    const LONG midX = r.left + (r.right - r.left) / 2;
    POINT a, b;
    int ha, hb;
    switch (GetOrientation()) {
    case Rising:
        a = {r.right, r.top}, ha = 1, b = {r.left, r.bottom}, hb = 3;
        break;
    case Horizontal:
        a = {r.left, midY}, ha = 7, b = {r.right, midY}, hb = 5;
        break;
    case Vertical:
        a = {midX, r.top}, ha = 4, b = {midX, r.bottom}, hb = 6;
        break;
    default:
        a = {r.left, r.top}, ha = 0, b = {r.right, r.bottom}, hb = 2;
        break;
    }
    if (swap) {
        std::swap(a, b);
        if (handle1 && handle2)
            std::swap(ha, hb);
    }
    *first = a;
    *second = b;
    if (handle1)
        *handle1 = ha;
    if (handle2)
        *handle2 = hb;
}

BOOL CConnectorEnds::MoveEndPoints(const POINT points[2], const int handles[2])
{
    const CRect old = GetOwnerRect();
    CRect r = old;
    BOOL swapX = FALSE, swapY = FALSE;
    for (int i = 0; i < 2; ++i) {
        const POINT p = points[i];
        switch (handles[i]) {
        case 0:
            r.left = p.x, r.top = p.y;
            break;
        case 1:
            r.right = p.x, r.top = p.y;
            break;
        case 2:
            r.right = p.x, r.bottom = p.y;
            break;
        case 3:
        case 7:
            r.left = p.x, r.bottom = p.y;
            break;
        case 4:
            r.right = p.x, r.top = p.y, swapX = TRUE;
            break;
        case 5:
            r.right = p.x, r.top = p.y, swapY = TRUE;
            break;
        case 6:
            r.left = p.x, r.bottom = p.y, swapX = TRUE;
            break;
        default:
            break;
        }
    }
    if (swapX)
        std::swap(r.left, r.right);
    if (swapY)
        std::swap(r.top, r.bottom);
    if (r == old || !m_owner)
        return FALSE;
    m_owner->SetRect(r);
    return TRUE;
}

void CConnectorEnds::UpdateOrientation(BOOL apply)
{
    if (!m_owner)
        return;
    CHyperObTracker* tracker = m_owner->GetTracker();
    tracker->m_sizeMin = CSize(1, 1);
    CRect r = GetOwnerRect();
    const LONG dy = r.bottom - r.top;
    const LONG dx = r.right - r.left;
    const BOOL flat = std::abs(dy) <= 1;
    const BOOL narrow = std::abs(dx) <= 1;
    const BOOL odd = tracker->m_trackedHandle >= 0 && tracker->m_trackedHandle % 2 == 1;
    int o = GetOrientation();
    BOOL toggle;
    if (!flat)
        toggle = o == Horizontal && odd ? dy > 0 : dy < 0;
    else
        toggle = ((o == Horizontal || o == Diagonal) && dx < 0) || (o == Rising && dx > 0);
    if (toggle)
        SetSwapped(!IsSwapped());
    r.NormalizeRect();
    if (!flat && !narrow) {
        if (o == Horizontal || o == Vertical) {
            BOOL diagonal = static_cast<long long>(dy) * dx > 0;
            o = (diagonal != odd) ? Diagonal : Rising;
        } else {
            if (dx < 0)
                o = o == Diagonal ? Rising : Diagonal;
            if (dy < 0)
                o = o == Diagonal ? Rising : Diagonal;
        }
    } else if (r.Height() <= 1) {
        r.bottom = r.top + 1;
        o = Horizontal;
    } else {
        r.right = r.left + 1;
        o = Vertical;
    }
    SetOrientation(o);
    if (apply)
        m_owner->SetRect(r);
}

CPoint CConnectorEnds::GetStartPoint() const
{
    POINT first, second;
    ComputeEndPoints(&first, &second, IsSwapped());
    return first;
}

CPoint CConnectorEnds::GetEndPoint() const
{
    POINT first, second;
    ComputeEndPoints(&first, &second, IsSwapped());
    return second;
}

int CConnectorEnds::GetOwnerTrackerState() const
{
    return m_owner && m_owner->HasTracker() ? m_owner->GetTracker()->m_trackedHandle : -1;
}

CHyperOb* CConnectorEnds::GetAttachedObject(int index, int* id) const
{
    const End& end = m_ends[index];
    if (end.code.IsEmpty())
        return nullptr;
    if (id)
        *id = end.snapId;
    CObjectHost* host = GetOwnerHost();
    return host ? FindByCode(host, end.code) : nullptr;
}

int CConnectorEnds::GetSnapPointType(int index) const
{
    int id = -1;
    CHyperOb* object = GetAttachedObject(index, &id);
    CSnapPointSet* points = object ? object->GetSnapPoints(FALSE) : nullptr;
    CAnchorItem* item = points ? points->FindPoint(id) : nullptr;
    return item ? item->m_position : -1;
}

void ReplaceRectCoord(RECT* r, LONG oldX, LONG oldY, LONG newX, LONG newY)
{
    if (r->left == oldX)
        r->left = newX;
    else if (r->right == oldX)
        r->right = newX;
    if (r->top == oldY)
        r->top = newY;
    else if (r->bottom == oldY)
        r->bottom = newY;
}

BOOL GetSnapPlace(const CSnapPointSet* points, int id, POINT* place)
{
    // The set answers FALSE for a place equal to the point passed in; start from none.
    *place = {INT_MIN, INT_MIN};
    points->GetPointPosition(place, &id, nullptr, FALSE);
    return id != -1 && place->x != INT_MIN;
}

void RouteSnapConnections(CHyperOb* start, BOOL notify)
{
    CObjectHost* host = GetObjectHost(start->GetView());
    if (!host)
        return;
    Network network = CollectConnectors(host);
    // Each connector is passed once, so loops in the network end.
    std::vector<std::pair<CHyperOb*, int>> stack = {{start, 0}};
    while (!stack.empty()) {
        auto [object, depth] = stack.back();
        stack.pop_back();
        if (!object || object->Code.IsEmpty())
            continue;
        if (network.unvisited.erase(object)) {
            for (const CConnectorEnds::End& end : object->GetEndPoints()->m_ends)
                stack.emplace_back(FindByCode(host, end.code), depth + 1);
        } else if (CSnapPointSet* set = object->GetSnapPoints(FALSE)) {
            auto waiting = network.waiting.find(set);
            if (waiting != network.waiting.end()) {
                std::vector<CHyperOb*> connectors = std::move(waiting->second);
                network.waiting.erase(waiting);
                for (CHyperOb* connector : connectors)
                    stack.emplace_back(connector, depth + 1);
            }
        }
        if (notify && host->IsEditMode() && depth >= 1) {
            host->AddToSelection(object);
            object->Select(FALSE);
        }
    }
    if (notify)
        host->NotifySelectionChanged();
}

#include "objects/ConnectorEnds.h"

#include "objects/HyperOb.h"
#include "objects/ObjectHost.h"
#include "platform/core/Archive.h"
#include "platform/core/ArchiveException.h"

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
        host->OnSelectionChanged();
}

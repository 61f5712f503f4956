// What the two ends of a line or connector are attached to: the Code of an object and the
// id of one of its snap points, or an empty Code and -1 for a free end.
#pragma once

#include "platform/core/String.h"

class CArchive;
class CHyperOb;
class CSnapPointSet;

class CConnectorEnds {
public:
    struct End {
        CString code;
        int snapId = -1;
    };

    virtual ~CConnectorEnds() = default;

    // The stored form inside the owner's object record: orientation, swap flag, then the
    // two ends when either names an object.
    virtual void Serialize(CArchive& archive);
    // Moves the ends attached to the named object onto its snap points' current places;
    // TRUE when an end moved. The line kinds know their end points; the record alone does not.
    virtual BOOL FollowObject(LPCTSTR, CSnapPointSet*) { return FALSE; }
    // Frees every end attached to the named object; with no name, both ends.
    virtual void ClearEnds(LPCTSTR name);
    BOOL IsConnected() const { return !m_ends[0].code.IsEmpty() || !m_ends[1].code.IsEmpty(); }

    End m_ends[2];
    DWORD m_words[3] = {0, 1, 0};
    CHyperOb* m_owner = nullptr;
};

// Selects the objects that the start object reaches through connectors attached to snap
// points; with the flag the view is told that the selection changed.
void RouteSnapConnections(CHyperOb* start, BOOL notify);

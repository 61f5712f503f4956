// What the two ends of a line or connector are attached to: the Code of an object and the
// id of one of its snap points, or an empty Code and -1 for a free end.
#pragma once

#include "platform/core/String.h"

class CHyperOb;

class CConnectorEnds {
public:
    struct End {
        CString code;
        int snapId = -1;
    };

    End m_ends[2];
    DWORD m_words[3] = {0, 1, 0};
    CHyperOb* m_owner = nullptr;
};

// Selects the objects that the start object reaches through connectors attached to snap
// points; with the flag the view is told that the selection changed.
void RouteSnapConnections(CHyperOb* start, BOOL notify);

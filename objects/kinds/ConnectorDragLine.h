// The line that stands for a connector while the user drags one of its ends: it follows the
// mouse from the end that stays, shows the path the connector would take and marks the snap
// point the dragged end would take.
#pragma once

#include "objects/kinds/LineOb.h"

#include <vector>

class CConnectL0;

// Where a dragged end lands: the nearest snap point of the topmost object under the point,
// else a snap point whose capture square holds it. FALSE over empty page.
struct SnapLanding {
    POINT place;
    int side;
};
BOOL FindSnapLanding(const CObArray& targets, CPoint page, SnapLanding* landing);
// The side (snap-point position) of the targets' snap point at the place, -1 when none is.
int SnapSideAt(const CObArray& targets, POINT place);

class CConnectorDragLine : public CLineOb {
public:
    explicit CConnectorDragLine(CConnectL0& connector);

    // Takes end 0 (the first point) or 1 (the last) as the dragged one and gathers the snap
    // points it may land on.
    void Begin(int end);
    // Drags end 0 (the first point) or 1 (the last) from a page point. FALSE when the drag was
    // cancelled or let go where no snap point takes the end; else the end's new place.
    BOOL Drag(int end, CPoint page, POINT* moved);

    void CollectSnapTargets() override;
    BOOL DrawDragFeedback(CWnd* clipTo, CDC* dc, CWnd* wnd, BOOL erase) override;

private:
    // The routed path, first point first, with the dragged end at the page point.
    std::vector<POINT> RoutedPath(POINT dragged, int draggedSide) const;

    CConnectL0& m_connector;
    int m_end = 1;
    POINT m_fixed {0, 0};
    int m_fixedSide = -1;
};

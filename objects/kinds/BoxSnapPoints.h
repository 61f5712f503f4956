// The four snap points of a Rectangle-tool box, one in the middle of each side. They follow
// from the box alone and are never stored: ids 0-3 always name top, right, bottom and left,
// so connections to them hold across save and reopen. Until something changes them (a use
// count, say), every box reads one shared list, so a page of many boxes holds no items.
#pragma once

#include "objects/SnapPointSet.h"

class CBoxSnapPoints : public CSnapPointSet {
public:
    explicit CBoxSnapPoints(CHyperOb* owner);

    // Puts back the four points with their fixed ids and no use counts.
    void Reset();
    CAnchorFmt& GetList() override;
    const CAnchorFmt& GetList() const override;
    // Use counts do not survive a load, so the connectors of the page are asked instead.
    BOOL HasConnections() const override;

private:
    BOOL m_ownList = FALSE;
};

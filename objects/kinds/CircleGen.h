// The ellipse as the Ellipse tool inserts it: white instead of unfilled, no help-context
// property, no snap points of its own, and groups of the generator kind.
#pragma once

#include "objects/kinds/CircleOb.h"

class CCircleGen : public CCircleOb {
    DECLARE_SERIAL(CCircleGen)
public:
    CCircleGen();

    CPropOb* CreateProperty(UINT propertyId, BOOL withChoices) override;
    CSnapPointSet* GetSnapPoints(BOOL own) override;
    CGroupInfo* CreateGroupInfo() const override;
};

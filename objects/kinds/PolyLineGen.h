// The polyline as the Freehand tool inserts it: no help-context property, no snap points of
// its own, and groups of the generator kind.
#pragma once

#include "objects/kinds/PolyLineOb.h"

class CPolyLineGen : public CPolyLineOb {
    DECLARE_SERIAL(CPolyLineGen)
public:
    CPolyLineGen() = default;

    CPropOb* CreateProperty(UINT propertyId, BOOL withChoices) override;
    CSnapPointSet* GetSnapPoints(BOOL own) override;
    CGroupInfo* CreateGroupInfo() const override;
};

// The border as the Rectangle tool inserts it: white instead of unfilled, no help-context
// property, no snap points of its own, and groups of the generator kind.
#pragma once

#include "objects/kinds/BorderOb.h"

class CBorderGen : public CBorderOb {
    DECLARE_SERIAL(CBorderGen)
public:
    CBorderGen();

    CPropOb* CreateProperty(UINT propertyId, BOOL withChoices) override;
    CSnapPointSet* GetSnapPoints(BOOL own) override;
    CGroupInfo* CreateGroupInfo() const override;
};

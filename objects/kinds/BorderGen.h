// The border as the Rectangle tool inserts it: white instead of unfilled, no help-context
// property, and groups of the generator kind. It keeps the border's four snap points, so
// connectors can join rectangles.
#pragma once

#include "objects/kinds/BorderOb.h"

class CBorderGen : public CBorderOb {
    DECLARE_SERIAL(CBorderGen)
public:
    CBorderGen();

    CPropOb* CreateProperty(UINT propertyId, BOOL withChoices) override;
    CGroupInfo* CreateGroupInfo() const override;
};

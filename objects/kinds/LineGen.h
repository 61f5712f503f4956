// The line as the Line and Polyline tools insert it: no help-context property, and groups of
// the generator kind.
#pragma once

#include "objects/kinds/LineOb.h"

class CLineGen : public CLineOb {
    DECLARE_SERIAL(CLineGen)
public:
    CLineGen() = default;

    CPropOb* CreateProperty(UINT propertyId, BOOL withChoices) override;
    CGroupInfo* CreateGroupInfo() const override;
};

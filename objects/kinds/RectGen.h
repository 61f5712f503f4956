// The labelled frame as the Frame tool inserts it: no help-context property, and groups of
// the generator kind.
#pragma once

#include "objects/kinds/RectOb.h"

class CRectGen : public CRectOb {
    DECLARE_SERIAL(CRectGen)
public:
    CRectGen() = default;

    CPropOb* CreateProperty(UINT propertyId, BOOL withChoices) override;
    CGroupInfo* CreateGroupInfo() const override;
};

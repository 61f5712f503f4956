// The graphic shape as its insert tool makes it: no help-context property, no snap points of its
// own, and groups of the generator kind.
#pragma once

#include "objects/kinds/ShapeOb.h"

class CShapeGen : public CShapeOb {
    DECLARE_SERIAL(CShapeGen)
public:
    CPropOb* CreateProperty(UINT propertyId, BOOL withChoices) override;
    CSnapPointSet* GetSnapPoints(BOOL own) override;
    CGroupInfo* CreateGroupInfo() const override;
};

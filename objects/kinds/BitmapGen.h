// The picture as its insert tool makes it: no help-context property, no snap points of its
// own, and groups of the generator kind.
#pragma once

#include "objects/kinds/BitmapOb.h"

class CBitmapGen : public CBitmapOb {
    DECLARE_SERIAL(CBitmapGen)
public:
    CPropOb* CreateProperty(UINT propertyId, BOOL withChoices) override;
    CSnapPointSet* GetSnapPoints(BOOL own) override;
    CGroupInfo* CreateGroupInfo() const override;
};

// The text box as the Text tool inserts it: no help-context property, no snap points of its
// own, and groups of the generator kind.
#pragma once

#include "objects/kinds/TextOb.h"

class CTextGen : public CTextOb {
    DECLARE_SERIAL(CTextGen)
public:
    CTextGen() = default;

    CPropOb* CreateProperty(UINT propertyId, BOOL withChoices) override;
    CSnapPointSet* GetSnapPoints(BOOL own) override;
    CGroupInfo* CreateGroupInfo() const override;
};

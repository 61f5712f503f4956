// The border as the Rectangle tool inserts it: white instead of unfilled, no help-context
// property, and groups of the generator kind. Its record holds no snap points; connectors
// join it at the four points that follow from the box.
#pragma once

#include "objects/kinds/BorderOb.h"
#include "objects/kinds/BoxSnapPoints.h"

class CBorderGen : public CBorderOb {
    DECLARE_SERIAL(CBorderGen)
public:
    CBorderGen();

    CPropOb* CreateProperty(UINT propertyId, BOOL withChoices) override;
    CGroupInfo* CreateGroupInfo() const override;
    void ApplyDefaults() override;
    CSnapPointSet* GetSnapPoints(BOOL own) override;
    CSnapPointSet* GetStoredSnapPoints(BOOL own) override;

private:
    CBoxSnapPoints m_boxPoints;
};

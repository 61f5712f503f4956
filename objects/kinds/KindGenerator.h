// What every insert tool's generator changes of its kind: no help-context property, the
// snap points of the page-object base instead of the kind's own, and groups of the
// generator kind. Each generator derives from this over its object class.
#pragma once

#include "objects/GenGroupInfo.h"
#include "objects/HyperOb.h"
#include "objects/kinds/KindShared.h"

template <class Kind>
class KindGenerator : public Kind {
public:
    CPropOb* CreateProperty(UINT propertyId, BOOL withChoices) override
    {
        return DropHelpContextProp(Kind::CreateProperty(propertyId, withChoices));
    }
    CSnapPointSet* GetSnapPoints(BOOL own) override { return CHyperOb::GetSnapPoints(own); }
    CGroupInfo* CreateGroupInfo() const override { return new CGenGroupInfo; }
};

// The page as the generating editor makes it: a larger scroll extent, and no editors for
// the scroll bars and the print scale.
#pragma once

#include "objects/HyperViewOb.h"

class CGenViewOb : public CHyperViewOb {
    DECLARE_SERIAL(CGenViewOb)
public:
    static constexpr int DefaultScrollSize = 1000;

    CGenViewOb();

    CPropOb* CreateProperty(UINT propertyId, BOOL argument) override;
};

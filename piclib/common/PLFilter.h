// Base of bitmap filters: a filter overrides Apply or ApplyInPlace.
#pragma once

#include "piclib/common/PLObject.h"

class PLBmp;
class PLBmpBase;

class PLFilter : public PLObject {
public:
    virtual void ApplyInPlace(PLBmp& bmp) const;
    virtual void Apply(const PLBmpBase& source, PLBmp& destination) const;
};

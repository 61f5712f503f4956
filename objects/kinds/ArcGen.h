// The arc as the Arc tool inserts it.
#pragma once

#include "objects/kinds/ArcOb.h"
#include "objects/kinds/KindGenerator.h"

class CArcGen : public KindGenerator<CArcOb> {
    DECLARE_SERIAL(CArcGen)
};

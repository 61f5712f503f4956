// The sticky note as the Note tool makes it.
#pragma once

#include "objects/kinds/KindGenerator.h"
#include "objects/kinds/StickyOb.h"

class CStickyGen : public KindGenerator<CStickyOb> {
    DECLARE_SERIAL(CStickyGen)
};

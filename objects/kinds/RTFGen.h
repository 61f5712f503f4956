// The rich-text note as the RTF Note tool makes it.
#pragma once

#include "objects/kinds/KindGenerator.h"
#include "objects/kinds/RTFOb.h"

class CRTFGen : public KindGenerator<CRTFOb> {
    DECLARE_SERIAL(CRTFGen)
};

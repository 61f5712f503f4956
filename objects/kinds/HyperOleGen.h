// The OLE object as its insert tool makes it.
#pragma once

#include "objects/kinds/HyperOleOb.h"
#include "objects/kinds/KindGenerator.h"

class CHyperOleGen : public KindGenerator<CHyperOleOb> {
    DECLARE_SERIAL(CHyperOleGen)
};

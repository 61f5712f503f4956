// The text box as the Text tool inserts it.
#pragma once

#include "objects/kinds/KindGenerator.h"
#include "objects/kinds/TextOb.h"

class CTextGen : public KindGenerator<CTextOb> {
    DECLARE_SERIAL(CTextGen)
};

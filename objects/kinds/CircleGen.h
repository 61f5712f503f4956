// The ellipse as the Ellipse tool inserts it: white instead of unfilled.
#pragma once

#include "objects/kinds/CircleOb.h"
#include "objects/kinds/KindGenerator.h"

class CCircleGen : public KindGenerator<CCircleOb> {
    DECLARE_SERIAL(CCircleGen)
public:
    CCircleGen() { BackColor = RGB(255, 255, 255); }
};

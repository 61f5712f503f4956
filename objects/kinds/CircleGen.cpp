#include "objects/kinds/CircleGen.h"

IMPLEMENT_SERIAL(CCircleGen, CCircleOb, 0)

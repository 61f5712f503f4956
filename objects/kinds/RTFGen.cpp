#include "objects/kinds/RTFGen.h"

IMPLEMENT_SERIAL(CRTFGen, CRTFOb, 0)

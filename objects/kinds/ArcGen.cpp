#include "objects/kinds/ArcGen.h"

IMPLEMENT_SERIAL(CArcGen, CArcOb, 0)

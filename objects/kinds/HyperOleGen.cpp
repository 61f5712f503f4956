#include "objects/kinds/HyperOleGen.h"

IMPLEMENT_SERIAL(CHyperOleGen, CHyperOleOb, 0)

#include "objects/kinds/StickyGen.h"

IMPLEMENT_SERIAL(CStickyGen, CStickyOb, 0)

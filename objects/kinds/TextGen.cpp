#include "objects/kinds/TextGen.h"

IMPLEMENT_SERIAL(CTextGen, CTextOb, 0)

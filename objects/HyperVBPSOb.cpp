#include "objects/HyperVBPSOb.h"

IMPLEMENT_DYNCREATE(CHyperVBPSOb, CCmdTarget)

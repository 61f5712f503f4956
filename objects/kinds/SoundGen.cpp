#include "objects/kinds/SoundGen.h"

IMPLEMENT_SERIAL(CSoundGen, CSoundOb, 0)

// The sound note as the Sound Note tool makes it.
#pragma once

#include "objects/kinds/KindGenerator.h"
#include "objects/kinds/SoundOb.h"

class CSoundGen : public KindGenerator<CSoundOb> {
    DECLARE_SERIAL(CSoundGen)
};

// Reads portable grey maps (P2 text, P5 binary) into 8-bit grey bitmaps.
#pragma once

#include "piclib/common/PLPNMDecoder.h"

class PLPGMDecoder : public PLPNMDecoder {
public:
    PLPGMDecoder();

    void GetImage(PLBmp& bmp) override;

protected:
    void SetDescription() override;
};

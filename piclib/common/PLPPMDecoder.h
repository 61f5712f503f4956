// Reads portable pixel maps (P3 text, P6 binary) into 32-bit bitmaps.
#pragma once

#include "piclib/common/PLPNMDecoder.h"

class PLPPMDecoder : public PLPNMDecoder {
public:
    PLPPMDecoder();

    void GetImage(PLBmp& bmp) override;

protected:
    void SetDescription() override;
};

#include "piclib/common/PLPGMDecoder.h"

#include "piclib/common/PLBmp.h"

PLPGMDecoder::PLPGMDecoder()
    : PLPNMDecoder('2', '5', 1, "Decoding PGM.\n", "PGM decoder: Is not the correct identifier P5 or P2.")
{
}

void PLPGMDecoder::SetDescription()
{
    SetBmpInfo({m_Width, m_Height}, 8, {0, 0}, false, true);
}

void PLPGMDecoder::GetImage(PLBmp& bmp)
{
    for (int y = 0; y < m_Height; ++y)
        ReadSamples(bmp.GetLine(y));
}

#include "piclib/common/PLPPMDecoder.h"

#include "piclib/common/PLBmp.h"

#include <cstddef>
#include <vector>

PLPPMDecoder::PLPPMDecoder()
    : PLPNMDecoder('3', '6', 3, "Decoding PPM.\n", "PPM decoder: Is not the correct identifier P3 or P6.")
{
}

void PLPPMDecoder::SetDescription()
{
    SetBmpInfo({m_Width, m_Height}, 32, {0, 0}, false, false);
}

void PLPPMDecoder::GetImage(PLBmp& bmp)
{
    std::vector<uint8_t> samples(static_cast<size_t>(m_Width) * 3);
    for (int y = 0; y < m_Height; ++y) {
        ReadSamples(samples.data());
        auto* line = reinterpret_cast<PLPixel32*>(bmp.GetLine(y));
        for (int x = 0; x < m_Width; ++x)
            line[x] = PLPixel32::FromRGBA(samples[3 * x], samples[3 * x + 1], samples[3 * x + 2], 255);
    }
}

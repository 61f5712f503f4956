#include "piclib/common/PLBmpBase.h"

#include <algorithm>

void PLBmpBase::SetGreyscalePalette()
{
    const int count = GetNumColors();
    if (!m_pClrTab || count < 2)
        return;
    const int step = 255 / (count - 1);
    for (int i = 0; i < count; ++i) {
        const auto grey = static_cast<uint8_t>(i * step);
        m_pClrTab[i] = {grey, grey, grey, 255};
    }
}

void PLBmpBase::SetPaletteEntries(const PLPixel32* entries)
{
    if (m_pClrTab && entries)
        std::copy(entries, entries + GetNumColors(), m_pClrTab);
}

void PLBmpBase::SetupBitmap(int width, int height, int bpp, bool alpha, bool greyscale)
{
    SetBmpInfo({width, height}, bpp, m_Resolution, alpha, greyscale);
    if (bpp < 16)
        SetGreyscalePalette();
}

// A picture description plus its palette and its line pointers (row 0 is the top).
#pragma once

#include "piclib/common/PLBmpInfo.h"
#include "piclib/common/PLPixel32.h"

#include <cstdint>

class PLBmpBase : public PLBmpInfo {
public:
    uint8_t** GetLineArray() const { return m_pLineArray; }
    uint8_t* GetLine(int y) const { return m_pLineArray[y]; }
    PLPixel32* GetPalette() const { return m_pClrTab; }
    int GetNumColors() const { return m_bpp <= 8 ? 1 << m_bpp : 0; }

    void SetGreyscalePalette();
    void SetPaletteEntries(const PLPixel32* entries);
    void SetResolution(const PLPoint& resolution) { m_Resolution = resolution; }

protected:
    virtual void SetupBitmap(int width, int height, int bpp, bool alpha, bool greyscale);

    PLPixel32* m_pClrTab = nullptr;
    uint8_t** m_pLineArray = nullptr;
};

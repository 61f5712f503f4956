// Reduces a 32-bit picture to 8 bits with a 256-colour palette, on a 32x32x32 colour
// cube whose cells are both histogram and nearest-colour cache.
#pragma once

#include "piclib/common/PLFilter.h"
#include "piclib/common/PLPixel32.h"

#include <array>
#include <cstdint>
#include <vector>

class PLFilterQuantize : public PLFilter {
public:
    enum PaletteType { PLDTHPAL_MEDIAN = 0, PLDTHPAL_POPULARITY = 1, PLDTHPAL_DEFAULT = 2, PLDTHPAL_USERDEFINED = 3 };
    enum DitherType { PLDTH_NONE = 0, PLDTH_ORDERED = 1, PLDTH_FS = 2 };

    PLFilterQuantize(int paletteType, int ditherType);

    void Apply(const PLBmpBase& source, PLBmp& destination) const override;
    void SetUserPalette(const PLPixel32* palette);
    static const PLPixel32* GetDefaultPalette();

private:
    struct Cell {
        uint32_t index = 0xFFFFFFFF;
        uint32_t count = 0;
        bool used = false;
    };
    struct Box {
        int lower[3];
        int upper[3];
        int mean[3];
        uint32_t count;
    };

    Cell& cellOf(const PLPixel32& c) const;
    Cell& cellAt(int r, int g, int b) const;
    void buildHistogram(const PLBmpBase& source) const;
    void ensureCorners() const;
    void medianCut(PLPixel32* palette) const;
    void popularity(PLPixel32* palette) const;
    void shrink(Box& box) const;
    void split(Box& oldBox, Box& newBox) const;
    uint8_t nearest(const PLPixel32& c, const PLPixel32* palette) const;
    void mapPlain(const PLBmpBase& source, PLBmp& destination) const;
    void mapOrdered(const PLBmpBase& source, PLBmp& destination) const;
    void mapDiffused(const PLBmpBase& source, PLBmp& destination) const;

    int m_PaletteType;
    int m_DitherType;
    std::vector<PLPixel32> m_UserPalette;
    mutable std::vector<Cell> m_Cells;
    mutable std::array<Box, 256> m_Boxes{};
};

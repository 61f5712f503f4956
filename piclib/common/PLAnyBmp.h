// Bitmap in one plain heap block, lines packed without padding: the scratch bitmap
// of conversions and filters.
#pragma once

#include "piclib/common/PLBmp.h"

#include <memory>
#include <vector>

class PLAnyBmp : public PLBmp {
public:
    PLAnyBmp();
    ~PLAnyBmp() override;

    int GetMemoryUsed() const override;
    int GetLineBytes() const override;

protected:
    void AllocateStorage(int width, int height, int bpp, bool alpha, bool greyscale) override;
    void BuildLineArray() override;
    void ReleaseStorage() override;

private:
    std::vector<uint8_t> m_Bits;
    std::vector<PLPixel32> m_Palette;
    std::vector<uint8_t*> m_Lines;
};

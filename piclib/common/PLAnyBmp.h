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
    struct FreeBlock {
        void operator()(uint8_t* block) const;
    };
    std::unique_ptr<uint8_t[], FreeBlock> m_Bits;
    size_t m_BitsSize = 0;
    std::vector<PLPixel32> m_Palette;
    std::vector<uint8_t*> m_Lines;
};

// Bitmap held as one Windows DIB block: 40-byte header, colour table, bottom-up rows.
#pragma once

#include "piclib/common/PLBmp.h"
#include "platform/gdi/DibTypes.h"

#include <vector>

class PLWinBmp : public PLBmp {
public:
    PLWinBmp();
    ~PLWinBmp() override;

    int GetMemoryUsed() const override;
    int GetLineBytes() const override;

    // Copies a packed DIB (header, colour table, pixels) that is blockSize bytes long.
    virtual void CreateFromPackedDIB(const BITMAPINFOHEADER* header, size_t blockSize);

    BITMAPINFOHEADER* GetBMI() const { return m_pBMI; }
    uint8_t* GetBits() const { return m_pBits; }
    // Bytes of the pixel data of a DIB of this size and depth.
    static int GetBitsMemNeeded(int width, int height, int bpp);

protected:
    void AllocateStorage(int width, int height, int bpp, bool alpha, bool greyscale) override;
    void BuildLineArray() override;
    void ReleaseStorage() override;

private:
    static size_t headerBytes(int bpp);
    void initPointers();

    std::vector<uint8_t> m_Block;
    BITMAPINFOHEADER* m_pBMI = nullptr;
    uint8_t* m_pBits = nullptr;
    std::vector<uint8_t*> m_Lines;
};

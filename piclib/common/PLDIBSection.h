// Bitmap whose pixels live in a GDI DIB section, so that GDI can draw into and from it.
#pragma once

#include "piclib/common/PLWinBmp.h"

class PLDIBSection : public PLWinBmp {
public:
    PLDIBSection();
    ~PLDIBSection() override;

    void Draw(HDC dc, int x, int y, DWORD rop = SRCCOPY) override;
    BOOL DrawExtract(HDC dc, POINT dest, const RECT& source) override;
    void CreateFromPackedDIB(const BITMAPINFOHEADER* header, size_t blockSize) override;
    HGLOBAL GetDIBCopy() const override;

    HBITMAP GetHandle() const { return m_hBitmap; }
    // Gives up the section (whoever took its handle keeps it) and starts a new 16 x 16 picture.
    void Detach();

protected:
    void AllocateStorage(int width, int height, int bpp, bool alpha, bool greyscale) override;
    void ReleaseStorage() override;

private:
    void createSection(std::vector<uint8_t> header);
    BOOL blit(HDC dc, int x, int y, int width, int height, int xSource, int ySource, DWORD rop, bool setColours);

    std::vector<uint8_t> m_Header;
    HBITMAP m_hBitmap = nullptr;
    bool m_bOwnsBitmap = true;
};

// Bitmap held as one Windows DIB block: 40-byte header, colour table, bottom-up rows.
// It draws itself on a device context and converts to and from GDI bitmaps.
#pragma once

#include "piclib/common/PLBmp.h"
#include "platform/gdi/DibTypes.h"
#include "platform/gdi/GdiTypes.h"

#include <vector>

class PLWinBmp : public PLBmp {
public:
    PLWinBmp();
    ~PLWinBmp() override;

    int GetMemoryUsed() const override;
    int GetLineBytes() const override;

    // The whole bitmap at (x, y), unscaled.
    virtual void Draw(HDC dc, int x, int y, DWORD rop = SRCCOPY);
    // The part source of the bitmap at its own size with its top left at dest.
    virtual BOOL DrawExtract(HDC dc, POINT dest, const RECT& source);
    void StretchDraw(HDC dc, int x, int y, int width, int height, DWORD rop = SRCCOPY);
    void StretchDraw(HDC dc, int x, int y, double factor, DWORD rop = SRCCOPY);
    // Copies a packed DIB (header, colour table, pixels) that is blockSize bytes long.
    virtual void CreateFromPackedDIB(const BITMAPINFOHEADER* header, size_t blockSize);
    // A movable, shareable global copy of the whole DIB, for the clipboard; the caller owns it.
    virtual HGLOBAL GetDIBCopy() const;
    void CreateFromHBitmap(HBITMAP bitmap);
    // The program's bitmap resource of that number (low 16 bits); code 4 when there is none.
    virtual void CreateRes(HINSTANCE module, int id);

    BITMAPINFOHEADER* GetBMI() const { return m_pBMI; }
    uint8_t* GetBits() const { return m_pBits; }
    // Bytes of the pixel data of a DIB of this size and depth.
    static int GetBitsMemNeeded(int width, int height, int bpp);

protected:
    void AllocateStorage(int width, int height, int bpp, bool alpha, bool greyscale) override;
    void BuildLineArray() override;
    void ReleaseStorage() override;

    static size_t headerBytes(int bpp);
    // A header block (header and colour table) for a picture of this size and depth.
    static std::vector<uint8_t> makeHeader(int width, int height, int bpp);
    // Checks a packed DIB and returns the bytes of its header block.
    static size_t checkPackedDIB(const BITMAPINFOHEADER* header, size_t blockSize);
    // Sets the header, palette and pixel pointers from a header block and the pixels.
    void setPointers(uint8_t* headerBlock, uint8_t* bits);
    HGLOBAL copyToGlobal(size_t size) const;

    BITMAPINFOHEADER* m_pBMI = nullptr;
    uint8_t* m_pBits = nullptr;

private:
    std::vector<uint8_t> m_Block;
    std::vector<uint8_t*> m_Lines;
};

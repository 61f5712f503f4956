// The stored bitmap: one global-memory block holding a complete ".bmp" image (file header,
// info header, colour table, bits), with its archive record.
#pragma once

#include "platform/core/Geometry.h"
#include "platform/core/Object.h"
#include "platform/gdi/DibTypes.h"

class CArchive;
class CBitmap;
class CDC;
class CFile;

// direction 1 packs, 0 unpacks; the output block is released with free().
using DibPackRoutine = BOOL (*)(int direction, const BYTE* in, DWORD inSize, BYTE** out, DWORD* outSize);

class CDib : public CObject {
    DECLARE_SERIAL(CDib)
public:
    static constexpr WORD PlainTag = 0x4142;
    static constexpr WORD PackedTag = 0x5A42;

    CDib() = default;
    CDib(CDC* dc, UINT bitCount, BOOL compress);
    ~CDib() override;

    void Serialize(CArchive& ar) override;
    BOOL CreateFromBitmap(CDC* dc, CBitmap* bitmap, UINT bitCount, BOOL compress);
    BOOL Read(CFile* file, COLORREF* keyColour, int unused = 0);
    void CopyFrom(const CDib* other);
    void Free();

    BOOL Draw(CDC* dc, int x, int y) const;
    BOOL StretchDraw(CDC* dc, int x, int y, int cx, int cy) const;
    virtual CBitmap* SelectIntoDC(CDC* dc, CSize* size);
    virtual BOOL HasTransparentColour() const { return FALSE; }
    BOOL AffineTransform(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4, CDib* result, CDib* mask,
                         POINT* origin) const;

    BOOL UsesCompression() const;
    UINT GetBitCount() const { return m_bitCount; }
    DWORD GetSize() const { return m_size; }
    LONG GetWidth() const { return m_info ? m_info->biWidth : 0; }
    LONG GetHeight() const { return m_info ? m_info->biHeight : 0; }
    CSize GetDimensions() const { return CSize(GetWidth(), GetHeight()); }
    BYTE* GetBits() const { return m_bits; }
    const BYTE* GetBlock() const { return m_block; }
    void GetBitmapInfo(BITMAPINFO* out) const;
    void GetBitmapInfoHeader(BITMAPINFOHEADER* out) const;
    void SetMonoColours(COLORREF c0, COLORREF c1);
    BOOL GetMonoColours(COLORREF* c0, COLORREF* c1) const;
    BOOL Allocate(BOOL keep);

    void SetPackRoutine(DibPackRoutine routine) { m_pack = routine; }
    DibPackRoutine GetPackRoutine() const { return m_pack; }

protected:
    // Takes a complete ".bmp" image; FALSE (and no change) when it is not one that can be used.
    BOOL Adopt(const BYTE* image, DWORD size);
    // A fresh image of the header's size with the given colour table (or masks) and zero bits.
    BOOL CreateBlank(const BITMAPINFOHEADER& header, const void* table, DWORD tableBytes);

private:
    void SetPointers();
    void WritePacked(CArchive& ar) const;

    HGLOBAL m_handle = nullptr;
    BYTE* m_block = nullptr;
    DWORD m_size = 0;
    UINT m_bitCount = 0;
    BITMAPFILEHEADER* m_fileHeader = nullptr;
    BITMAPINFOHEADER* m_info = nullptr;
    BITMAPINFO* m_bitmapInfo = nullptr;
    BYTE* m_bits = nullptr;
    DibPackRoutine m_pack = nullptr;
};

// Bytes of the colour table (or bit-field masks) that follow an info header.
DWORD DibTableBytes(const BITMAPINFOHEADER& header);
// TRUE when the bytes are a ".bmp" image whose header, table and bits all lie inside them.
BOOL IsUsableDibImage(const BYTE* image, DWORD size);

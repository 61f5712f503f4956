#include "piclib/common/PLAnyBmp.h"

#include "piclib/common/PLBitmapSize.h"

PLAnyBmp::PLAnyBmp()
{
    AllocateStorage(16, 16, 8, false, false);
}

PLAnyBmp::~PLAnyBmp()
{
    ReleaseStorage();
}

int PLAnyBmp::GetMemoryUsed() const
{
    return static_cast<int>(sizeof(*this) + m_Bits.size() + m_Palette.size() * sizeof(PLPixel32));
}

int PLAnyBmp::GetLineBytes() const
{
    return PLPackedLineBytes(GetWidth(), GetBitsPerPixel());
}

void PLAnyBmp::AllocateStorage(int width, int height, int bpp, bool alpha, bool greyscale)
{
    PLCheckBitmapSize(width, height, bpp);
    m_Bits.assign(static_cast<size_t>(height) * PLPackedLineBytes(width, bpp), 0);
    m_Palette.assign(bpp <= 8 ? size_t(1) << bpp : 0, PLPixel32{});
    m_pClrTab = m_Palette.empty() ? nullptr : m_Palette.data();
    SetupBitmap(width, height, bpp, alpha, greyscale);
}

void PLAnyBmp::BuildLineArray()
{
    const int lineBytes = GetLineBytes();
    m_Lines.resize(GetHeight());
    for (int y = 0; y < GetHeight(); ++y)
        m_Lines[y] = m_Bits.data() + static_cast<size_t>(y) * lineBytes;
    m_pLineArray = m_Lines.data();
}

void PLAnyBmp::ReleaseStorage()
{
    m_Bits.clear();
    m_Palette.clear();
    m_Lines.clear();
    m_pClrTab = nullptr;
    m_pLineArray = nullptr;
}

#include "piclib/common/PLAnyBmp.h"

#include "piclib/common/PLBitmapSize.h"
#include "platform/core/HugePages.h"

#include <cstdlib>
#include <new>

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
    return static_cast<int>(sizeof(*this) + m_BitsSize + m_Palette.size() * sizeof(PLPixel32));
}

int PLAnyBmp::GetLineBytes() const
{
    return PLPackedLineBytes(GetWidth(), GetBitsPerPixel());
}

void PLAnyBmp::AllocateStorage(int width, int height, int bpp, bool alpha, bool greyscale)
{
    PLCheckBitmapSize(width, height, bpp);
    // Large blocks come from calloc as fresh zero pages: the decoder's writes are the first.
    m_Bits.reset();
    m_BitsSize = static_cast<size_t>(height) * PLPackedLineBytes(width, bpp);
    m_Bits.reset(static_cast<uint8_t*>(std::calloc(m_BitsSize ? m_BitsSize : 1, 1)));
    AdviseHugePages(m_Bits.get(), m_BitsSize);
    if (!m_Bits) {
        m_BitsSize = 0;
        throw std::bad_alloc();
    }
    m_Palette.assign(bpp <= 8 ? size_t(1) << bpp : 0, PLPixel32{});
    m_pClrTab = m_Palette.empty() ? nullptr : m_Palette.data();
    SetupBitmap(width, height, bpp, alpha, greyscale);
}

void PLAnyBmp::BuildLineArray()
{
    const size_t lineBytes = static_cast<size_t>(GetLineBytes());
    const auto height = static_cast<size_t>(GetHeight());
    m_Lines.resize(height);
    uint8_t* line = m_Bits.get();
    for (size_t y = 0; y < height; ++y, line += lineBytes)
        m_Lines[y] = line;
    m_pLineArray = m_Lines.data();
}

void PLAnyBmp::ReleaseStorage()
{
    m_Bits.reset();
    m_BitsSize = 0;
    m_Palette.clear();
    m_Lines.clear();
    m_pClrTab = nullptr;
    m_pLineArray = nullptr;
}

void PLAnyBmp::FreeBlock::operator()(uint8_t* block) const
{
    std::free(block);
}

#include "piclib/common/PLAnyBmp.h"

#include "piclib/common/PLBitmapSize.h"

#include <cstdlib>
#include <new>
#include <sys/mman.h>
#include <cstdint>

namespace {

constexpr uintptr_t HugePage = uintptr_t(2) << 20;

// Faulting in a picture of many megabytes page by page costs more than decoding it; huge pages
// cut the faults 512-fold. Only advice: where the system declines, small pages serve.
void adviseHugePages(uint8_t* block, size_t size)
{
    if (size < 2 * HugePage)
        return;
    const uintptr_t start = (uintptr_t(block) + HugePage - 1) & ~(HugePage - 1);
    const uintptr_t end = (uintptr_t(block) + size) & ~(HugePage - 1);
    if (end > start)
        static_cast<void>(madvise(reinterpret_cast<void*>(start), end - start, MADV_HUGEPAGE));
}

} // namespace

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
    adviseHugePages(m_Bits.get(), m_BitsSize);
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
    const int lineBytes = GetLineBytes();
    m_Lines.resize(GetHeight());
    for (int y = 0; y < GetHeight(); ++y)
        m_Lines[y] = m_Bits.get() + static_cast<size_t>(y) * lineBytes;
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

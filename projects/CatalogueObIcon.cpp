// An entry's icon: built from bitmaps, an icon handle or a picture of any size, turned back
// into an icon handle, and drawn through its mask.
#include "projects/CatalogueOb.h"

#include "projects/ProjectIcons.h"

#include "imaging/Dib.h"
#include "imaging/IconLoader.h"
#include "imaging/OXDib.h"
#include "platform/core/File.h"
#include "platform/core/MemFile.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/GdiObject.h"
#include "platform/gdi/Icon.h"

#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

// A memory DC compatible with the screen; it puts back its first bitmap when it goes.
class CScratchDC : public CDC {
public:
    CScratchDC() { CreateCompatibleDC(nullptr); }
    ~CScratchDC() override
    {
        if (m_first)
            SelectObject(m_first);
    }
    void Select(CBitmap* bitmap)
    {
        CBitmap* old = SelectObject(bitmap);
        if (!m_first)
            m_first = old;
    }

private:
    CBitmap* m_first = nullptr;
};

BOOL MakeMono(CBitmap& bitmap, int width, int height) { return bitmap.CreateBitmap(width, height, 1, 1, nullptr); }

// A compressed bitmap of a kilobyte may ask for hundreds of megabytes of pixels, which take
// seconds to decode and squeeze; no icon needs more than a picture of 4096 x 4096.
constexpr int64_t kMaxIconPixels = int64_t(1) << 24;

int64_t LittleEndian(const BYTE* bytes, int count)
{
    int64_t value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = value << 8 | bytes[i];
    return value;
}

// The pixels the bitmap's header asks for, after the file header; 0 when the header is cut.
int64_t HeaderPixels(CFile* file)
{
    std::array<BYTE, 26> head{};
    const UINT read = file->Read(head.data(), static_cast<UINT>(head.size()));
    file->SeekToBegin();
    if (read < head.size())
        return 0;
    if (LittleEndian(&head[14], 4) == 12)
        return LittleEndian(&head[18], 2) * LittleEndian(&head[20], 2);
    const auto width = static_cast<int32_t>(LittleEndian(&head[18], 4));
    const auto height = static_cast<int32_t>(LittleEndian(&head[22], 4));
    return std::abs(int64_t(width)) * std::abs(int64_t(height));
}

} // namespace

void CCatalogueOb::SetIcon(CBitmap* image, CBitmap* mask)
{
    ClearIcon();
    if (!image)
        return;
    // Declared before the DC, so it is no longer selected when it goes and is deleted.
    CBitmap opaque;
    CScratchDC dc;
    dc.Select(image);
    m_iconImage = new CDib(&dc, 24, TRUE);
    BITMAP info{};
    image->GetBitmap(&info);
    if (!mask && MakeMono(opaque, info.bmWidth, info.bmHeight)) {
        dc.Select(&opaque);
        dc.PatBlt(0, 0, info.bmWidth, info.bmHeight, BLACKNESS);
    } else if (mask) {
        dc.Select(mask);
    }
    m_iconMask = new CDib(&dc, 1, TRUE);
}

void CCatalogueOb::SetIconFromHandle(HICON icon)
{
    ClearIcon();
    ICONINFO info{};
    if (!icon || !GetIconInfo(icon, &info))
        return;
    SetIcon(CBitmap::FromHandle(info.hbmColor), CBitmap::FromHandle(info.hbmMask));
    ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
}

// A larger picture is squeezed into the square and is opaque throughout; a smaller one sits
// in the middle with everything around it transparent.
void CCatalogueOb::SetIconFromDib(const CDib* image, const CDib* mask, int size)
{
    if (!image || size <= 0)
        return;
    const int width = image->GetWidth(), height = image->GetHeight();
    const bool stretch = width > size || height > size;
    CBitmap colour, monoMask;
    colour.CreateBitmap(size, size, 1, 32, nullptr);
    {
        CScratchDC dc;
        dc.SetStretchBltMode(HALFTONE);
        dc.SetBrushOrg(0, 0);
        dc.Select(&colour);
        if (stretch) {
            image->StretchDraw(&dc, 0, 0, size, size);
        } else {
            const int x = (size - width) >> 1, y = (size - height) >> 1;
            dc.PatBlt(0, 0, size, size, BLACKNESS);
            image->Draw(&dc, x, y);
            MakeMono(monoMask, size, size);
            dc.Select(&monoMask);
            dc.PatBlt(0, 0, size, size, WHITENESS);
            dc.PatBlt(x, y, width, height, BLACKNESS);
            if (mask && mask->GetWidth() == width && mask->GetHeight() == height)
                mask->Draw(&dc, x, y);
        }
    }
    SetIcon(&colour, stretch ? nullptr : &monoMask);
}

// Pictures give their pixels; icon files their first picture with transparent parts keyed.
BOOL CCatalogueOb::LoadIconFile(CFile* file, int size)
{
    WORD kind = 0;
    file->Read(&kind, 2);
    file->SeekToBegin();
    if (kind == 0x4D42) {
        CDib dib;
        if (HeaderPixels(file) > kMaxIconPixels || !dib.Read(file, nullptr))
            return FALSE;
        SetIconFromDib(&dib, nullptr, size);
        return TRUE;
    }
    HBITMAP picture = LoadIconAsBitmap(file, nullptr);
    if (!picture)
        return FALSE;
    SetIcon(CBitmap::FromHandle(picture), nullptr);
    ::DeleteObject(picture);
    return TRUE;
}

BOOL CCatalogueOb::LoadIconPackedDib(const BYTE* packed, size_t length, int size)
{
    PackedDibLayout layout;
    if (!ParsePackedDib(packed, length, layout) ||
        std::abs(int64_t(layout.width)) * std::abs(int64_t(layout.height)) > kMaxIconPixels)
        return FALSE;
    // The file header a bitmap file puts before it.
    const DWORD bitsOffset = 14 + layout.headerSize + layout.tableBytes;
    const DWORD total = static_cast<DWORD>(14 + length);
    std::vector<BYTE> file{'B', 'M'};
    file.resize(14);
    std::memcpy(&file[2], &total, 4);
    std::memcpy(&file[10], &bitsOffset, 4);
    file.insert(file.end(), packed, packed + length);
    CMemFile memory(file.data(), static_cast<UINT>(file.size()));
    CDib dib;
    if (!dib.Read(&memory, nullptr))
        return FALSE;
    SetIconFromDib(&dib, nullptr, size);
    return TRUE;
}

HICON CCatalogueOb::CreateIcon() const
{
    if (!m_iconImage || !m_iconMask)
        return nullptr;
    const int width = m_iconImage->GetWidth(), height = m_iconImage->GetHeight();
    CBitmap colour, mono;
    colour.CreateBitmap(width, height, 1, 32, nullptr);
    MakeMono(mono, width, height);
    {
        CScratchDC dc;
        dc.Select(&colour);
        m_iconImage->Draw(&dc, 0, 0);
        dc.Select(&mono);
        m_iconMask->Draw(&dc, 0, 0);
    }
    BlackenMaskedPixels(colour, mono, width, height);
    ICONINFO info{TRUE, 0, 0, static_cast<HBITMAP>(mono.GetSafeHandle()), static_cast<HBITMAP>(colour.GetSafeHandle())};
    return CreateIconIndirect(&info);
}

void CCatalogueOb::DrawIcon(CDC* dc, int x, int y, int size) const
{
    if (!m_iconImage || !m_iconMask || size <= 0)
        return;
    CDC imageDC, maskDC;
    imageDC.CreateCompatibleDC(dc);
    maskDC.CreateCompatibleDC(dc);
    CBitmap image, mask;
    image.CreateCompatibleBitmap(dc, size, size);
    MakeMono(mask, size, size);
    CBitmap* oldImage = imageDC.SelectObject(&image);
    CBitmap* oldMask = maskDC.SelectObject(&mask);
    m_iconImage->StretchDraw(&imageDC, 0, 0, size, size);
    m_iconMask->StretchDraw(&maskDC, 0, 0, size, size);
    imageDC.SetBkColor(RGB(0, 0, 0));
    imageDC.SetTextColor(RGB(255, 255, 255));
    imageDC.BitBlt(0, 0, size, size, &maskDC, 0, 0, SRCAND);
    const COLORREF back = dc->SetBkColor(RGB(255, 255, 255));
    const COLORREF text = dc->SetTextColor(RGB(0, 0, 0));
    dc->BitBlt(x, y, size, size, &maskDC, 0, 0, SRCAND);
    dc->BitBlt(x, y, size, size, &imageDC, 0, 0, SRCPAINT);
    dc->SetBkColor(back);
    dc->SetTextColor(text);
    imageDC.SelectObject(oldImage);
    maskDC.SelectObject(oldMask);
}

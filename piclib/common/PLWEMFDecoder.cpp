#include "piclib/common/PLWEMFDecoder.h"

#include "piclib/common/PLBitmapSize.h"
#include "piclib/common/PLDataSource.h"
#include "piclib/common/PLSourceName.h"
#include "piclib/common/PLTextException.h"
#include "piclib/common/PLWinBmp.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/Dib.h"
#include "platform/gdi/GdiObject.h"
#include "platform/gdi/Metafile.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace {

constexpr int PlaceableBytes = 22;
constexpr uint32_t HeaderRecord = 1;

uint32_t dwordAt(const uint8_t* p)
{
    return p[0] | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24;
}

int16_t shortAt(const uint8_t* p)
{
    return static_cast<int16_t>(p[0] | p[1] << 8);
}

} // namespace

PLWEMFDecoder::~PLWEMFDecoder()
{
    release();
}

bool PLWEMFDecoder::IsEnhanced(PLDataSource* source)
{
    const std::string name = PLUpperSourceName(source);
    if (name.find(".EMF") != std::string::npos)
        return true;
    if (name.find(".WMF") != std::string::npos || source->GetBytesLeft() < 44)
        return false;
    const uint8_t* h = source->GetCurrentPointer();
    return dwordAt(h) == HeaderRecord && dwordAt(h + 40) == ENHMETA_SIGNATURE;
}

void PLWEMFDecoder::Open(PLDataSource* source)
{
    release();
    const bool enhanced = IsEnhanced(source);
    m_dc = GetDC(nullptr);
    if (!m_dc)
        raiseError(PL_ERRNO_MEMORY, "Cannot allocate device context.");
    load(source, enhanced);
    readHeader();
    const PLPoint size = pictureSize();
    m_hdc = CreateCompatibleDC(m_dc);
    if (!m_hdc)
        raiseError(PL_ERRNO_MEMORY, "Cannot allocate device context.");
    const UINT entries = GetEnhMetaFilePaletteEntries(m_hemf, 0, nullptr);
    const bool paletted = entries >= 1 && entries <= 255;
    SetBmpInfo(size, paletted ? 8 : 32, {0, 0}, !paletted, false);
}

void PLWEMFDecoder::load(PLDataSource* source, bool enhanced)
{
    const int size = source->GetBytesLeft();
    const uint8_t* data = source->GetCurrentPointer();
    if (enhanced) {
        m_hemf = SetEnhMetaFileBits(static_cast<UINT>(size), data);
    } else {
        m_bPlaceable = size >= 4 && dwordAt(data) == kPlaceableKey;
        if (m_bPlaceable) {
            const uint8_t* p = source->ReadBytes(PlaceableBytes);
            m_Placeable = {shortAt(p + 6), shortAt(p + 8), shortAt(p + 10), shortAt(p + 12),
                           static_cast<uint16_t>(p[14] | p[15] << 8)};
            if (m_Placeable.unitsPerInch == 0)
                raiseError(PL_ERRFORMAT_UNKNOWN, "Placeable metafile without units per inch.");
        }
        const UINT rest = static_cast<UINT>(source->GetBytesLeft());
        m_hemf = SetWinMetaFileBits(rest, source->GetCurrentPointer(), m_dc, nullptr);
    }
    if (!m_hemf)
        raiseError(PL_ERRFORMAT_NOT_SUPPORTED, "Windows Metafile functions failed to load this image.");
}

void PLWEMFDecoder::readHeader()
{
    const UINT size = GetEnhMetaFileHeader(m_hemf, 0, nullptr);
    if (size == 0)
        raiseError(PL_ERRFORMAT_UNKNOWN, "No header information in metafile");
    m_Header.assign(std::max<size_t>(size, sizeof(ENHMETAHEADER)), 0);
    auto* header = reinterpret_cast<ENHMETAHEADER*>(m_Header.data());
    header->iType = HeaderRecord;
    header->nSize = size;
    GetEnhMetaFileHeader(m_hemf, size, header);
}

// Products before divisions; sizes below one pixel fall back to 320 by 200.
PLPoint PLWEMFDecoder::pictureSize() const
{
    int64_t width, height;
    if (m_bPlaceable) {
        const Placeable& p = m_Placeable;
        width = int64_t(p.right - p.left) * GetDeviceCaps(m_dc, LOGPIXELSX) / p.unitsPerInch;
        height = int64_t(p.bottom - p.top) * GetDeviceCaps(m_dc, LOGPIXELSY) / p.unitsPerInch;
    } else {
        const auto* h = reinterpret_cast<const ENHMETAHEADER*>(m_Header.data());
        if (h->szlMillimeters.cx <= 0 || h->szlMillimeters.cy <= 0)
            raiseError(PL_ERRFORMAT_UNKNOWN, "Metafile without a reference size in millimetres.");
        const int64_t frameWidth = int64_t(h->rclFrame.right) - h->rclFrame.left;
        const int64_t frameHeight = int64_t(h->rclFrame.bottom) - h->rclFrame.top;
        width = frameWidth * h->szlDevice.cx / (int64_t(h->szlMillimeters.cx) * 100);
        height = frameHeight * h->szlDevice.cy / (int64_t(h->szlMillimeters.cy) * 100);
    }
    width = width < 1 ? 320 : width;
    height = height < 1 ? 200 : height;
    if (width > INT32_MAX || height > INT32_MAX)
        raiseError(PL_ERRNO_MEMORY, "Out of memory creating bitmap.");
    PLCheckBitmapSize(static_cast<int>(width), static_cast<int>(height), 32);
    return {static_cast<int>(width), static_cast<int>(height)};
}

void PLWEMFDecoder::GetImage(PLBmp& bmp)
{
    m_bm = CreateCompatibleBitmap(m_dc, GetWidth(), GetHeight());
    if (!m_bm)
        raiseError(PL_ERRNO_MEMORY, "Cannot allocate memory bitmap.");
    m_hOldBm = SelectObject(m_hdc, m_bm);
    if (GetBitsPerPixel() == 8)
        selectPalette(bmp, static_cast<int>(GetEnhMetaFilePaletteEntries(m_hemf, 0, nullptr)));
    const RECT all{0, 0, GetWidth(), GetHeight()};
    FillRect(m_hdc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    PlayEnhMetaFile(m_hdc, m_hemf, &all);
    if (auto* winBmp = dynamic_cast<PLWinBmp*>(&bmp)) {
        render(*winBmp);
        return;
    }
    // Other bitmaps have no Windows header to hand over: render through one that has.
    PLWinBmp rendered;
    rendered.Create(*this);
    render(rendered);
    if (GetBitsPerPixel() == 8)
        bmp.SetPaletteEntries(rendered.GetPalette());
    const int lineBytes = PLPackedLineBytes(GetWidth(), GetBitsPerPixel());
    for (int y = 0; y < GetHeight(); ++y)
        std::memcpy(bmp.GetLine(y), rendered.GetLine(y), lineBytes);
}

void PLWEMFDecoder::selectPalette(PLBmp& bmp, int entries)
{
    std::vector<uint8_t> block(sizeof(LOGPALETTE) + 256 * sizeof(PALETTEENTRY), 0);
    auto* logPalette = reinterpret_cast<LOGPALETTE*>(block.data());
    logPalette->palVersion = 0x300;
    logPalette->palNumEntries = 256;
    GetEnhMetaFilePaletteEntries(m_hemf, static_cast<UINT>(entries), logPalette->palPalEntry);
    m_hPal = CreatePalette(logPalette);
    if (!m_hPal)
        raiseError(PL_ERRNO_MEMORY, "Cannot allocate palette.");
    m_hOldPal = SelectPalette(m_hdc, m_hPal, FALSE);
    RealizePalette(m_hdc);
    PLPixel32 palette[256];
    for (int i = 0; i < 256; ++i) {
        const PALETTEENTRY& e = logPalette->palPalEntry[i];
        palette[i] = PLPixel32::FromRGBA(e.peRed, e.peGreen, e.peBlue, 255);
    }
    bmp.SetPaletteEntries(palette);
}

// The system writes the colour table of the selected palette into 8-bit headers.
void PLWEMFDecoder::render(PLWinBmp& bmp)
{
    bmp.Lock(false, true);
    GetDIBits(m_dc, m_bm, 0, static_cast<UINT>(GetHeight()), bmp.GetBits(),
              reinterpret_cast<BITMAPINFO*>(bmp.GetBMI()), DIB_RGB_COLORS);
    if (GetBitsPerPixel() == 32)
        for (int y = 0; y < GetHeight(); ++y) {
            auto* line = reinterpret_cast<PLPixel32*>(bmp.GetLine(y));
            for (int x = 0; x < GetWidth(); ++x)
                line[x].a = 255;
        }
    bmp.Unlock();
}

// The memory bitmap and palette leave the memory context before they are deleted.
void PLWEMFDecoder::release()
{
    if (m_hdc && m_hOldBm)
        SelectObject(m_hdc, m_hOldBm);
    if (m_hdc && m_hOldPal)
        SelectPalette(m_hdc, m_hOldPal, FALSE);
    m_hOldBm = nullptr;
    m_hOldPal = nullptr;
    if (m_bm)
        DeleteObject(m_bm);
    if (m_hPal)
        DeleteObject(m_hPal);
    if (m_hemf)
        DeleteEnhMetaFile(m_hemf);
    if (m_hdc)
        DeleteDC(m_hdc);
    if (m_dc)
        ReleaseDC(nullptr, m_dc);
    m_bm = nullptr;
    m_hPal = nullptr;
    m_hemf = nullptr;
    m_hdc = nullptr;
    m_dc = nullptr;
    m_Header.clear();
    m_bPlaceable = false;
    m_Placeable = {};
}

void PLWEMFDecoder::Close()
{
    release();
    PLPicDecoder::Close();
}

#include "piclib/common/PLGIFDecoder.h"

#include "piclib/common/PLBitmapSize.h"
#include "piclib/common/PLBmp.h"
#include "piclib/common/PLDataSource.h"
#include "piclib/common/PLTextException.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

constexpr int GraphicControl = 0xF9;

std::string gifErrorText(int code)
{
    if (const char* text = GifErrorString(code))
        return text;
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "GIF-LIB undefined error %d.", code);
    return buffer;
}

} // namespace

PLGIFDecoder::~PLGIFDecoder()
{
    closeHandle();
}

// The source raises at the end of the data; giflib only learns that the read failed.
int PLGIFDecoder::readData(GifFileType* gif, GifByteType* buffer, int length)
{
    auto* self = static_cast<PLGIFDecoder*>(gif->UserData);
    try {
        std::memcpy(buffer, self->GetDataSource()->ReadBytes(length), static_cast<size_t>(length));
        return length;
    } catch (...) {
        self->m_Pending = std::current_exception();
        return 0;
    }
}

bool PLGIFDecoder::succeeded(int result)
{
    if (m_Pending) {
        std::exception_ptr pending = m_Pending;
        m_Pending = nullptr;
        std::rethrow_exception(pending);
    }
    return result == GIF_OK;
}

void PLGIFDecoder::printError() const
{
    std::fprintf(stderr, "\nGIF-LIB error: %s\n", gifErrorText(m_pGifFile->Error).c_str());
}

void PLGIFDecoder::Open(PLDataSource*)
{
    closeHandle();
    m_Pending = nullptr;
    int error = 0;
    GifFileType* gif = DGifOpen(this, readData, &error);
    succeeded(gif ? GIF_OK : GIF_ERROR);
    if (!gif)
        raiseError(PL_ERRWRONG_SIGNATURE, gifErrorText(error).c_str());
    m_pGifFile = gif;
    PLCheckBitmapSize(gif->SWidth, gif->SHeight, 8);
    SetBmpInfo({gif->SWidth, gif->SHeight}, 8, {0, 0}, false, false);
}

void PLGIFDecoder::GetImage(PLBmp& bmp)
{
    if (!m_pGifFile)
        raiseError(PL_ERRINTERNAL, "GIF decoder not open.");
    // A picture may have a million rows of one pixel: each row costs one store of its start.
    uint8_t* const* lines = bmp.GetLineArray();
    const int height = bmp.GetHeight(), width = bmp.GetWidth();
    const auto background = static_cast<uint8_t>(m_pGifFile->SBackGroundColor);
    for (int y = 0; y < height && width > 0; ++y)
        std::memset(lines[y], background, static_cast<size_t>(width));
    int transparentIndex = -1;
    if (readRecords(transparentIndex))
        readImage(bmp);
    setPalette(bmp, transparentIndex);
    SetBmpInfo(bmp);
}

// Reads up to the first image descriptor; false at the terminator or when the records fail.
bool PLGIFDecoder::readRecords(int& transparentIndex)
{
    for (;;) {
        GifRecordType type = UNDEFINED_RECORD_TYPE;
        if (!succeeded(DGifGetRecordType(m_pGifFile, &type))) {
            printError();
            return false;
        }
        if (type == IMAGE_DESC_RECORD_TYPE)
            return true;
        if (type == TERMINATE_RECORD_TYPE)
            return false;
        if (type == EXTENSION_RECORD_TYPE)
            readExtension(transparentIndex);
    }
}

void PLGIFDecoder::readExtension(int& transparentIndex)
{
    int code = 0;
    GifByteType* block = nullptr;
    if (!succeeded(DGifGetExtension(m_pGifFile, &code, &block)))
        return printError();
    while (block) {
        // block[0] is the length of the data behind it.
        if (code == GraphicControl && block[0] >= 4 && (block[1] & 1))
            transparentIndex = block[4];
        if (!succeeded(DGifGetExtensionNext(m_pGifFile, &block)))
            return printError();
    }
}

void PLGIFDecoder::readImage(PLBmp& bmp)
{
    if (!succeeded(DGifGetImageDesc(m_pGifFile)))
        return printError();
    const GifImageDesc& image = m_pGifFile->Image;
    if (int64_t(image.Left) + image.Width > m_pGifFile->SWidth ||
        int64_t(image.Top) + image.Height > m_pGifFile->SHeight) {
        std::fprintf(stderr, "Image %d is not confined to screen dimension, aborted.\n", m_pGifFile->ImageCount);
        return;
    }
    static const int Start[] = {0, 4, 2, 1}, Step[] = {8, 8, 4, 2};
    const int passes = image.Interlace ? 4 : 1;
    for (int pass = 0; pass < passes; ++pass) {
        const int step = image.Interlace ? Step[pass] : 1;
        for (int row = image.Interlace ? Start[pass] : 0; row < image.Height; row += step) {
            uint8_t* line = bmp.GetLine(image.Top + row) + image.Left;
            if (!succeeded(DGifGetLine(m_pGifFile, line, image.Width)))
                return printError();
        }
    }
}

void PLGIFDecoder::setPalette(PLBmp& bmp, int transparentIndex) const
{
    const ColorMapObject* map = m_pGifFile->Image.ColorMap ? m_pGifFile->Image.ColorMap : m_pGifFile->SColorMap;
    if (!map)
        raiseError(PL_ERRFORMAT_UNKNOWN, "GIF has neither a local nor a global colour map.");
    bmp.SetHasAlphaChannel(transparentIndex >= 0);
    PLPixel32* palette = bmp.GetPalette();
    for (int i = 0; i < map->ColorCount && i < 256; ++i) {
        const GifColorType& c = map->Colors[i];
        palette[i] = PLPixel32::FromRGBA(c.Red, c.Green, c.Blue, i == transparentIndex ? 0 : 255);
    }
}

void PLGIFDecoder::Close()
{
    closeHandle();
    PLPicDecoder::Close();
}

void PLGIFDecoder::closeHandle()
{
    if (!m_pGifFile)
        return;
    int error = 0;
    DGifCloseFile(m_pGifFile, &error);
    m_pGifFile = nullptr;
}

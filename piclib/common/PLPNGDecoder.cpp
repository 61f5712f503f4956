#include "piclib/common/PLPNGDecoder.h"

#include "piclib/common/PLBmp.h"
#include "piclib/common/PLDataSource.h"
#include "piclib/common/PLTextException.h"

#include <algorithm>
#include <csetjmp>
#include <cstring>

namespace {

constexpr png_alloc_size_t kMaxSideChunkBytes = 8 * 1024 * 1024;
constexpr png_uint_32 kMaxSideChunks = 1000;
constexpr png_byte kSkippedChunks[] = "tEXt\0zTXt\0iTXt\0iCCP\0sPLT\0eXIf\0hIST\0tIME\0sCAL\0pCAL\0sBIT";
constexpr int kSkippedChunkCount = 11;

// Runs f with libpng's error exit pointing here; false when libpng failed.
template <class F>
bool guarded(png_structp png, F&& f)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    f();
    return true;
}

} // namespace

PLPNGDecoder::~PLPNGDecoder()
{
    destroy();
}

// The data source may throw; the exception waits until libpng is left.
void PLPNGDecoder::readData(png_structp png, png_bytep data, size_t length)
{
    auto* self = static_cast<PLPNGDecoder*>(png_get_io_ptr(png));
    bool failed = false;
    try {
        if (length > 0x7FFFFFFF)
            throw PLTextException(PL_ERREND_OF_FILE, "End of file reached while decoding.\n");
        std::memcpy(data, self->GetDataSource()->ReadBytes(static_cast<int>(length)), length);
    } catch (...) {
        self->m_Pending = std::current_exception();
        failed = true;
    }
    if (failed)
        png_error(png, "Read error");
}

void PLPNGDecoder::onError(png_structp png, png_const_charp message)
{
    auto* self = static_cast<PLPNGDecoder*>(png_get_error_ptr(png));
    try {
        self->m_Message = message ? message : "";
    } catch (...) {
    }
    png_longjmp(png, 1);
}

void PLPNGDecoder::onWarning(png_structp, png_const_charp) {}

template <class F>
void PLPNGDecoder::run(F&& f)
{
    if (guarded(m_png, f))
        return;
    destroy();
    if (m_Pending) {
        std::exception_ptr pending = m_Pending;
        m_Pending = nullptr;
        std::rethrow_exception(pending);
    }
    raiseError(PL_ERRFORMAT_UNKNOWN, m_Message.c_str());
}

void PLPNGDecoder::Open(PLDataSource*)
{
    destroy();
    m_png = png_create_read_struct(PNG_LIBPNG_VER_STRING, this, onError, onWarning);
    if (!m_png)
        raiseError(PL_ERRNO_MEMORY, "Out of memory.");
    m_info = png_create_info_struct(m_png);
    if (!m_info) {
        destroy();
        raiseError(PL_ERRNO_MEMORY, "Out of memory.");
    }
    png_set_read_fn(m_png, this, readData);
    // Pixels stream through row by row; only side chunks are held whole, so a damaged length
    // must not make libpng allocate gigabytes for them.
    png_set_chunk_malloc_max(m_png, kMaxSideChunkBytes);
    png_set_chunk_cache_max(m_png, kMaxSideChunks);
    // Side chunks are of no use to us: skip them without reading them whole.
    png_set_keep_unknown_chunks(m_png, PNG_HANDLE_CHUNK_NEVER, kSkippedChunks, kSkippedChunkCount);
    png_uint_32 width = 0, height = 0;
    int interlace = 0;
    run([&] {
        png_read_info(m_png, m_info);
        png_get_IHDR(m_png, m_info, &width, &height, &m_BitDepth, &m_ColorType, &interlace, nullptr, nullptr);
    });
    const bool grey = m_ColorType == PNG_COLOR_TYPE_GRAY;
    const bool alpha = m_ColorType == PNG_COLOR_TYPE_GRAY_ALPHA || m_ColorType == PNG_COLOR_TYPE_RGB_ALPHA;
    const int bpp = (grey || m_ColorType == PNG_COLOR_TYPE_PALETTE) ? 8 : 32;
    PLPoint resolution{0, 0};
    png_uint_32 xPerMetre = 0, yPerMetre = 0;
    int unit = 0;
    if (png_get_pHYs(m_png, m_info, &xPerMetre, &yPerMetre, &unit) && unit == PNG_RESOLUTION_METER)
        resolution = {static_cast<int>(xPerMetre * 0.0254 + 0.5), static_cast<int>(yPerMetre * 0.0254 + 0.5)};
    SetBmpInfo({static_cast<int>(width), static_cast<int>(height)}, bpp, resolution, alpha, grey);
}

void PLPNGDecoder::setTransformations()
{
    switch (m_ColorType) {
    case PNG_COLOR_TYPE_RGB:
        png_set_bgr(m_png);
        png_set_filler(m_png, 0xFF, PNG_FILLER_AFTER);
        break;
    case PNG_COLOR_TYPE_GRAY_ALPHA:
        png_set_gray_to_rgb(m_png);
        png_set_expand(m_png);
        png_set_bgr(m_png);
        break;
    case PNG_COLOR_TYPE_RGB_ALPHA:
        png_set_bgr(m_png);
        break;
    default:
        break;
    }
    if (m_BitDepth == 16)
        png_set_strip_16(m_png);
    if (m_BitDepth < 8)
        png_set_packing(m_png);
    png_set_interlace_handling(m_png);
    png_read_update_info(m_png, m_info);
}

void PLPNGDecoder::setPalette(PLBmp& bmp)
{
    PLPixel32* palette = bmp.GetPalette();
    if (m_ColorType == PNG_COLOR_TYPE_GRAY) {
        const int n = 1 << std::min(m_BitDepth, 8);
        for (int i = 0; i < n; ++i) {
            const auto v = static_cast<uint8_t>(i * 255 / (n - 1));
            palette[i] = {v, v, v, 255};
        }
    } else if (m_ColorType == PNG_COLOR_TYPE_PALETTE) {
        png_colorp entries = nullptr;
        int count = 0;
        if (png_get_PLTE(m_png, m_info, &entries, &count))
            for (int i = 0; i < std::min(count, 256); ++i)
                palette[i] = {entries[i].blue, entries[i].green, entries[i].red, 255};
    }
}

void PLPNGDecoder::GetImage(PLBmp& bmp)
{
    if (!m_png)
        raiseError(PL_ERRINTERNAL, "PNG decoder not open.");
    setPalette(bmp);
    bmp.Lock(false, true);
    try {
        run([&] {
            setTransformations();
            if (png_get_rowbytes(m_png, m_info) > static_cast<size_t>(bmp.GetLineBytes()))
                png_error(m_png, "Row longer than the bitmap's line.");
            png_read_image(m_png, bmp.GetLineArray());
            png_read_end(m_png, nullptr);
        });
    } catch (...) {
        bmp.Unlock();
        throw;
    }
    bmp.Unlock();
    destroy();
}

void PLPNGDecoder::Close()
{
    destroy();
    PLPicDecoder::Close();
}

void PLPNGDecoder::destroy()
{
    if (m_png)
        png_destroy_read_struct(&m_png, m_info ? &m_info : nullptr, nullptr);
    m_png = nullptr;
    m_info = nullptr;
}

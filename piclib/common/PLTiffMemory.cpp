#include "piclib/common/PLTiffMemory.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <new>

namespace {

// Whatever a damaged file claims, libtiff never allocates more than this at once while reading.
constexpr tmsize_t MaxReadAllocation = tmsize_t(1) << 30;

struct MemoryHandle {
    uint8_t* data;
    toff_t position;
    toff_t capacity;
    size_t ownSize;
    size_t* size;
    bool writing;
};

MemoryHandle& handleOf(thandle_t h)
{
    return *static_cast<MemoryHandle*>(h);
}

void noteSize(MemoryHandle& h)
{
    if (h.writing && h.position > *h.size)
        *h.size = static_cast<size_t>(h.position);
}

tmsize_t readProc(thandle_t handle, void* buffer, tmsize_t count)
{
    MemoryHandle& h = handleOf(handle);
    if (h.writing || count <= 0)
        return 0;
    const auto n = std::min<toff_t>(static_cast<toff_t>(count), h.capacity - h.position);
    std::memcpy(buffer, h.data + h.position, n);
    h.position += n;
    return static_cast<tmsize_t>(n);
}

tmsize_t writeProc(thandle_t handle, void* buffer, tmsize_t count)
{
    MemoryHandle& h = handleOf(handle);
    if (count <= 0)
        return 0;
    const auto n = std::min<toff_t>(static_cast<toff_t>(count), h.capacity - h.position);
    std::memcpy(h.data + h.position, buffer, n);
    h.position += n;
    noteSize(h);
    return static_cast<tmsize_t>(n);
}

toff_t seekProc(thandle_t handle, toff_t offset, int whence)
{
    MemoryHandle& h = handleOf(handle);
    const auto delta = static_cast<int64_t>(offset);
    int64_t target;
    switch (whence) {
    case SEEK_SET:
        target = delta;
        break;
    case SEEK_CUR:
        target = static_cast<int64_t>(h.position) + delta;
        break;
    case SEEK_END:
        target = static_cast<int64_t>(*h.size) + delta;
        break;
    default:
        return static_cast<toff_t>(-1);
    }
    if (target < 0)
        return static_cast<toff_t>(-1);
    h.position = std::min<toff_t>(static_cast<toff_t>(target), h.capacity);
    noteSize(h);
    return h.position;
}

int closeProc(thandle_t handle)
{
    delete static_cast<MemoryHandle*>(handle);
    return 0;
}

toff_t sizeProc(thandle_t handle)
{
    return *handleOf(handle).size;
}

// A block being read is mapped: libtiff's unmapped path refuses uncompressed tiles
// that reach past the picture.
int mapProc(thandle_t handle, void** base, toff_t* size)
{
    MemoryHandle& h = handleOf(handle);
    if (h.writing)
        return 0;
    *base = h.data;
    *size = h.capacity;
    return 1;
}

void unmapProc(thandle_t, void*, toff_t) {}

int collectError(TIFF*, void* userData, const char* module, const char* format, va_list args)
{
    char text[512];
    std::vsnprintf(text, sizeof text, format, args);
    // The first message names the cause; later ones follow from it.
    auto* errors = static_cast<std::string*>(userData);
    if (!errors || !errors->empty())
        return 1;
    try {
        *errors = std::string(module ? module : "TIFF") + ": " + text;
    } catch (...) {
    }
    return 1;
}

int passWarning(TIFF*, void* userData, const char* module, const char* format, va_list args)
{
    if (!userData)
        return 1;
    char text[512];
    std::vsnprintf(text, sizeof text, format, args);
    try {
        reinterpret_cast<PLTiffWarningFunction>(userData)(module, text);
    } catch (...) {
    }
    return 1;
}

} // namespace

TIFF* TIFFOpenMem(uint8_t* data, size_t capacity, size_t* sizeVariable, std::string* errorText,
                  PLTiffWarningFunction warning)
{
    auto* h = new (std::nothrow) MemoryHandle{data, 0, capacity, capacity, sizeVariable, sizeVariable != nullptr};
    if (!h)
        return nullptr;
    if (sizeVariable)
        *sizeVariable = 0;
    else
        h->size = &h->ownSize;
    TIFFOpenOptions* options = TIFFOpenOptionsAlloc();
    if (!options) {
        delete h;
        return nullptr;
    }
    TIFFOpenOptionsSetErrorHandlerExtR(options, collectError, errorText);
    TIFFOpenOptionsSetWarningHandlerExtR(options, passWarning, reinterpret_cast<void*>(warning));
    if (!h->writing)
        TIFFOpenOptionsSetMaxSingleMemAlloc(options, MaxReadAllocation);
    TIFF* tif = TIFFClientOpenExt("MemSource", h->writing ? "w" : "r", h, readProc, writeProc, seekProc,
                                  closeProc, sizeProc, mapProc, unmapProc, options);
    TIFFOpenOptionsFree(options);
    if (!tif)
        delete h; // libtiff calls the close procedure only from TIFFClose
    return tif;
}

#include "piclib/common/PLPicDecoder.h"

#include "piclib/common/PLAnyBmp.h"
#include "piclib/common/PLFileAccess.h"
#include "piclib/common/PLFileSource.h"
#include "piclib/common/PLMemSource.h"
#include "piclib/common/PLPackBits.h"
#include "piclib/common/PLResourceSource.h"
#include "piclib/common/PLTextException.h"
#include "piclib/common/PLURLSource.h"

#include <cstdio>
#include <memory>
#include <mutex>
#include <string>

namespace {

struct TraceConfig {
    std::mutex lock;
    int level = 0;
    std::string file;
};

TraceConfig& traceConfig()
{
    static TraceConfig config;
    return config;
}

template <class... Args>
std::string format(const char* pattern, Args... args)
{
    const int length = std::snprintf(nullptr, 0, pattern, args...);
    std::string text(length > 0 ? length : 0, '\0');
    std::snprintf(text.data(), text.size() + 1, pattern, args...);
    return text;
}

[[noreturn]] void failOpen(int code, const std::string& text)
{
    PLPicDecoder::raiseError(code, text.c_str());
}

} // namespace

PLPicDecoder::~PLPicDecoder()
{
    delete m_pDataSrc;
}

void PLPicDecoder::SetTraceConfig(int level, const char* fileName)
{
    TraceConfig& config = traceConfig();
    std::lock_guard guard(config.lock);
    config.level = level;
    config.file = fileName ? fileName : "";
    if (!config.file.empty())
        std::remove(config.file.c_str());
}

void PLPicDecoder::Trace(int level, const char* text)
{
    TraceConfig& config = traceConfig();
    std::lock_guard guard(config.lock);
    if (level > config.level || config.file.empty())
        return;
    if (FILE* f = std::fopen(config.file.c_str(), "a")) {
        std::fputs(text, f);
        std::fclose(f);
    }
}

void PLPicDecoder::raiseError(int code, const char* text)
{
    const std::string message = format("Decoder error: %s\n", text ? text : "");
    Trace(0, message.c_str());
    throw PLTextException(code, message.c_str());
}

void PLPicDecoder::decodeSource(PLDataSource* source, PLBmp* bmp, int bpp)
{
    m_pDataSrc = source;
    try {
        Open(source);
        MakeBmp(bmp, bpp);
    } catch (...) {
        Close();
        throw;
    }
    Close();
}

void PLPicDecoder::MakeBmpFromFile(const char* fileName, PLBmp* bmp, int bpp, PLIProgressNotification* progress)
{
    Trace(1, format("--- Decoding file %s. ---\n", fileName).c_str());
    auto source = std::make_unique<PLFileSource>(progress);
    if (const int result = source->OpenSource(fileName))
        failOpen(result, format("Opening %s failed", fileName));
    decodeSource(source.release(), bmp, bpp);
}

void PLPicDecoder::MakeBmpFromFileW(const wchar_t* fileName, PLBmp* bmp, int bpp, PLIProgressNotification* progress)
{
    std::string name = PLFileAccess::Utf8FromWide(fileName);
    if (name.size() >= 900)
        name = "{{Filename too long}}";
    Trace(1, format("--- Decoding file %s. ---\n", name.c_str()).c_str());
    auto source = std::make_unique<PLFileSource>(progress);
    if (const int result = source->OpenSource(fileName))
        failOpen(result, format("Opening %s failed", name.c_str()));
    decodeSource(source.release(), bmp, bpp);
}

void PLPicDecoder::MakeBmpFromURL(const char* url, PLBmp* bmp, int bpp, PLIProgressNotification*)
{
    Trace(1, format("--- Decoding URL %s. ---\n", url).c_str());
    auto source = std::make_unique<PLURLSource>();
    if (const int result = source->OpenSource(url)) {
        const std::string text = format("Decoder error: %s\n",
                                        format("Reading URL %s failed, reason: %s", url, source->GetErrorText()).c_str());
        Trace(0, text.c_str());
        throw PLTextException(result, source->GetLastError(), text.c_str());
    }
    decodeSource(source.release(), bmp, bpp);
}

void PLPicDecoder::MakeBmpFromResource(HINSTANCE module, int id, PLBmp* bmp, int bpp, void*, UINT type)
{
    Trace(1, format("--- Decoding resource ID %i. ---\n", id).c_str());
    auto source = std::make_unique<PLResourceSource>();
    if (const int result = source->OpenSource(module, id, type))
        failOpen(result, format("Opening resource %i failed", id));
    decodeSource(source.release(), bmp, bpp);
}

void PLPicDecoder::MakeBmpFromMemory(const uint8_t* data, int size, PLBmp* bmp, int bpp, PLIProgressNotification*)
{
    Trace(1, format("--- Decoding from memory at %p. ---\n", static_cast<const void*>(data)).c_str());
    auto source = std::make_unique<PLMemSource>();
    if (const int result = source->OpenSource(data, size))
        failOpen(result, format("Reading from memory at %p failed", static_cast<const void*>(data)));
    decodeSource(source.release(), bmp, bpp);
}

void PLPicDecoder::MakeBmp(PLBmp* bmp, int bpp)
{
    if (bpp != 0 && bpp < GetBitsPerPixel())
        raiseError(PL_ERRFORMAT_NOT_SUPPORTED, "Image bit depth doesn't match request.");
    if (bpp == 0 || bpp == GetBitsPerPixel()) {
        bmp->Create(*this);
        GetImage(*bmp);
        return;
    }
    PLAnyBmp decoded;
    decoded.Create(*this);
    GetImage(decoded);
    bmp->CopyFrom(decoded, bpp);
}

void PLPicDecoder::Close()
{
    if (m_pDataSrc) {
        m_pDataSrc->Close();
        delete m_pDataSrc;
        m_pDataSrc = nullptr;
    }
}

const uint8_t* PLPicDecoder::UnpackPackBits(uint8_t* destination, PLDataSource* source, int rowBytes, int packedLength)
{
    if (rowBytes < 8)
        return source->ReadBytes(rowBytes);
    const uint8_t* packed = source->ReadBytes(packedLength);
    if (PLExpandPackBits(packed, packedLength, destination, rowBytes).overrun)
        raiseError(PL_ERRINTERNAL, "PackBits run exceeds the row.");
    return destination;
}

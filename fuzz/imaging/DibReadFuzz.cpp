// A stored bitmap read from any file: the first byte picks the file's extension (a bitmap, an
// icon or any other picture), the rest is the file. What is read is drawn onto a small bitmap
// and skewed into a small one, as the bitmap editor does.
#include "fuzz/FuzzCanvas.h"
#include "imaging/Dib.h"

#include "piclib/common/PLAnyPicDecoder.h"
#include "piclib/common/PLMemSource.h"
#include "piclib/common/PLTextException.h"
#include "platform/core/MemFile.h"

#include <cstdint>
#include <vector>

namespace {

constexpr const char* kNames[] = {"picture.bmp", "picture.ico", "picture.png"};

// Large pictures take long to decode and draw; the decoders have targets of their own.
bool SmallEnough(const uint8_t* data, size_t size)
{
    PLMemSource source;
    source.OpenSource(data, static_cast<int>(size));
    PLAnyPicDecoder decoder;
    decoder.Attach(&source);
    bool small = true;
    try {
        decoder.Open(&source);
        small = int64_t(decoder.GetWidth()) * decoder.GetHeight() <= (1 << 16);
    } catch (const PLTextException&) {
    }
    decoder.Detach();
    decoder.Close();
    return small;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1 || size > (1 << 16) || !SmallEnough(data + 1, size - 1))
        return 0;
    std::vector<BYTE> bytes(data + 1, data + size);
    CMemFile file(bytes.data(), UINT(bytes.size()));
    file.SetFilePath(kNames[data[0] % std::size(kNames)]);
    COLORREF key = 0;
    CDib dib;
    if (!dib.Read(&file, &key))
        return 0;
    dib.StretchDraw(&FuzzCanvas(16, 16).Dc(), 0, 0, 16, 16);
    CDib skewed, mask;
    dib.AffineTransform(0, 0, 8, 1, 1, 6, 9, 7, &skewed, &mask, nullptr);
    return 0;
}

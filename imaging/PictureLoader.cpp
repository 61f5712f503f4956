#include "imaging/PictureLoader.h"

#include "piclib/common/PLAnyPicDecoder.h"
#include "piclib/common/PLTextException.h"
#include "imaging/DrawDIBSection.h"
#include "platform/core/File.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/GdiObject.h"

#include <climits>
#include <vector>

namespace {

bool ReadRest(CFile* file, std::vector<uint8_t>& bytes)
{
    ULONGLONG rest = file->GetLength() - file->GetPosition();
    if (rest == 0 || rest > INT_MAX)
        return false;
    bytes.resize(static_cast<size_t>(rest));
    return file->Read(bytes.data(), UINT(rest)) == rest;
}

}  // namespace

HBITMAP CPictureLoader::LoadPicture(CFile* file)
{
    std::vector<uint8_t> bytes;
    CDrawDIBSection picture;
    try {
        if (!file || !ReadRest(file, bytes))
            return nullptr;
        PLAnyPicDecoder decoder;
        decoder.MakeBmpFromMemory(bytes.data(), int(bytes.size()), &picture);
    } catch (PLTextException&) {
        return nullptr;
    }
    CDC screen;
    screen.Attach(::GetDC(nullptr));
    CBitmap bitmap;
    CDC memory;
    bool made = bitmap.CreateCompatibleBitmap(&screen, picture.GetWidth(), picture.GetHeight()) &&
                memory.CreateCompatibleDC(&screen);
    if (made) {
        CBitmap* old = memory.SelectObject(&bitmap);
        picture.Draw(memory.GetSafeHdc(), 0, 0, SRCCOPY);
        memory.SelectObject(old);
    }
    ::ReleaseDC(nullptr, screen.Detach());
    return made ? static_cast<HBITMAP>(bitmap.Detach()) : nullptr;
}

int CPictureLoader::GetScreenColourDepth()
{
    HDC screen = ::GetDC(nullptr);
    int depth = ::GetDeviceCaps(screen, BITSPIXEL) * ::GetDeviceCaps(screen, PLANES);
    ::ReleaseDC(nullptr, screen);
    return depth;
}

#include "imaging/Dib.h"
#include "imaging/IconLoader.h"
#include "imaging/PictureLoader.h"

#include "platform/core/File.h"
#include "platform/core/GlobalMemory.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/GdiObject.h"

#include <vector>

namespace {

CString Extension(const CString& name)
{
    int dot = name.ReverseFind('.');
    return dot < 0 ? CString() : name.Mid(dot + 1);
}

}  // namespace

BOOL CDib::Read(CFile* file, COLORREF* keyColour, int)
{
    if (!file)
        return FALSE;
    const CString extension = Extension(file->GetFileName());
    if (extension.CompareNoCase("bmp") != 0) {
        HBITMAP picture = extension.CompareNoCase("ico") == 0 ? LoadIconAsBitmap(file, keyColour)
                                                                : CPictureLoader::LoadPicture(file);
        file->SeekToBegin();
        if (picture) {
            CBitmap bitmap;
            bitmap.Attach(picture);
            BITMAP bm{};
            bitmap.GetBitmap(&bm);
            CDC dc;
            dc.CreateCompatibleDC(nullptr);
            CBitmap* old = dc.SelectObject(&bitmap);
            BOOL made = CreateFromBitmap(&dc, &bitmap, UINT(bm.bmPlanes) * bm.bmBitsPixel, FALSE);
            dc.SelectObject(old);
            return made;
        }
    }
    Free();
    ULONGLONG length = file->GetLength() - file->GetPosition();
    if (length > kGlobalMaxBlock)
        return FALSE;
    std::vector<BYTE> image(static_cast<size_t>(length));
    if (length && file->Read(image.data(), UINT(length)) != length)
        return FALSE;
    return Adopt(image.data(), DWORD(length));
}

#include "imaging/DeviceBitmap.h"

#include "platform/gdi/Dc.h"
#include "platform/gdi/GdiObject.h"

BOOL SelectMadeBitmap(CDC* dc, bool monochrome, const std::function<HBITMAP()>& make, CBitmap*& previous)
{
    CBitmap placeholder;
    BOOL created = monochrome ? placeholder.CreateBitmap(1, 1, 1, 1, nullptr)
                              : placeholder.CreateBitmap(1, 1, dc->GetDeviceCaps(PLANES),
                                                         dc->GetDeviceCaps(BITSPIXEL), nullptr);
    if (!created)
        return FALSE;
    CBitmap* selected = dc->SelectObject(&placeholder);
    HGDIOBJ previousHandle = selected ? selected->GetSafeHandle() : nullptr;
    HBITMAP made = make();
    if (!made) {
        ::SelectObject(dc->GetSafeHdc(), previousHandle);
        return FALSE;
    }
    ::SelectObject(dc->GetSafeHdc(), made);
    previous = CBitmap::FromHandle(static_cast<HBITMAP>(previousHandle));
    return TRUE;
}

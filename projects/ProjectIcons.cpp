#include "projects/ProjectIcons.h"

#include "platform/core/BinaryResources.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/GdiObject.h"
#include "platform/gdi/Icon.h"

HICON LoadProjectIcon(UINT id)
{
    const std::vector<BYTE>* file = FindBinaryResource(ResourceKind::Icon, id);
    return file ? CreateIconFromFileData(file->data(), file->size(), 16, 16) : nullptr;
}

CString LoadProjectString(UINT id)
{
    CString text;
    text.LoadString(id);
    return text;
}

void BlackenMaskedPixels(CBitmap& colour, CBitmap& mask, int width, int height)
{
    CDC colourDC, maskDC;
    colourDC.CreateCompatibleDC(nullptr);
    maskDC.CreateCompatibleDC(nullptr);
    CBitmap* oldColour = colourDC.SelectObject(&colour);
    CBitmap* oldMask = maskDC.SelectObject(&mask);
    // Set mask bits arrive as the background colour, black; clear ones as white.
    colourDC.SetBkColor(RGB(0, 0, 0));
    colourDC.SetTextColor(RGB(255, 255, 255));
    colourDC.BitBlt(0, 0, width, height, &maskDC, 0, 0, SRCAND);
    colourDC.SelectObject(oldColour);
    maskDC.SelectObject(oldMask);
}

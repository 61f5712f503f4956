#include "projects/ProjectIcons.h"

#include "platform/gdi/Dc.h"
#include "platform/gdi/GdiObject.h"
#include "platform/gdi/Icon.h"

namespace {

struct IconColour {
    UINT id;
    COLORREF colour;
};

constexpr IconColour kIconColours[] = {
    {291, RGB(70, 110, 190)},  {360, RGB(90, 160, 90)},   {361, RGB(200, 150, 40)}, {362, RGB(170, 80, 160)},
    {363, RGB(220, 200, 60)},  {364, RGB(80, 160, 170)},  {412, RGB(40, 90, 200)},  {23000, RGB(120, 120, 120)},
    {23001, RGB(200, 170, 80)}, {23002, RGB(230, 200, 110)}, {129, RGB(250, 250, 250)}, {23004, RGB(150, 150, 200)},
    {367, RGB(180, 60, 60)},
};

COLORREF ColourOf(UINT id)
{
    for (const IconColour& row : kIconColours)
        if (row.id == id)
            return row.colour;
    return RGB(128, 128, 128);
}

} // namespace

HICON LoadProjectIcon(UINT id)
{
    CBitmap colour, mask;
    colour.CreateBitmap(16, 16, 1, 32, nullptr);
    mask.CreateBitmap(16, 16, 1, 1, nullptr);
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap* old = dc.SelectObject(&colour);
    dc.PatBlt(0, 0, 16, 16, BLACKNESS);
    CBrush frame(RGB(40, 40, 40)), fill(ColourOf(id));
    const CRect outer(1, 2, 15, 14);
    dc.FillRect(&outer, &frame);
    const CRect inner(2, 3, 14, 13);
    dc.FillRect(&inner, &fill);
    dc.SelectObject(&mask);
    dc.PatBlt(0, 0, 16, 16, WHITENESS);
    dc.PatBlt(outer.left, outer.top, outer.Width(), outer.Height(), BLACKNESS);
    dc.SelectObject(old);
    ICONINFO info {TRUE, 0, 0, mask, colour};
    return CreateIconIndirect(&info);
}

CString LoadProjectString(UINT id)
{
    CString text;
    text.LoadString(id);
    return text;
}

// Tool bars and bitmaps. The pictures are drawn here: coloured squares for the buttons and
// pane icons, a plain logo for the splash.
#include "res/ResourceParts.h"

#include "View/HyperView.h"
#include "View/MyView.h"
#include "platform/ui/Resources.h"
#include "platform/ui/WinApp.h"

#include <vector>

namespace {

struct ToolBarEntry {
    UINT id;
    std::vector<UINT> commands;
};

// The commands of the later tool bars come with the Parts that give them.
const std::vector<ToolBarEntry>& ToolBars()
{
    static const std::vector<ToolBarEntry> bars = {
        {128, {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, 33854, 0, CHyperView::CmdUndo, CHyperView::CmdRedo, 0,
               ID_APP_ABOUT}},
        {249, {CHyperView::CmdGrid, 0, 23038, 23033, 33918, 0, 28566}},
        {167, {CHyperView::ToolSelect, CMyView::ToolRectangle, CMyView::ToolFrame}},
        {247, {}}, {27908, {28570, 28571, 28572, 256}}, {28564, {60441}}, {269, {}}, {273, {}}, {278, {}}, {371, {}}, {386, {}}, {275, {}},
    };
    return bars;
}

void Put32(std::vector<BYTE>& file, size_t at, DWORD value)
{
    for (int i = 0; i < 4; ++i)
        file[at + static_cast<size_t>(i)] = static_cast<BYTE>(value >> (8 * i));
}

// A 24-bit bitmap file; `pixel` gives the colour of each point.
template <typename Pixel>
std::vector<BYTE> BitmapFile(int width, int height, Pixel pixel)
{
    const int stride = (width * 3 + 3) & ~3;
    std::vector<BYTE> file(54 + static_cast<size_t>(stride) * static_cast<size_t>(height), 0);
    file[0] = 'B';
    file[1] = 'M';
    Put32(file, 2, static_cast<DWORD>(file.size()));
    Put32(file, 10, 54);
    Put32(file, 14, 40);
    Put32(file, 18, static_cast<DWORD>(width));
    Put32(file, 22, static_cast<DWORD>(height));
    file[26] = 1;
    file[28] = 24;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const COLORREF c = pixel(x, height - 1 - y);
            BYTE* p = &file[54 + static_cast<size_t>(y) * static_cast<size_t>(stride) + static_cast<size_t>(x) * 3];
            p[0] = GetBValue(c);
            p[1] = GetGValue(c);
            p[2] = GetRValue(c);
        }
    return file;
}

// One 16 x 15 square a button, framed, in a colour that follows the button's place.
std::vector<BYTE> IconStrip(int count, COLORREF background)
{
    return BitmapFile(16 * std::max(count, 1), 15, [background](int x, int y) {
        const int inX = x % 16, index = x / 16;
        const bool inside = inX >= 2 && inX <= 13 && y >= 1 && y <= 13;
        const bool edge = inside && (inX == 2 || inX == 13 || y == 1 || y == 13);
        if (!inside)
            return background;
        return edge ? RGB(40, 40, 40) : RGB(60 + index * 37 % 180, 120 + index * 53 % 120, 200 - index * 29 % 150);
    });
}

std::vector<BYTE> Logo(COLORREF band)
{
    return BitmapFile(320, 180, [band](int, int y) { return y < 120 ? RGB(255, 255, 255) : band; });
}

} // namespace

void RegisterToolBars()
{
    for (const ToolBarEntry& bar : ToolBars()) {
        RegisterToolBarResource(bar.id, ToolBarTemplate{16, 15, bar.commands});
        int buttons = 0;
        for (UINT id : bar.commands)
            buttons += id != 0;
        RegisterBinaryResource(ResourceKind::Bitmap, bar.id, IconStrip(buttons, RGB(192, 192, 192)));
    }
}

void RegisterPictures()
{
    RegisterBinaryResource(ResourceKind::Bitmap, 199, IconStrip(7, RGB(0, 255, 0)));
    RegisterBinaryResource(ResourceKind::Bitmap, 185, Logo(RGB(30, 90, 160)));
    RegisterBinaryResource(ResourceKind::Bitmap, 391, Logo(RGB(160, 60, 30)));
}

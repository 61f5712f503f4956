// Tool bars and bitmaps. The pictures are drawn here: coloured squares for the buttons and
// pane icons, a plain logo for the splash.
#include "res/ResourceParts.h"

#include "View/HyperFmtView.h"
#include "View/HyperView.h"
#include "View/MyView.h"
#include "View/NotesView.h"
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
               ID_APP_ABOUT, 0, 28573, 28574}},
        {249, {CHyperView::CmdGrid, 0, 23038, 23033, 33918, 0, 28566}},
        {167, {CHyperView::ToolSelect, CMyView::ToolRectangle, CMyView::ToolFrame, 60481, 60480, 33808, 34054}},
        {247, {33954, 60553, 0, CHyperFmtView::CmdBold, CHyperFmtView::CmdItalic, 0, 60582, 60583, 60584, 0, 60551,
               60550, 0, 27174, 27168, 27185, 0, 28575, 28576}},
        {27908, {28567, 28568, 28569, 28570, 28571, 28572, 256}}, {28564, {60441}}, {269, {}}, {273, {33983}},
        {371, {34048, 34049, 34050, 34055, 0, 34051}}, {386, {34059}},
        {275, {33992, 33990, 33991, 33989, 0, 33993, 33994, 33996, 33995, 0, 34002, 33998, 33999, 34001}},
        // The drop-downs of the split buttons.
        {406, {60481, 60472, 60450, 60479}}, {408, {33807, 60471, 60478}}, {410, {60480, 60451}},
        {404, {33808, 60462, 60463}}, {373, {34052, 37701, 34060, 34061}},
        {1006, {27042, 27043, 27044, 27045, 27046, 27047, 27048}}, {28585, {27301, 27302, 27303, 27304, 27305}},
        {23008, {23020, 23021, 0, 23032, 23026, 0, 34038}},
        {28584, {60679, 60680, 60681, 0, 60672, 60673, 60674}},
        // The ink layer.
        {278, {CNotesView::CmdEnableInkLayer, 0, CNotesView::CmdInkStroke, CNotesView::CmdInkEraser,
               CNotesView::CmdInkSelectionTool, CNotesView::CmdInkDelete, 0, 33989, 33990, 33991, 33992, 33995,
               33994, 33996, 33993, 34001, 33998, 33999, 34002, 0, CNotesView::CmdSignatureDialog}},
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

// A note icon of 16 x 14: a folded sheet in a colour, on the notes' transparent colour 128.
std::vector<BYTE> NoteIcon(COLORREF sheet, COLORREF mark)
{
    return BitmapFile(16, 14, [sheet, mark](int x, int y) {
        if (x < 1 || x > 14 || y < 1 || y > 12 || x - y > 10)
            return COLORREF(128);
        if (x == 1 || x == 14 || y == 1 || y == 12 || x - y == 10)
            return RGB(40, 40, 40);
        return y >= 5 && y <= 8 && x >= 4 && x <= 10 ? mark : sheet;
    });
}

// 16 x 16 cells on green, which stands for transparent.
std::vector<BYTE> ImageStrip(int count)
{
    return BitmapFile(16 * count, 16, [](int x, int y) {
        const int inX = x % 16, index = x / 16;
        if (inX < 2 || inX > 13 || y < 2 || y > 13)
            return RGB(0, 255, 0);
        return RGB(200 - index * 23 % 160, 60 + index * 41 % 150, 90 + index * 67 % 160);
    });
}

// The Layers list's row icons: stacked bars (visible), a padlock (locked), a note sheet.
std::vector<BYTE> LayerIcon(int width, int height, bool (*ink)(int x, int y), COLORREF colour)
{
    return BitmapFile(width, height, [ink, colour](int x, int y) { return ink(x, y) ? colour : RGB(255, 255, 255); });
}

bool Bars(int x, int y) { return x >= 2 && x <= 14 && (y == 2 || y == 5 || y == 8); }
bool Padlock(int x, int y) { return (y >= 5 && x >= 5 && x <= 11) || (y < 5 && y >= 1 && (x == 6 || x == 10)) || (y == 1 && x >= 6 && x <= 10); }
bool Sheet(int x, int y) { return x == 3 || x == 12 || y == 0 || y == 9 || (x > 4 && x < 11 && y % 3 == 0); }
// Marker symbols, 16 x 16 each: a disc whose colour follows its place, on the strip's mask colour.
std::vector<BYTE> MarkerStrip(int count, COLORREF mask)
{
    return BitmapFile(16 * count, 16, [mask](int x, int y) {
        const int dx = x % 16 - 8, dy = y - 8, index = x / 16;
        if (dx * dx + dy * dy > 36)
            return mask;
        return RGB(40 + index * 23 % 200, 180 - index * 17 % 150, 60 + index * 41 % 190);
    });
}

struct MarkerStripRow {
    UINT id;
    int count;
    COLORREF mask;
};

constexpr MarkerStripRow kMarkerStrips[] = {{352, 5, RGB(0, 0, 0)},   {353, 5, RGB(0, 0, 0)},
                                            {357, 5, RGB(0, 0, 0)},   {358, 7, RGB(128, 0, 0)},
                                            {385, 10, RGB(255, 0, 0)}};

std::vector<BYTE> Logo(COLORREF band)
{
    return BitmapFile(320, 180, [band](int, int y) { return y < 120 ? RGB(255, 255, 255) : band; });
}

} // namespace

std::vector<BYTE> PictureFile(int width, int height, const std::function<COLORREF(int, int)>& pixel)
{
    return BitmapFile(width, height, pixel);
}

std::vector<BYTE> ButtonStrip(int count, COLORREF background) { return IconStrip(count, background); }

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
    RegisterBinaryResource(ResourceKind::Bitmap, 289, ImageStrip(8));
    RegisterBinaryResource(ResourceKind::Bitmap, 209, LayerIcon(15, 15, Sheet, RGB(0, 120, 60)));
    RegisterBinaryResource(ResourceKind::Bitmap, 27963, LayerIcon(17, 11, Bars, RGB(0, 90, 200)));
    RegisterBinaryResource(ResourceKind::Bitmap, 27962, LayerIcon(17, 11, Padlock, RGB(160, 110, 0)));
    RegisterBinaryResource(ResourceKind::Bitmap, 288, LayerIcon(16, 10, Sheet, RGB(200, 170, 0)));
    RegisterBinaryResource(ResourceKind::Bitmap, 391, Logo(RGB(160, 60, 30)));
    // The icons of the sticky, rich-text and sound notes.
    RegisterBinaryResource(ResourceKind::Bitmap, 771, NoteIcon(RGB(255, 255, 128), RGB(255, 255, 128)));
    RegisterBinaryResource(ResourceKind::Bitmap, 375, NoteIcon(RGB(255, 255, 128), RGB(200, 40, 40)));
    RegisterBinaryResource(ResourceKind::Bitmap, 377, NoteIcon(RGB(160, 220, 255), RGB(20, 60, 160)));
    // The audio position slider: its channel, the played part and the thumb.
    RegisterBinaryResource(ResourceKind::Bitmap, 379, BitmapFile(120, 12, [](int, int y) {
                               return y >= 4 && y <= 7 ? RGB(128, 128, 128) : RGB(192, 192, 192);
                           }));
    RegisterBinaryResource(ResourceKind::Bitmap, 380, BitmapFile(120, 12, [](int, int y) {
                               return y >= 4 && y <= 7 ? RGB(0, 0, 200) : RGB(192, 192, 192);
                           }));
    RegisterBinaryResource(ResourceKind::Bitmap, 381, BitmapFile(8, 12, [](int x, int) {
                               return x == 0 || x == 7 ? RGB(255, 0, 255) : RGB(60, 60, 60);
                           }));
    for (const MarkerStripRow& strip : kMarkerStrips)
        RegisterBinaryResource(ResourceKind::Bitmap, strip.id, MarkerStrip(strip.count, strip.mask));
}

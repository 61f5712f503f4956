// Tool bars: their buttons, and their strips made from the artwork table.
#include "res/ResourceParts.h"

#include "res/Artwork.h"

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
        {371, {34048, 34049, 34050, 34055, 0, 34051}}, {386, {34059}}, {369, {1088, 1089, 0, 1032}},
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

} // namespace

std::vector<BYTE> PictureFile(int width, int height, const std::function<COLORREF(int, int)>& pixel)
{
    return BitmapFile(width, height, pixel);
}

void RegisterToolBars()
{
    for (const ToolBarEntry& bar : ToolBars()) {
        RegisterToolBarResource(bar.id, ToolBarTemplate{16, 15, bar.commands});
        RegisterBinaryResource(ResourceKind::Bitmap, bar.id, CommandStrip(bar.commands));
        RegisterBinaryResource(ResourceKind::Bitmap, LargeToolBarBitmapName(bar.id),
                               CommandStrip(bar.commands, 32, 32));
    }
}

void RegisterPictures() { RegisterArtwork(); }

// Every picture the program asks for is there, shows something, and no two buttons of one
// tool bar look alike.
#include "res/Artwork.h"
#include "res/ProgramResources.h"

#include "UiFixture.h"
#include "View/HyperView.h"
#include "imaging/paint/PntCtrl.h"
#include "objects/HyperDrawOb.h"
#include "objects/HyperOb.h"
#include "objects/SnapPointSet.h"
#include "objects/kinds/BasePolyOb.h"
#include "objects/kinds/ConnectL0.h"
#include "objects/kinds/RTFOb.h"
#include "objects/kinds/SoundOb.h"
#include "objects/kinds/StickyOb.h"
#include "platform/core/BinaryResources.h"
#include "platform/gdi/Icon.h"
#include "platform/gdi/PngImage.h"
#include "platform/ui/Resources.h"
#include "projects/CatManagerPane.h"
#include "projects/MarkerTreeCtrl.h"
#include "projects/ProjManager.h"
#include "projects/ProjMemberEntry.h"
#include "projects/ProjOb.h"
#include "shell/SelectLanguageDlg.h"
#include "shell/SplashDlg.h"
#include "shell/TaskPanelPane.h"

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace {

// A cell of a bitmap file as rows of colours; the files are the 24-bit ones the artwork makes.
struct Cell {
    std::vector<DWORD> points;
    bool Plain() const { return std::set<DWORD>(points.begin(), points.end()).size() < 2; }
};

DWORD PointOf(const std::vector<BYTE>& file, int x, int y)
{
    const int width = file[18] | file[19] << 8, height = file[22] | file[23] << 8;
    const size_t stride = static_cast<size_t>((width * 3 + 3) & ~3);
    const BYTE* p = &file[54 + static_cast<size_t>(height - 1 - y) * stride + static_cast<size_t>(x) * 3];
    return static_cast<DWORD>(p[2] << 16 | p[1] << 8 | p[0]);
}

std::vector<Cell> Cells(const std::vector<BYTE>& file, int cellWidth)
{
    const int width = file[18] | file[19] << 8, height = file[22] | file[23] << 8;
    std::vector<Cell> cells(static_cast<size_t>(width / cellWidth));
    for (int x = 0; x < width; ++x)
        for (int y = 0; y < height; ++y)
            cells[static_cast<size_t>(x / cellWidth)].points.push_back(PointOf(file, x, y));
    return cells;
}

struct BitmapAsked {
    UINT id;
    int cellWidth;
};

// The bitmaps the code loads, with the width of one picture.
const BitmapAsked kBitmaps[] = {
    {128, 16}, {249, 16}, {167, 16}, {247, 16}, {27908, 16}, {28564, 16}, {273, 16}, {371, 16}, {386, 16},
    {275, 16}, {406, 16}, {408, 16}, {410, 16}, {404, 16}, {373, 16}, {1006, 16}, {28585, 16}, {23008, 16},
    {CCatManagerPane::ToolBarId, 16}, {278, 16}, {28133, 16}, {28131, 32}, {28132, 16},
    {28134, 16}, {28135, 16}, {28136, 16}, {28137, 16}, {28138, 16}, {28139, 16},
    {199, 16}, {CTaskPanelPane::kImageStrip, 16}, {CSelectLanguageDlg::kImages, 15},
    {27963, 17}, {27962, 17}, {288, 16}, {352, 16}, {353, 16}, {357, 16}, {358, 16}, {385, 16},
    {CStickyOb::IconId, 16}, {CRTFOb::IconId, 16}, {CSoundOb::IconId, 16},
    {CSnapPointSet::IndicatorBitmapId, 9}, {CHyperDrawOb::AlarmBitmapId, 16}, {379, 120}, {380, 120}, {381, 8},
    {CSplashDlg::NationalLogo, 320}, {CSplashDlg::DefaultLogo, 320},
};

const UINT kIcons[] = {CProjOb::DefaultIcon, 360, CProjManager::ProjectIcon, 362, 363, 364, 367,
                       CProjMemberEntry::LinkIcon, CMarkerTreeCtrl::HeadingIcon, 23000, 23001, 23002, 129, 23004,
                       28577, 28578, 28579};

const UINT kCursors[] = {CHyperOb::CursorHotSpot, CHyperOb::CursorHandleModeHandle, CHyperOb::CursorHandleMode,
                         CHyperOb::CursorRotated, 31003, CBasePolyOb::CursorDeletePoint,
                         CBasePolyOb::CursorInsertPoint, CBasePolyOb::CursorMovePoint, CConnectL0::CursorEndFixed,
                         CPntCtrl::FirstCursorId, CPntCtrl::FirstCursorId + 1, CPntCtrl::FirstCursorId + 2,
                         CPntCtrl::FirstCursorId + 3, CPntCtrl::FirstCursorId + 4, CPntCtrl::FirstCursorId + 5,
                         CPntCtrl::FirstCursorId + 6};

class Artwork : public UiTest {
protected:
    static void SetUpTestSuite()
    {
        UiTest::SetUpTestSuite();
        RegisterProgramResources();
    }
};

void ExpectPicturesIn(const std::vector<BYTE>& file, const std::string& what, int cellWidth)
{
    ASSERT_GE(file.size(), 54u) << what;
    ASSERT_EQ(file[28], 24) << what;
    const std::vector<Cell> cells = Cells(file, cellWidth);
    ASSERT_FALSE(cells.empty()) << what;
    for (size_t i = 0; i < cells.size(); ++i) {
        EXPECT_FALSE(cells[i].Plain()) << what << ": picture " << i << " is one colour";
        for (size_t j = 0; j < i; ++j)
            EXPECT_NE(cells[i].points, cells[j].points) << what << ": pictures " << j << " and " << i << " are alike";
    }
}

void ExpectPng(const std::vector<BYTE>* file, const std::string& what)
{
    ASSERT_NE(file, nullptr) << what << " is missing";
    ASSERT_GT(file->size(), 22u) << what;
    ArgbPixels pixels;
    ASSERT_TRUE(DecodePng(file->data() + 22, file->size() - 22, pixels)) << what;
    EXPECT_GT(std::set<DWORD>(pixels.pixels.begin(), pixels.pixels.end()).size(), 1u) << what << " is one colour";
}

} // namespace

TEST_F(Artwork, EveryBitmapTheCodeLoadsHasItsOwnPictures)
{
    for (const BitmapAsked& asked : kBitmaps) {
        const std::vector<BYTE>* file = FindBinaryResource(ResourceKind::Bitmap, asked.id);
        ASSERT_NE(file, nullptr) << "bitmap " << asked.id << " is missing";
        ExpectPicturesIn(*file, "bitmap " + std::to_string(asked.id), asked.cellWidth);
        HBITMAP loaded = LoadBitmapResource(asked.id);
        EXPECT_NE(loaded, nullptr) << asked.id;
        DeleteObject(loaded);
    }
    const std::vector<BYTE>* download = FindBinaryResource(ResourceKind::Bitmap, "LvDownload");
    ASSERT_NE(download, nullptr);
    ExpectPicturesIn(*download, "LvDownload", 16);
}

TEST_F(Artwork, EveryToolBarButtonHasAPictureOfItsOwn)
{
    for (const ArtworkRow& row : ArtworkTable()) {
        if (row.kind == ArtworkKind::Command) {
            EXPECT_EQ(CommandPicture(static_cast<UINT>(std::stoul(row.id))), row.pictures.front());
        }
    }
    for (const BitmapAsked& asked : kBitmaps) {
        const ToolBarTemplate* bar = FindToolBarResource(asked.id);
        for (UINT command : bar ? bar->items : std::vector<UINT>{})
            EXPECT_TRUE(command == 0 || !CommandPicture(command).empty()) << "command " << command;
    }
}

TEST_F(Artwork, EveryToolBarHasItsPicturesAt32PixelsForLargeIcons)
{
    for (const BitmapAsked& asked : kBitmaps) {
        // The paint strip is a tool bar of no commands; its pictures come in one size.
        const ToolBarTemplate* bar = FindToolBarResource(asked.id);
        if (!bar || bar->items.empty())
            continue;
        const std::string name = LargeToolBarBitmapName(asked.id);
        const std::vector<BYTE>* file = FindBinaryResource(ResourceKind::Bitmap, name);
        ASSERT_NE(file, nullptr) << name << " is missing";
        ExpectPicturesIn(*file, name, 32);
        const auto buttons = std::count_if(bar->items.begin(), bar->items.end(), [](UINT id) { return id != 0; });
        EXPECT_EQ(Cells(*file, 32).size(), static_cast<size_t>(buttons)) << name;
        EXPECT_EQ((*file)[22], 32) << name << " is not 32 high";
    }
}

TEST_F(Artwork, EveryIconAndCursorTheCodeLoadsIsThere)
{
    for (UINT id : kIcons) {
        ExpectPng(FindBinaryResource(ResourceKind::Icon, id), "icon " + std::to_string(id));
        HICON icon = LoadIcon(nullptr, MAKEINTRESOURCE(id));
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(icon, &info)) << "icon " << id;
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
    }
    for (UINT id : kCursors)
        ExpectPng(FindBinaryResource(ResourceKind::Cursor, id), "cursor " + std::to_string(id));
}

TEST_F(Artwork, ACursorFileKeepsItsHotSpotBesideThePicture)
{
    const std::vector<BYTE>* file = FindBinaryResource(ResourceKind::Cursor, CPntCtrl::FirstCursorId + 2);
    ASSERT_NE(file, nullptr);
    const std::vector<BYTE> head(file->begin(), file->begin() + 22);
    const DWORD size = static_cast<DWORD>(file->size() - 22);
    const std::vector<BYTE> expected = {
        0, 0, 2, 0, 1, 0,                  // reserved, type cursor, one image
        32, 32, 0, 0,                      // 32 x 32, no palette
        2, 0, 29, 0,                       // the pencil's tip is the hot spot
        BYTE(size), BYTE(size >> 8), 0, 0, // the PNG's bytes
        22, 0, 0, 0,                       // which follow the directory
    };
    EXPECT_EQ(head, expected);
    HCURSOR cursor = CreateIconFromFileData(file->data(), file->size(), 32, 32);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(cursor, &info));
    EXPECT_EQ(info.xHotspot, 2u);
    EXPECT_EQ(info.yHotspot, 29u);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyCursor(cursor);
}

TEST_F(Artwork, APictureSitsInTheMiddleOfItsCellOnTheMaskColour)
{
    // The eraser of width 4 is a black square of 4 x 4 in the middle of 16 x 16.
    const std::vector<BYTE> strip = ArtworkStrip({"own:eraser-4", "own:eraser-10"}, 16, 16, RGB(0, 255, 0));
    ASSERT_EQ(strip[18], 32);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const bool ink = x >= 6 && x < 10 && y >= 6 && y < 10;
            EXPECT_EQ(PointOf(strip, x, y), ink ? 0x000000u : 0x00FF00u) << x << "," << y;
        }
    EXPECT_EQ(PointOf(strip, 16 + 3, 3), 0x000000u);
    EXPECT_EQ(PointOf(strip, 16 + 2, 2), 0x00FF00u);
}

TEST_F(Artwork, AMissingPictureLeavesItsCellPlainAndTheStripWhole)
{
    const std::vector<BYTE> strip = ArtworkStrip({"own:eraser-4", "no-such-icon"}, 16, 16, RGB(1, 2, 3));
    const std::vector<Cell> cells = Cells(strip, 16);
    ASSERT_EQ(cells.size(), 2u);
    EXPECT_FALSE(cells[0].Plain());
    EXPECT_TRUE(cells[1].Plain());
    EXPECT_EQ(cells[1].points.front(), 0x010203u);
}

namespace {

void CollectCommands(const std::vector<MenuTemplateItem>& items, std::set<UINT>& commands)
{
    for (const MenuTemplateItem& item : items) {
        if (item.flags & MF_POPUP)
            CollectCommands(item.children, commands);
        else if (item.id != 0)
            commands.insert(item.id);
    }
}

// The split buttons' menus and the menu bar's, without a document and with one.
constexpr UINT kMenus[] = {IDR_MAINFRAME, IDR_DOCUMENT, 256, 28566, 28567, 28568, 28569, 28570, 28571, 28572, 28573, 28574};

} // namespace

TEST_F(Artwork, EveryCommandOnEveryMenuAndBarHasATipAndAPrompt)
{
    std::set<UINT> commands;
    for (UINT id : kMenus) {
        const std::vector<MenuTemplateItem>* menu = FindMenuResource(id);
        ASSERT_NE(menu, nullptr) << "menu " << id;
        CollectCommands(*menu, commands);
    }
    for (const BitmapAsked& asked : kBitmaps)
        if (const ToolBarTemplate* bar = FindToolBarResource(asked.id))
            commands.insert(bar->items.begin(), bar->items.end());
    // The hatch and shadow choices' strings are the Properties pane's names of those values.
    for (UINT id = 27042; id <= 27048; ++id)
        commands.erase(id);
    for (UINT id = 27301; id <= 27305; ++id)
        commands.erase(id);
    commands.erase(0);
    for (UINT id : commands) {
        CString text;
        text.LoadString(id);
        const int newline = text.Find('\n');
        EXPECT_TRUE(newline > 0 && newline + 1 < text.GetLength()) << id << ": \"" << text.GetString() << "\"";
    }
}

TEST_F(Artwork, TheHiliteColourRowIsNotNamedLikeTheBorderStyleRow)
{
    CString hilite, border;
    hilite.LoadString(27156);
    border.LoadString(27203);
    EXPECT_STREQ(hilite.GetString(), "Hilite Colour");
    EXPECT_STREQ(border.GetString(), "Border Style");
}

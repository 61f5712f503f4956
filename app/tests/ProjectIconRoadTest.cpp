// Edit Icon from the project tree: the editor starts from the very icon the tree shows, and an
// icon left unchanged comes back with its clear pixels still clear.
#include "app/tests/E2E.h"
#include "app/tests/RoadTest.h"

#include <gtest/gtest.h>

#include <QImage>

#include <string>
#include <vector>

namespace {

constexpr int kEditIcon = 34033;
constexpr int kIconSide = 16;
// The tree's 16 x 16 icon cell of a subproject's row, and how far above a row's label point its
// cell begins; a project's cell lies one indentation further left.
constexpr int kSubCellLeft = 775, kIndent = 19, kCellAboveLabel = 9;
// The editor shows a 16-pixel icon at seven screen pixels a pixel, centred on this cell.
constexpr int kZoom = 7, kEditorLeft = 75, kEditorTop = 133;
constexpr const char* kOk = "650 253";
constexpr const char* kCancel = "650 286";

using ProjectIconRoadTest = e2e::ProjectFolderRoadTest;

// Black and dark grey; the navy of a selected label is not the icon.
bool Dark(QRgb pixel) { return qRed(pixel) < 96 && qGreen(pixel) < 96 && qBlue(pixel) < 96; }

// Which pixels of the icon are dark, as the tree shows them at a row's label point.
std::vector<bool> DarkInTree(const QImage& shot, int cellLeft, int labelY)
{
    std::vector<bool> dark;
    for (int y = 0; y < kIconSide; ++y)
        for (int x = 0; x < kIconSide; ++x)
            dark.push_back(Dark(shot.pixel(cellLeft + x, labelY - kCellAboveLabel + y)));
    return dark;
}

// The same read from the middle of each pixel of the editor's enlarged picture.
std::vector<bool> DarkInEditor(const QImage& dialog)
{
    std::vector<bool> dark;
    for (int y = 0; y < kIconSide; ++y)
        for (int x = 0; x < kIconSide; ++x)
            dark.push_back(Dark(dialog.pixel(kEditorLeft + x * kZoom + kZoom / 2, kEditorTop + y * kZoom + kZoom / 2)));
    return dark;
}

std::string Picture(const std::vector<bool>& dark)
{
    std::string text;
    for (size_t i = 0; i < dark.size(); ++i)
        text += std::string(dark[i] ? "#" : ".") + ((i + 1) % kIconSide ? "" : "\n");
    return text;
}

TEST_F(ProjectIconRoadTest, TheEditorStartsFromTheIconTheTreeShows)
{
    struct Row {
        const char* name;
        int labelY;
        int cellLeft;
    };
    const Row rows[] = {{"project", 160, kSubCellLeft - kIndent}, {"subproject", 196, kSubCellLeft}};
    std::string script = "wait 300\nmenu 23020\nwait 200\ntype " + name + "\nkey enter\nwait 300\n";
    for (const Row& row : rows) {
        const std::string label = "812 " + std::to_string(row.labelY);
        script += "click main " + label + "\nwait 200\nscreenshot " + Path(std::string(row.name) + "-tree.png") +
                  "\npick " + std::to_string(kEditIcon) + "\nrclick main " + label + "\nwait 500\nsnapshot dialog " +
                  Path(std::string(row.name) + "-editor.png") + "\nclick dialog " + kCancel + "\nwait 300\n";
    }
    const e2e::Run run = Play(script + "quit\n");
    ASSERT_EQ(run.exitCode, 0) << run.log;
    for (const Row& row : rows) {
        const QImage tree(QString::fromStdString(Path(std::string(row.name) + "-tree.png")));
        const QImage editor(QString::fromStdString(Path(std::string(row.name) + "-editor.png")));
        ASSERT_FALSE(tree.isNull() || editor.isNull()) << row.name;
        const std::vector<bool> shown = DarkInTree(tree, row.cellLeft, row.labelY), edited = DarkInEditor(editor);
        EXPECT_NE(Picture(shown).find('#'), std::string::npos) << row.name;
        EXPECT_EQ(Picture(edited), Picture(shown)) << row.name;
    }
}

TEST_F(ProjectIconRoadTest, AnIconLeftUnchangedKeepsItsClearPixelsClear)
{
    const std::string label = "812 196";
    const e2e::Run run = Play("wait 300\nmenu 23020\nwait 200\ntype " + name + "\nkey enter\nwait 300\nclick main " +
                              label + "\nwait 200\nscreenshot " + Path("before.png") + "\npick " +
                              std::to_string(kEditIcon) + "\nrclick main " + label + "\nwait 500\nclick dialog " + kOk +
                              "\nwait 300\nscreenshot " + Path("after.png") + "\nquit\n");
    ASSERT_EQ(run.exitCode, 0) << run.log;
    const QRect cell(kSubCellLeft, 196 - kCellAboveLabel, kIconSide, kIconSide);
    const QImage before = QImage(QString::fromStdString(Path("before.png"))).copy(cell);
    const QImage after = QImage(QString::fromStdString(Path("after.png"))).copy(cell);
    ASSERT_FALSE(before.isNull() || after.isNull());
    // The editor keeps a 16-colour palette, so only the clear pixels are compared exactly.
    int background = 0;
    for (int y = 0; y < kIconSide; ++y)
        for (int x = 0; x < kIconSide; ++x) {
            const bool clear = (before.pixel(x, y) & 0xFFFFFF) == 0xFFFFFF;
            background += clear;
            EXPECT_EQ((after.pixel(x, y) & 0xFFFFFF) == 0xFFFFFF, clear)
                << x << "," << y << " is " << std::hex << (after.pixel(x, y) & 0xFFFFFF);
        }
    EXPECT_GT(background, 16) << "the icon has clear pixels that show the tree's white";
}

} // namespace

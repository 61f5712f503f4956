// The icon editor's preview shows the icon as it is edited: a pixel painted in the editor turns
// up in the preview at the icon's own size.
#include "app/tests/E2E.h"
#include "app/tests/PixelBox.h"
#include "app/tests/RoadTest.h"

#include "View/MyView.h"

#include <gtest/gtest.h>

#include <QImage>

#include <string>

namespace {

constexpr int kEditIcon = 60684;
// The first entry's tile of a new catalogue in the main window.
constexpr const char* kEntry = "782 190";
// The part of the dialog right of the paint control, below the tool bar and above the buttons,
// where the preview is.
constexpr int kPreviewLeft = 260, kPreviewTop = 40, kPreviewBottom = 200;

class IconPreviewRoadTest : public e2e::CatalogueFolderRoadTest { };

TEST_F(IconPreviewRoadTest, ThePreviewShowsTheIconAndThePixelsPaintedInIt)
{
    const std::string script =
        "wait 300\nmenu 57600\nmenu " + std::to_string(CMyView::ToolRectangle) +
        "\ndrag view 100 100 200 160\nwait 200\nfile " + Path("cats/mine.cat") + "\nmenu 60685\nwait 300\n" +
        "menu 33968\nwait 300\nclick main " + kEntry + "\nwait 200\npick " + std::to_string(kEditIcon) +
        "\nrclick main " + kEntry + "\nwait 500\nsnapshot dialog " + Path("before.png") +
        "\nclick dialog 131 189\nwait 300\nsnapshot dialog " + Path("after.png") +
        "\nclick dialog 650 286\nwait 300\nanswer 7\nquit\n";
    const e2e::Run run = Play(script);
    const QImage before(QString::fromStdString(Path("before.png")));
    const QImage after(QString::fromStdString(Path("after.png")));
    ASSERT_FALSE(before.isNull()) << run.log;
    ASSERT_EQ(before.size(), after.size());
    // Right of the paint control only the preview changes: one pixel of the icon's own size.
    const auto inPreviewArea = [](int x, int y) { return x >= kPreviewLeft && y >= kPreviewTop && y < kPreviewBottom; };
    const e2e::PixelBox changed = e2e::BoxWhere(before.width(), before.height(), [&](int x, int y) {
        return inPreviewArea(x, y) && before.pixel(x, y) != after.pixel(x, y);
    });
    ASSERT_FALSE(changed.Empty()) << "the painted pixel shows in the preview";
    EXPECT_LE(changed.right - changed.left, 1);
    EXPECT_LE(changed.bottom - changed.top, 1);
    EXPECT_LT(qGray(after.pixel(changed.left, changed.top)), 64);
    // The rectangle's white inside fills the preview at the icon's own size, around the pixel.
    const e2e::PixelBox icon = e2e::BoxWhere(before.width(), before.height(), [&](int x, int y) {
        return inPreviewArea(x, y) && before.pixel(x, y) == qRgb(255, 255, 255);
    });
    ASSERT_FALSE(icon.Empty()) << "the preview shows the icon before it is edited";
    EXPECT_NEAR(icon.right - icon.left + 1, 32, 2);
    EXPECT_NEAR(icon.bottom - icon.top + 1, 32, 2);
    EXPECT_NEAR(changed.left, icon.Centre().x(), 2);
    EXPECT_NEAR(changed.top, icon.Centre().y(), 2);
}

} // namespace

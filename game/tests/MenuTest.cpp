// The game's menu as the display draws it: captions without the ampersands that mark their
// mnemonic letters, the letter underlined instead.
#include "game/GameResources.h"
#include "platform/ui/Menu.h"
#include "platform/ui/TestHook.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>

#include <algorithm>
#include <string>

namespace {

// The first menu of a menu built from one entry.
QImage Picture(const char* caption, const std::string& path)
{
    HMENU menu = CreatePopupMenu();
    AppendMenu(menu, MF_STRING, 1, caption);
    EXPECT_TRUE(UiTestHook::SnapshotPopupMenu(menu, path));
    DestroyMenu(menu);
    return QImage(QString::fromStdString(path));
}

struct Band {
    int left = 1 << 30, top = -1, right = -1, bottom = -1;
};

// The box around the pixels where two pictures of one size differ (top -1: none).
Band Differences(const QImage& a, const QImage& b)
{
    Band band;
    for (int y = 0; y < std::min(a.height(), b.height()); ++y)
        for (int x = 0; x < std::min(a.width(), b.width()); ++x)
            if (a.pixel(x, y) != b.pixel(x, y)) {
                band.top = band.top < 0 ? y : band.top;
                band.bottom = y;
                band.left = std::min(band.left, x);
                band.right = std::max(band.right, x);
            }
    return band;
}

std::string TempPng(const char* name) { return ::testing::TempDir() + name; }

// Menus are drawn by the display's widgets; the application lives until the process ends.
void StartDisplay()
{
    static int argc = 1;
    static char name[] = "stackwell_game_tests";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance())
        new QApplication(argc, argv);
}

TEST(GameMenuTest, NewGameShowsItsMnemonicUnderlinedAndNoAmpersand)
{
    StartDisplay();
    RegisterGameResources();
    HMENU bar = LoadMenu(nullptr, MAKEINTRESOURCE(IDR_MENU));
    ASSERT_NE(bar, nullptr);
    char caption[64] = "";
    GetMenuString(GetSubMenu(bar, 0), 0, caption, sizeof caption, MF_BYPOSITION);
    DestroyMenu(bar);
    ASSERT_STREQ(caption, "&New Game");

    const QImage shown = Picture(caption, TempPng("shown.png"));
    const QImage plain = Picture("New Game", TempPng("plain.png"));
    const QImage literal = Picture("&&New Game", TempPng("literal.png"));
    ASSERT_FALSE(shown.isNull());
    ASSERT_EQ(shown.size(), plain.size());
    // The same words in the same place; only a thin line under the first letter is added.
    const Band underline = Differences(shown, plain);
    ASSERT_GE(underline.top, 0) << "no underline";
    EXPECT_LE(underline.bottom - underline.top, 1);
    EXPECT_LE(underline.right - underline.left, 14);
    // A literal ampersand would move the words.
    const Band moved = Differences(shown, literal);
    EXPECT_TRUE(literal.size() != shown.size() || moved.bottom - moved.top > 2);
}

} // namespace

// A new user's first session, played into the real program as one story: two boxes joined by a
// connector, a misspelt word corrected in the spelling dialog and its text box filled red from
// the Format menu, a box copied and pasted, the document saved, changed, and the program killed
// once the autosave copy is written. The next start opens the document, takes the offered copy and saves it:
// the page and the file hold all of it.
#include "app/tests/E2E.h"
#include "app/tests/PixelBox.h"
#include "app/tests/RecoveryFixture.h"
#include "app/tests/SavedPage.h"
#include "app/tests/SpellingDialog.h"

#include "View/MyView.h"
#include "objects/HyperOb.h"
#include "objects/kinds/ConnectOb.h"
#include "objects/kinds/TextOb.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QRect>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#ifdef LEXIGARD_ENGLISH

namespace {

using e2e::Draw;
using e2e::kHold;
using e2e::LinePixels;
using e2e::Menu;

// The Format menu's title, its Background Color row and the red cell of the grid that row opens.
constexpr const char* kFormatTitle = "click main 348 12\n";
constexpr const char* kBackgroundRow = "click main 403 341\n";
constexpr const char* kRedCell = "click main 546 386\n";

// Box A at (100, 100, 200, 200) and box B at (300, 100, 400, 200), joined from A's right snap
// point to B's left one; the text box below them; the ellipse is the change after the save.
// Around them on the page, which the view shows two pixels right and down.
const QRect kBoxA(95, 95, 110, 110), kConnectorLine(205, 146, 90, 9), kCopyRightEdge(407, 120, 10, 80),
    kEllipse(495, 295, 110, 110);
const CRect kB(300, 100, 400, 200), kCopyOfB(310, 110, 410, 210), kText(100, 300, 400, 360),
    kEllipseRect(500, 300, 600, 400);

class NewUserRoadTest : public e2e::RecoveryFixture {};

struct Page {
    bool read = false;
    std::vector<CRect> places, redPlaces;
    const CConnectOb* connector = nullptr;
    std::string text;
    INT_PTR count = 0;
};

Page Inspect(CMyView& reader, const std::string& path)
{
    Page page;
    page.read = e2e::ReadSavedPage(path, reader);
    page.count = reader.GetObjects().GetSize();
    for (INT_PTR i = 0; i < page.count; ++i) {
        CHyperOb* object = reader.GetObjectAtIndex(i);
        CRect place;
        object->GetRect(&place, nullptr);
        page.places.push_back(place);
        if (object->BackColor == RGB(255, 0, 0))
            page.redPlaces.push_back(place);
        if (const auto* connector = dynamic_cast<const CConnectOb*>(object))
            page.connector = connector;
        if (const auto* text = dynamic_cast<const CTextOb*>(object))
            page.text = std::string(text->Text);
    }
    return page;
}

TEST_F(NewUserRoadTest, DrawConnectFormatPasteSpellSaveCrashAndRecover)
{
    UseEnglishDictionary("Rectivo.ReplaceText=0\nDictionary.Language=English\nDictionary.CheckAfterUpdate=1\n"
                         "AutoSave=1\n");
    const std::string session =
        "wait 300\n" + Menu(e2e::kNew) + Draw(CMyView::ToolRectangle, "100 100 200 200") +
        Draw(CMyView::ToolRectangle, "300 100 400 200") + Draw(CMyView::ToolConnector, "200 150 300 150") +
        Draw(CMyView::ToolText, "100 300 400 360") +
        // The click on B that ends the typing opens the check and goes no further: the text box
        // stays selected. Change takes the suggestion, and the very next click, on a menu title,
        // opens that menu.
        "type qick fox\nclick view 350 170\nwait 300\n" + e2e::kSpellingChange + "wait 300\n" + kFormatTitle +
        "wait 100\n" + kBackgroundRow + "wait 200\n" + kRedCell + "wait 300\n" +
        "click view 350 170\nwait 100\nkey ctrl+c\nwait 100\nkey ctrl+v\nwait 200\n" + Save("session.trn") +
        Draw(CMyView::ToolEllipse, "500 300 600 400") + kHold + "\n";
    const e2e::Run crashed = e2e::RunVantrelKilledWhen(
        session, home, [this] { return Holding([this] { return std::filesystem::exists(Path("~session.trn")); }); });
    ASSERT_TRUE(crashed.killed) << crashed.log;
    EXPECT_EQ(crashed.log.find("error"), std::string::npos) << crashed.log;
    EXPECT_EQ(ObjectsIn("session.trn"), 5) << "the save holds everything before the ellipse";
    ASSERT_EQ(ObjectsIn("~session.trn"), 6) << "the autosave copy holds the ellipse";

    const QImage shown = OpenAndSnapshot("session.trn", "recovered.png", e2e::kYes, Menu(e2e::kSave));
    EXPECT_TRUE(offered) << "the newer autosave copy was offered";
    ASSERT_FALSE(shown.isNull());
    EXPECT_GT(LinePixels(shown, kBoxA), 100) << "box A";
    EXPECT_GT(LinePixels(shown, kConnectorLine), 60) << "the connector";
    EXPECT_GT(LinePixels(shown, kCopyRightEdge), 60) << "the copy's right edge, a grid step beyond B's";
    EXPECT_GT(LinePixels(shown, kEllipse), 100) << "the ellipse drawn after the save";
    const e2e::PixelBox red = e2e::BoxOf(shown, qRgb(255, 0, 0));
    ASSERT_FALSE(red.Empty()) << "the text box is red";
    EXPECT_NEAR(red.left, kText.left + 2, 2);
    EXPECT_NEAR(red.top, kText.top + 2, 2);
    EXPECT_NEAR(red.right, kText.right + 2, 2);
    EXPECT_NEAR(red.bottom, kText.bottom + 2, 2);

    CMyView reader;
    const Page saved = Inspect(reader, Path("session.trn"));
    ASSERT_TRUE(saved.read);
    EXPECT_EQ(saved.count, 6);
    EXPECT_EQ(saved.redPlaces, std::vector<CRect>{kText});
    const auto has = [&](const CRect& place) {
        return std::find(saved.places.begin(), saved.places.end(), place) != saved.places.end();
    };
    EXPECT_TRUE(has(kB));
    EXPECT_TRUE(has(kCopyOfB)) << "the copy lies a grid step right and down from B";
    EXPECT_TRUE(has(kEllipseRect));
    ASSERT_NE(saved.connector, nullptr);
    EXPECT_EQ(saved.connector->m_ends.m_ends[0].code, CString("Border1"));
    EXPECT_EQ(saved.connector->m_ends.m_ends[1].code, CString("Border2"));
    const std::string word = e2e::FirstSuggestion("qick");
    ASSERT_FALSE(word.empty());
    EXPECT_EQ(saved.text, word + " fox");
    EXPECT_FALSE(std::filesystem::exists(Path("~session.trn"))) << "saving removed the copy";
}

} // namespace

#endif

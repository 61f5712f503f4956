// What the program looks like to a user: the main window with a drawing, each pane and the
// bitmap editor against reference pictures, and the mouse cursor over the page's objects.
#include "app/tests/E2E.h"
#include "app/tests/RoadTest.h"
#include "app/tests/SavedPage.h"

#include "View/HyperView.h"
#include "View/MyView.h"
#include "imaging/paint/PntCtrl.h"
#include "objects/HyperOb.h"

#include <gtest/gtest.h>

#include <QImage>

#include <cstdlib>
#include <filesystem>
#include <sstream>

namespace {

constexpr int kNew = 57600;
constexpr UINT kArrow = 32512, kIBeam = 32513, kSizeNWSE = 32642;
constexpr int kRotateRight = 60558;

std::string Menu(int id) { return "menu " + std::to_string(id) + "\n"; }

std::string Fixture(const char* name)
{
    namespace fs = std::filesystem;
    return (fs::path(VANTREL_TEST_DATA) / "../../../piclib/common/tests/data" / name).lexically_normal().string();
}

std::string Reference(const std::string& name)
{
    namespace fs = std::filesystem;
    return (fs::path(VANTREL_TEST_DATA) / "../reference" / name).lexically_normal().string();
}

bool Near(QRgb a, QRgb b)
{
    return std::abs(qRed(a) - qRed(b)) <= 48 && std::abs(qGreen(a) - qGreen(b)) <= 48 &&
           std::abs(qBlue(a) - qBlue(b)) <= 48;
}

// The share of points that differ clearly from the reference; 1 when the sizes differ.
double Difference(const QImage& shot, const QImage& reference)
{
    if (shot.size() != reference.size() || shot.isNull())
        return 1.0;
    long differing = 0;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            differing += !Near(shot.pixel(x, y), reference.pixel(x, y));
    return static_cast<double>(differing) / (shot.width() * shot.height());
}

// A picture matches its reference when fewer than 2 % of its points differ.
void ExpectLooksLike(const QImage& shot, const std::string& name, const std::string& where)
{
    const QImage reference(QString::fromStdString(Reference(name)));
    const std::string saved = where + "/" + name;
    shot.save(QString::fromStdString(saved));
    EXPECT_LT(Difference(shot, reference), 0.02) << name << " differs from its reference; the program showed " << saved;
}

// The cursor the program last set before `step` ran and after the step before it.
std::vector<std::string> CursorsAfter(const std::string& log, const std::string& step)
{
    std::vector<std::string> cursors;
    std::istringstream lines(log);
    bool after = false;
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("step: ", 0) == 0)
            after = line == "step: " + step;
        else if (after && line.rfind("cursor: ", 0) == 0)
            cursors.push_back(line.substr(8));
    }
    return cursors;
}

std::string Last(const std::vector<std::string>& cursors) { return cursors.empty() ? "" : cursors.back(); }

class FaceRoadTest : public e2e::RoadTest {};

// A rectangle and a text on a new page.
std::string DrawPage()
{
    return "wait 300\n" + Menu(kNew) + Menu(CMyView::ToolRectangle) + "drag view 100 100 300 200\nwait 200\n" +
           Menu(CHyperView::ToolText) + "drag view 100 260 300 320\nwait 200\ntype hello\nkey escape\nwait 200\n" +
           Menu(CHyperView::ToolSelect);
}

} // namespace

TEST_F(FaceRoadTest, TheCursorShowsWhatTheMouseCanDoOnThePage)
{
    const std::string script = DrawPage() + "click view 200 290\nwait 200\nmove view 210 292\nwait 100\n"
                               "click view 200 150\nwait 200\n"
                               "move view 100 100\nwait 100\nmove view 500 400\nwait 100\n" +
                               Menu(kRotateRight) + "wait 200\nmove view 201 151\nwait 100\nanswer 7\nquit\n";
    e2e::Run run = e2e::RunVantrel(script, home);
    ASSERT_EQ(run.exitCode, 0) << run.log;
    // Pointing at the text to click into it shows the I-beam first.
    const std::vector<std::string> overText = CursorsAfter(run.log, "click view 200 290");
    ASSERT_FALSE(overText.empty()) << run.log;
    EXPECT_EQ(overText.front(), std::to_string(kIBeam)) << run.log;
    EXPECT_EQ(Last(CursorsAfter(run.log, "move view 210 292")), std::to_string(kIBeam)) << "over the text being edited";
    EXPECT_EQ(Last(CursorsAfter(run.log, "move view 100 100")), std::to_string(kSizeNWSE)) << run.log;
    EXPECT_EQ(Last(CursorsAfter(run.log, "move view 500 400")), std::to_string(kArrow)) << run.log;
    EXPECT_EQ(Last(CursorsAfter(run.log, "move view 201 151")), std::to_string(CHyperOb::CursorRotated)) << run.log;
}

TEST_F(FaceRoadTest, TheMainWindowWithADrawingLooksLikeItsReference)
{
    const std::string script = DrawPage() + "click view 200 150\nwait 300\nmove view 600 450\nwait 200\n"
                               "snapshot main " + Path("main.png") + "\nanswer 7\nquit\n";
    e2e::Run run = e2e::RunVantrel(script, home);
    ASSERT_EQ(run.exitCode, 0) << run.log;
    ExpectLooksLike(QImage(QString::fromStdString(Path("main.png"))), "main-window.png", home);
}

TEST_F(FaceRoadTest, EveryPaneLooksLikeItsReference)
{
    // The main window's size on this display places the pane tabs at its bottom right.
    e2e::Run first = e2e::RunVantrel("wait 300\n" + Menu(kNew) + "snapshot main " + Path("size.png") + "\nquit\n", home);
    ASSERT_EQ(first.exitCode, 0) << first.log;
    const QImage size(QString::fromStdString(Path("size.png")));
    ASSERT_FALSE(size.isNull());
    // The panes docked at the right at the first start; the tabs left of the selected one show
    // their icons alone, 24 points each, so they are clicked from the right.
    const char* const tabs[] = {"pane-catalog.png", "pane-project.png", "pane-tasks.png", "pane-learning.png"};
    const int tabLeft = size.width() - 195, tabY = size.height() - 32;
    std::string script = "wait 300\n" + Menu(kNew) + "wait 300\nsnapshot main " + Path("pane-mark.png") + "\n";
    for (int i = 3; i >= 0; --i)
        script += "click main " + std::to_string(tabLeft + 24 * i + 12) + " " + std::to_string(tabY) +
                  "\nwait 400\nsnapshot main " + Path(tabs[i]) + "\n";
    script += Menu(60416) + "wait 400\nsnapshot main " + Path("pane-properties.png") + "\n" + Menu(60441) +
              "wait 400\nsnapshot main " + Path("pane-layers.png") + "\nquit\n";
    e2e::Run run = e2e::RunVantrel(script, home);
    ASSERT_EQ(run.exitCode, 0) << run.log;
    std::vector<std::string> names(std::begin(tabs), std::end(tabs));
    for (const char* name : {"pane-mark.png", "pane-properties.png", "pane-layers.png"})
        names.push_back(name);
    for (const std::string& name : names) {
        const QImage shot(QString::fromStdString(Path(name)));
        ASSERT_FALSE(shot.isNull()) << name << "\n" << run.log;
        ExpectLooksLike(shot.copy(shot.width() - 200, 100, 200, shot.height() - 120), name, home);
    }
}

TEST_F(FaceRoadTest, TheBitmapEditorShowsItsToolsAndThePencilCursor)
{
    // A picture object's properties open the Edit Bitmap dialog, whose Edit... opens the editor.
    const std::string script =
        "wait 300\n" + Menu(kNew) + Menu(CMyView::ToolBitmap) + "file " + Fixture("bmp24.bmp") +
        "\nclick view 100 100\n" + e2e::kLoadPicture + "wait 200\nclick view 86 83\n" + Menu(60416) + "wait 400\n"
        "click main 865 583\nwait 200\nclick main 898 583\nwait 400\nclick dialog 336 196\nwait 500\n"
        "move dialog 250 258\nwait 200\nsnapshot dialog " + Path("editor.png") + "\nkey escape\nwait 300\n"
        "key escape\nwait 300\nanswer 7\nquit\n";
    e2e::Run run = e2e::RunVantrel(script, home);
    ASSERT_EQ(run.exitCode, 0) << run.log;
    EXPECT_EQ(Last(CursorsAfter(run.log, "move dialog 250 258")), std::to_string(CPntCtrl::FirstCursorId + 2))
        << run.log;
    ExpectLooksLike(QImage(QString::fromStdString(Path("editor.png"))), "bitmap-editor.png", home);
}

// The arrows of the split buttons under the default layout (the Layout bar's Align, the Standard
// bar's Catalog and Project Manager) and the items of the menus they open.
constexpr const char* kAlignArrow = "629 65";
constexpr const char* kAlignLeft = "653 89";
constexpr const char* kAlignTop = "653 133";
constexpr const char* kCatalogArrow = "216 39";
constexpr const char* kShowCatalog = "240 63";
constexpr const char* kProjectArrow = "249 39";
constexpr const char* kShowProject = "273 63";

TEST_F(FaceRoadTest, CommandsBehindTheDropDownArrowsWork)
{
    const std::string script = "wait 300\n" + Menu(kNew) + Menu(CMyView::ToolRectangle) + "drag view 60 60 160 120\n" +
                               Menu(CMyView::ToolRectangle) + "drag view 220 160 300 240\nwait 200\n" +
                               Menu(CHyperView::CmdSelectAll) + "wait 200\nclick main " + kAlignArrow +
                               "\nwait 300\nclick main " + kAlignLeft + "\nwait 200\nclick main " + kAlignArrow +
                               "\nwait 300\nclick main " + kAlignTop + "\nwait 200\nsnapshot main " + Path("before.png") +
                               "\nclick main " + kCatalogArrow + "\nwait 300\nsnapshot main " + Path("catalog-menu.png") +
                               "\nclick main " + kShowCatalog + "\nwait 400\nsnapshot main " + Path("catalog.png") +
                               "\nclick main " + kProjectArrow + "\nwait 300\nclick main " + kShowProject +
                               "\nwait 400\nsnapshot main " + Path("project.png") + "\n" +
                               Save("aligned.trn") + "quit\n";
    e2e::Run run = Play(script);
    ASSERT_EQ(run.exitCode, 0) << run.log;

    CMyView page;
    ASSERT_TRUE(e2e::ReadSavedPage(Path("aligned.trn"), page));
    ASSERT_EQ(page.GetObjects().GetSize(), 2);
    CRect first, second;
    page.GetObjectAtIndex(0)->GetRect(&first, nullptr);
    page.GetObjectAtIndex(1)->GetRect(&second, nullptr);
    EXPECT_EQ(first.left, second.left) << "Align Left from the Align arrow";
    EXPECT_EQ(first.top, second.top) << "Align Top from the Align arrow";
    EXPECT_NE(first.Width(), second.Width()) << "aligning moves, it does not resize";

    // Each manager's pane takes the right side when its menu item is picked.
    const QImage before(QString::fromStdString(Path("before.png")));
    const QImage catalog(QString::fromStdString(Path("catalog.png")));
    const QImage project(QString::fromStdString(Path("project.png")));
    ASSERT_FALSE(before.isNull() || catalog.isNull() || project.isNull()) << run.log;
    const QRect pane(before.width() - 190, 110, 180, 200);
    EXPECT_GT(Difference(catalog.copy(pane), before.copy(pane)), 0.05) << "the Catalog Manager shows";
    EXPECT_GT(Difference(project.copy(pane), catalog.copy(pane)), 0.05) << "the Project Manager shows";
}

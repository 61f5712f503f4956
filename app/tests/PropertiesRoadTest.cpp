// Property editing in the real program: the docked Properties pane follows the selection,
// a common property of two objects of different kinds is edited in place, Enter applies it
// to both, and one undo puts both back. What the program wrote is read back with its own reader.
#include "app/tests/E2E.h"
#include "app/tests/PixelBox.h"
#include "app/tests/RoadTest.h"
#include "app/tests/SavedPage.h"

#include "View/MyView.h"
#include "objects/HyperOb.h"

#include <gtest/gtest.h>

#include <QImage>

#include <string>
#include <vector>

namespace {

constexpr int kNew = 57600;
constexpr int kSaveAs = 57604;
constexpr int kProperties = 60416;

struct Saved {
    CString className;
    CRect rect;
    int penWidth = -1;
};

std::vector<Saved> ReadObjects(const std::string& path)
{
    std::vector<Saved> objects;
    CMyView reader;
    if (!e2e::ReadSavedPage(path, reader))
        return objects;
    for (INT_PTR i = 0; i < reader.GetObjects().GetSize(); ++i) {
        CHyperOb* object = reader.GetObjectAtIndex(i);
        Saved saved;
        saved.className = object->GetRuntimeClass()->m_lpszClassName;
        object->GetRect(&saved.rect, nullptr);
        object->GetPenWidth(&saved.penWidth);
        objects.push_back(saved);
    }
    return objects;
}

class PropertiesRoadTest : public e2e::RoadTest {};

TEST_F(PropertiesRoadTest, ACommonPropertyOfTwoKindsIsEditedInThePaneAndUndoneInOneStep)
{
    const std::string script =
        "wait 300\nmenu " + std::to_string(kNew) + "\n"
        "menu " + std::to_string(CMyView::ToolRectangle) + "\ndrag view 60 60 200 140\nwait 100\n"
        "menu " + std::to_string(CMyView::ToolEllipse) + "\ndrag view 240 60 340 160\nwait 100\n"
        // One border selected, its properties in the pane through the Edit menu.
        "click view 100 100\nmenu " + std::to_string(kProperties) + "\nwait 400\n"
        "screenshot " + Path("border.png") + "\n"
        // Both objects: the pane follows the selection and shows what they share.
        "drag view 40 40 400 200\nwait 400\n"
        "screenshot " + Path("multi.png") + "\n"
        // The value cell of the Line width row.
        "click main 860 431\nwait 200\ntype 3\nkey return\nwait 300\n"
        "screenshot " + Path("applied.png") + "\n"
        "file " + Path("applied.trn") + "\nmenu " + std::to_string(kSaveAs) + "\n"
        "key ctrl+z\nwait 200\n"
        "file " + Path("undone.trn") + "\nmenu " + std::to_string(kSaveAs) + "\n"
        "quit\n";
    e2e::Run run = e2e::RunVantrel(script, home);
    ASSERT_EQ(run.exitCode, 0) << run.log;
    EXPECT_EQ(run.log.find("error"), std::string::npos) << run.log;
    EXPECT_EQ(run.log.find("box:"), std::string::npos) << run.log;

    const std::vector<Saved> applied = ReadObjects(Path("applied.trn"));
    ASSERT_EQ(applied.size(), 2u);
    for (const Saved& object : applied)
        EXPECT_EQ(object.penWidth, 3) << object.className;
    const std::vector<Saved> undone = ReadObjects(Path("undone.trn"));
    ASSERT_EQ(undone.size(), 2u);
    for (size_t i = 0; i < undone.size(); ++i) {
        EXPECT_EQ(undone[i].penWidth, 1) << undone[i].className;
        EXPECT_EQ(undone[i].rect, applied[i].rect) << "only the edited property changed";
        EXPECT_EQ(undone[i].className, applied[i].className);
    }
    EXPECT_NE(applied[0].className, applied[1].className);

    // The pane's grid is drawn on the window colour where the catalogue pane is grey.
    for (const char* shot : {"border.png", "multi.png", "applied.png"}) {
        QImage image(QString::fromStdString(Path(shot)));
        ASSERT_FALSE(image.isNull()) << shot;
        EXPECT_EQ(image.pixel(900, 600) & 0xFFFFFF, 0xFFFFFFu) << shot;
    }
}

} // namespace

namespace {

// The docked pane: the right quarter of the main window, below the tool bars.
QImage ThePane(const std::string& path)
{
    const QImage image(QString::fromStdString(path));
    return image.isNull() ? image : image.copy(image.width() * 3 / 4, 110, image.width() / 4, image.height() - 110);
}

} // namespace

// After a drag, a resize or an arrow key the pane shows the object's new rectangle at once, the
// same as when the object is selected again.
TEST_F(PropertiesRoadTest, ThePaneFollowsAMoveAResizeAndANudgeOfTheSelection)
{
    struct Case {
        const char* name;
        const char* change;
        const char* inside; // a point of the object where it ends
    };
    const Case cases[] = {
        {"move", "drag view 100 100 200 170\nwait 300\n", "200 170"},
        {"resize", "drag view 130 130 230 190\nwait 300\n", "160 160"},
        {"nudge", "key right\nkey down\nwait 300\n", "100 100"},
    };
    for (const Case& c : cases) {
        const std::string changed = Path(std::string(c.name) + "-changed.png"),
                          again = Path(std::string(c.name) + "-again.png");
        // The resize drags the box's bottom-right handle, the move grabs it in the middle.
        const std::string draw = "menu " + std::to_string(CMyView::ToolRectangle) + "\ndrag view 70 70 130 130\nwait 100\n";
        const std::string reselect = "click view 400 300\nclick view " + std::string(c.inside) + "\n";
        Play("wait 300\nmenu " + std::to_string(kNew) + "\n" + draw + "click view 100 100\nmenu " +
             std::to_string(kProperties) + "\nwait 400\n" + c.change + "snapshot main " + changed + "\n" + reselect +
             "wait 400\nsnapshot main " + again + "\nanswer 7\nquit\n");
        const QImage afterChange = ThePane(changed), afterReselect = ThePane(again);
        ASSERT_FALSE(afterChange.isNull() || afterReselect.isNull()) << c.name;
        const e2e::PixelBox stale = e2e::Differences(afterChange, afterReselect);
        EXPECT_TRUE(stale.Empty()) << c.name << ": the pane changed when the object was selected again, at "
                                   << stale.left << "," << stale.top << "-" << stale.right << "," << stale.bottom;
    }
}

// Property editing in the real program: the docked Properties pane follows the selection,
// a common property of two objects of different kinds is edited in place, Enter applies it
// to both, and one undo puts both back. What the program wrote is read back with its own reader.
#include "app/tests/E2E.h"
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

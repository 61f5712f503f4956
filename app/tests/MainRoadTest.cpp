// The editor's first job end to end, played into the real program as a user would: draw a
// rectangle with the Rectangle tool, save, undo and redo, close, reopen. What the program wrote
// is read back with the program's own page reader.
#include "app/tests/E2E.h"
#include "app/tests/PixelBox.h"
#include "app/tests/RoadTest.h"
#include "app/tests/SavedPage.h"

#include "View/MyView.h"
#include "objects/HyperOb.h"
#include "objects/HyperViewOb.h"
#include "objects/LayerFmt.h"

#include <gtest/gtest.h>

#include <QImage>

#include <algorithm>
#include <memory>

namespace {

struct SavedObject {
    CString className;
    CRect rect;
    CString name;
    int layer = -1;
};

struct SavedPage {
    bool read = false;
    int currentLayer = -1;
    std::vector<SavedObject> objects;
};

// The frame record, then the page record through the editing view's own reader.
SavedPage ReadDocument(const std::string& path)
{
    SavedPage page;
    CMyView reader;
    page.read = e2e::ReadSavedPage(path, reader);
    if (CHyperViewOb* pageObject = reader.GetPageObject(); pageObject && pageObject->GetLayerList())
        page.currentLayer = pageObject->GetLayerList()->GetCurrentLayerId();
    for (INT_PTR i = 0; i < reader.GetObjects().GetSize(); ++i) {
        CHyperOb* object = reader.GetObjectAtIndex(i);
        SavedObject saved;
        saved.className = object->GetRuntimeClass()->m_lpszClassName;
        object->GetRect(&saved.rect, nullptr);
        saved.name = object->GetCode();
        saved.layer = object->LayerID;
        page.objects.push_back(saved);
    }
    return page;
}

using e2e::BoxOf;
using e2e::PixelBox;

class MainRoadTest : public e2e::RoadTest {};

constexpr int kRectangleTool = CMyView::ToolRectangle;
constexpr int kSaveAs = 57604;
constexpr int kClose = 57602;
constexpr int kOpen = 57601;
constexpr int kNew = 57600;

TEST_F(MainRoadTest, DrawSaveUndoRedoCloseAndReopenARectangle)
{
    const std::string script = "wait 300\n"
                               "menu " + std::to_string(kNew) + "\n"
                               "menu " + std::to_string(kRectangleTool) + "\n"
                               "drag view 100 100 300 200\n"
                               "wait 200\n"
                               "screenshot " + Path("selected.png") + "\n"
                               // The tool fell back to Select: this drag is a rubber band.
                               "drag view 400 300 450 350\n"
                               "file " + Path("drawn.trn") + "\nmenu " + std::to_string(kSaveAs) + "\n"
                               "key ctrl+z\n"
                               "file " + Path("undone.trn") + "\nmenu " + std::to_string(kSaveAs) + "\n"
                               "key ctrl+y\n"
                               "file " + Path("redone.trn") + "\nmenu " + std::to_string(kSaveAs) + "\n"
                               "menu " + std::to_string(kClose) + "\n"
                               "file " + Path("drawn.trn") + "\nmenu " + std::to_string(kOpen) + "\n"
                               "wait 300\n"
                               "file " + Path("reopened.trn") + "\nmenu " + std::to_string(kSaveAs) + "\n"
                               "quit\n";
    e2e::Run run = e2e::RunVantrel(script, home);
    ASSERT_EQ(run.exitCode, 0) << run.log;
    EXPECT_EQ(run.log.find("error"), std::string::npos) << run.log;
    EXPECT_EQ(run.log.find("box:"), std::string::npos) << run.log;

    const SavedPage drawn = ReadDocument(Path("drawn.trn"));
    ASSERT_TRUE(drawn.read);
    ASSERT_EQ(drawn.objects.size(), 1u) << "only the rectangle tool inserted";
    const SavedObject& border = drawn.objects[0];
    EXPECT_EQ(border.className, CString("CBorderGen"));
    EXPECT_EQ(border.rect, CRect(100, 100, 300, 200));
    EXPECT_EQ(border.name, CString("Border1"));
    EXPECT_EQ(border.layer, drawn.currentLayer);

    EXPECT_TRUE(ReadDocument(Path("undone.trn")).objects.empty());

    for (const char* name : {"redone.trn", "reopened.trn"}) {
        const SavedPage page = ReadDocument(Path(name));
        ASSERT_EQ(page.objects.size(), 1u) << name;
        EXPECT_EQ(page.objects[0].className, border.className) << name;
        EXPECT_EQ(page.objects[0].rect, border.rect) << name;
        EXPECT_EQ(page.objects[0].name, border.name) << name;
        EXPECT_EQ(page.objects[0].layer, border.layer) << name;
    }
}

TEST_F(MainRoadTest, TextEllipseAndArcComeFromTheirToolsAndSurviveSaveAndReopen)
{
    const struct {
        UINT tool;
        const char* drag;
        const char* className;
        CRect rect;
        const char* name;
    } kinds[] = {
        {CMyView::ToolText, "100 100 300 140", "CTextGen", {100, 100, 300, 140}, "Text1"},
        {CMyView::ToolEllipse, "100 200 200 300", "CCircleGen", {100, 200, 200, 300}, "Ellipse1"},
        // Dragged up and to the left: the arc keeps the direction and still fills the band.
        {CMyView::ToolArc, "400 200 300 100", "CArcGen", {300, 100, 400, 200}, "Arc1"},
    };
    std::string script = "wait 300\nmenu " + std::to_string(kNew) + "\n";
    for (const auto& kind : kinds)
        script += "menu " + std::to_string(kind.tool) + "\ndrag view " + kind.drag + "\nwait 100\n";
    script += "file " + Path("kinds.trn") + "\nmenu " + std::to_string(kSaveAs) + "\n"
              "menu " + std::to_string(kClose) + "\n"
              "file " + Path("kinds.trn") + "\nmenu " + std::to_string(kOpen) + "\nwait 300\n"
              "file " + Path("kinds-reopened.trn") + "\nmenu " + std::to_string(kSaveAs) + "\nquit\n";
    e2e::Run run = e2e::RunVantrel(script, home);
    ASSERT_EQ(run.exitCode, 0) << run.log;
    EXPECT_EQ(run.log.find("error"), std::string::npos) << run.log;

    for (const char* file : {"kinds.trn", "kinds-reopened.trn"}) {
        const SavedPage page = ReadDocument(Path(file));
        ASSERT_TRUE(page.read) << file;
        ASSERT_EQ(page.objects.size(), 3u) << file;
        for (const auto& kind : kinds) {
            auto found = std::find_if(page.objects.begin(), page.objects.end(),
                                      [&](const SavedObject& o) { return o.className == kind.className; });
            ASSERT_NE(found, page.objects.end()) << file << ": " << kind.className;
            EXPECT_EQ(found->rect, kind.rect) << file << ": " << kind.className;
            EXPECT_EQ(found->name, CString(kind.name)) << file;
        }
    }
}

TEST_F(MainRoadTest, TheSelectedRectangleShowsWithItsHandles)
{
    const std::string shot = Path("selected.png");
    e2e::Run run = e2e::RunVantrel("wait 300\nmenu " + std::to_string(kNew) + "\nmenu " + std::to_string(kRectangleTool) +
                                       "\ndrag view 100 100 300 200\nwait 200\nscreenshot " + shot + "\nanswer 7\nquit\n",
                                   home);
    QImage image(QString::fromStdString(shot));
    ASSERT_FALSE(image.isNull()) << run.log;
    // The primary selection's handles sit just outside the 200 x 100 rectangle.
    const PixelBox handles = BoxOf(image, qRgb(0, 255, 255));
    ASSERT_GE(handles.right, 0) << "no handle drawn";
    const int width = handles.right - handles.left + 1;
    const int height = handles.bottom - handles.top + 1;
    EXPECT_GE(width, 200);
    EXPECT_LE(width, 200 + 16);
    EXPECT_GE(height, 100);
    EXPECT_LE(height, 100 + 16);
    const int cx = (handles.left + handles.right) / 2;
    const int cy = (handles.top + handles.bottom) / 2;
    EXPECT_EQ(image.pixel(cx, cy) & 0xFFFFFF, 0xFFFFFFu) << "the border is filled white";
    int frame = 0;
    for (int y = handles.top; y < cy; ++y)
        frame += (image.pixel(cx, y) & 0xFFFFFF) == 0;
    EXPECT_GE(frame, 1) << "the border's frame line crosses above the centre";
}

} // namespace

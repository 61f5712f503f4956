// A picture object's bitmap edited in the real program: its properties open the Edit Bitmap
// dialog, Edit... opens the bitmap editor, and a stroke drawn there comes back into the
// object, which shows it.
#include "app/tests/E2E.h"
#include "app/tests/RoadTest.h"
#include "app/tests/SavedPage.h"

#include "View/MyView.h"
#include "imaging/ExtDib.h"
#include "objects/kinds/BitmapOb.h"

#include <gtest/gtest.h>

#include <QImage>

#include <algorithm>
#include <filesystem>

namespace {

constexpr int kNew = 57600;
constexpr int kProperties = 60416;

std::string Fixture(const char* name)
{
    namespace fs = std::filesystem;
    return (fs::path(VANTREL_TEST_DATA) / "../../../piclib/common/tests/data" / name).lexically_normal().string();
}

// A new page holding the fixture picture as a selected object, its properties open.
std::string PictureWithProperties()
{
    return "wait 300\nmenu " + std::to_string(kNew) + "\nmenu " + std::to_string(CMyView::ToolBitmap) + "\nfile " +
           Fixture("bmp24.bmp") + "\nclick view 100 100\n" + e2e::kLoadPicture + "wait 200\nclick view 86 83\nmenu " +
           std::to_string(kProperties) + "\nwait 400\n";
}

class PaintRoadTest : public e2e::RoadTest {};

bool Dark(COLORREF c) { return GetRValue(c) < 96 && GetGValue(c) < 96 && GetBValue(c) < 96; }

// The longest horizontal run of dark pixels around the object's place on the page.
int LongestDarkRun(const QImage& shot)
{
    int longest = 0;
    for (int y = 200; y < 260; ++y)
        for (int x = 100, run = 0; x < 200; ++x) {
            run = shot.valid(x, y) && Dark(RGB(qRed(shot.pixel(x, y)), qGreen(shot.pixel(x, y)), qBlue(shot.pixel(x, y))))
                      ? run + 1
                      : 0;
            longest = std::max(longest, run);
        }
    return longest;
}

TEST_F(PaintRoadTest, BitmapObjectPictureIsEditedInTheBitmapEditorFromItsProperties)
{
    const std::string script =
        PictureWithProperties() +
        "screenshot " + Path("before.png") + "\n" +
        // The Bitmap row's button opens the Edit Bitmap dialog; its Edit... the bitmap editor.
        "click main 865 583\nwait 200\nclick main 898 583\nwait 400\n"
        "click dialog 336 196\nwait 500\n"
        // A pencil stroke across the middle row of the picture, shown at 600 %, then OK twice.
        "drag dialog 250 258 360 258\nwait 200\nclick dialog 651 401\nwait 300\n"
        "click dialog 336 22\nwait 400\nclick view 400 400\nwait 300\n"
        "screenshot " + Path("after.png") + "\n" + Save("after.trn") + "quit\n";
    e2e::Run run = e2e::RunVantrel(script, home);
    ASSERT_EQ(run.exitCode, 0) << run.log;
    EXPECT_EQ(run.log.find("error"), std::string::npos) << run.log;

    // The object took the edited picture as one of its own.
    CMyView reader;
    ASSERT_TRUE(e2e::ReadSavedPage(Path("after.trn"), reader));
    const CBitmapOb* after = nullptr;
    for (INT_PTR i = 0; i < reader.GetObjects().GetSize() && !after; ++i)
        after = dynamic_cast<CBitmapOb*>(reader.GetObjectAtIndex(i));
    ASSERT_NE(after, nullptr) << run.log;
    EXPECT_EQ(after->GetPicture().m_kind, UINT(CExtDib::InPlace)) << run.log;
    EXPECT_EQ(after->GetPicture().GetDimensions(), CSize(13, 7));

    // The page shows the edited picture: a dark run as wide as the picture near the object.
    EXPECT_LT(LongestDarkRun(QImage(QString::fromStdString(Path("before.png")))), 13);
    EXPECT_GE(LongestDarkRun(QImage(QString::fromStdString(Path("after.png")))), 13);
}

// Columns of the editor's snapshot, in the band of rows from top to bottom, darker than the
// button face.
int InkedColumns(const QImage& shot, int top, int bottom)
{
    int inked = 0;
    for (int x = 0; x < shot.width(); ++x) {
        bool ink = false;
        for (int y = top; y < bottom && !ink; ++y)
            ink = shot.valid(x, y) && qGray(shot.pixel(x, y)) < 150;
        inked += ink;
    }
    return inked;
}

// Columns where the bar's gripper shows: two raised strips, the bar standing 6 pixels down.
int GripperColumns(const QImage& shot)
{
    const QRgb highlight = qRgb(255, 255, 255), shadow = qRgb(128, 128, 128);
    int columns = 0;
    for (int x = 0; x < shot.width(); ++x)
        columns += shot.pixel(x, 10) == highlight && shot.pixel(x, 12) == shadow && shot.pixel(x, 13) == highlight &&
                   shot.pixel(x, 15) == shadow;
    return columns;
}

// The editor opened on the picture of a new page's object.
std::string EditorOnPicture()
{
    return PictureWithProperties() + "click main 865 583\nwait 200\nclick main 898 583\nwait 400\n"
                                     "click dialog 336 196\nwait 500\n";
}

// Rows of the page near the object that hold a dark run nearly as wide as the picture.
int DarkRows(const QImage& shot)
{
    int rows = 0;
    for (int y = 200; y < 260; ++y) {
        int longest = 0;
        for (int x = 100, run = 0; x < 200; ++x) {
            run = shot.valid(x, y) && qGray(shot.pixel(x, y)) < 60 ? run + 1 : 0;
            longest = std::max(longest, run);
        }
        rows += longest >= 11;
    }
    return rows;
}

// The last column of the band of rows that is darker than the button face.
int LastInkedColumn(const QImage& shot, int top, int bottom)
{
    for (int x = shot.width() - 1; x >= 0; --x)
        for (int y = top; y < bottom; ++y)
            if (shot.valid(x, y) && qGray(shot.pixel(x, y)) < 150)
                return x;
    return -1;
}

TEST_F(PaintRoadTest, BitmapEditorToolBarWrapsIntoRowsAsTheEditorNarrowsAndEveryToolWorks)
{
    // At its first size the bar takes two rows; narrowed it wraps again, and the Filled
    // Rectangle button, now on the second row, fills the picture. Quitting with the editor open
    // ends the program cleanly (the properties it was opened from go away while it runs).
    Play(EditorOnPicture() + "snapshot dialog " + Path("editor.png") + "\nsize dialog 480 480\nwait 300\n"
         "snapshot dialog " + Path("narrow.png") + "\nclick dialog 129 49\nwait 200\n"
         "drag dialog 153 246 229 287\nwait 200\nsnapshot dialog " + Path("filled.png") +
         "\nclick dialog 424 401\nwait 300\nclick dialog 336 22\nwait 400\nclick view 400 400\nwait 300\n"
         "screenshot " + Path("page.png") + "\nclick view 86 83\nwait 200\nmenu " + std::to_string(kProperties) +
         "\nwait 400\n"
         "click main 865 583\nwait 200\nclick main 898 583\nwait 400\nclick dialog 336 196\nwait 500\n"
         "snapshot dialog " + Path("reopened.png") + "\nanswer 7\nquit\n");
    const QImage first(QString::fromStdString(Path("editor.png")));
    const QImage narrow(QString::fromStdString(Path("narrow.png")));
    ASSERT_FALSE(first.isNull());
    ASSERT_FALSE(narrow.isNull());
    EXPECT_GT(GripperColumns(first), first.width() - 40);
    EXPECT_GT(GripperColumns(narrow), narrow.width() - 40);
    // Rows are 22 pixels high below the 10 pixels of the gripper; every row holds tools, none is
    // cut off at the right.
    EXPECT_GT(InkedColumns(first, 15, 38), 280);
    EXPECT_GT(InkedColumns(first.copy(0, 0, 60, 70), 38, 60), 10) << "the transparency picker's row";
    EXPECT_GT(InkedColumns(narrow, 15, 38), 180);
    EXPECT_GT(InkedColumns(narrow.copy(0, 0, 300, 70), 38, 60), 100);
    EXPECT_LT(LastInkedColumn(narrow.copy(0, 0, narrow.width(), 60), 15, 60), narrow.width() - 5);
    EXPECT_EQ(InkedColumns(narrow, 61, 66), 0) << "nothing but the picture's frame below the rows";
    // Opened again, the editor is as narrow as it was left and laid out the same way.
    const QImage reopened(QString::fromStdString(Path("reopened.png")));
    ASSERT_EQ(reopened.size(), narrow.size());
    EXPECT_GT(InkedColumns(reopened.copy(0, 0, 300, 70), 38, 60), 100);
    const QRect rightColumn(380, 0, 100, narrow.height());
    EXPECT_EQ(narrow.copy(rightColumn), reopened.copy(rightColumn)) << "the slider, OK and Cancel stand where they stood";
    // The filled rectangle came back to the page.
    EXPECT_GE(DarkRows(QImage(QString::fromStdString(Path("page.png")))), 5);
}

} // namespace

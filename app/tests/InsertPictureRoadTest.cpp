// Inserting a picture as a user does it: the bitmap tool opens the Edit Bitmap dialog, where
// Load... picks the file and the preview shows it, Clear empties it again, and OK puts the
// picture on the page and into the saved document.
#include "app/tests/PixelBox.h"
#include "app/tests/RoadTest.h"
#include "app/tests/SavedPage.h"

#include "View/MyView.h"
#include "imaging/ExtDib.h"
#include "objects/kinds/BitmapOb.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QImage>

#include <string>

namespace {

constexpr int kNew = 57600;
// Places in the Edit Bitmap dialog, in its own coordinates.
constexpr const char* kLoad = "334 140";
constexpr const char* kClear = "334 167";
constexpr const char* kLink = "298 245";
constexpr const char* kOk = "334 21";
constexpr QRgb kGreen = qRgb(0, 160, 0);

std::string Menu(unsigned id)
{
    return "menu " + std::to_string(id) + "\n";
}

class InsertPictureRoadTest : public e2e::RoadTest {
protected:
    QImage Picture(const std::string& name) const { return QImage(QString::fromStdString(Path(name))); }
    std::string Snapshot(const std::string& target, const std::string& name) const
    {
        return "snapshot " + target + " " + Path(name) + "\n";
    }
    std::string Click(const char* place) const { return std::string("click dialog ") + place + "\nwait 300\n"; }
};

} // namespace

TEST_F(InsertPictureRoadTest, TheBitmapToolLoadsClearsAndInsertsThePictureThroughTheEditBitmapDialog)
{
    // A name with capitals: the picture is loaded by the name as it was chosen.
    QImage file(120, 80, QImage::Format_RGB32);
    file.fill(QColor(kGreen));
    ASSERT_TRUE(file.save(QString::fromStdString(Path("Green.bmp")), "BMP"));
    const std::string load = "file " + Path("Green.bmp") + "\n" + Click(kLoad);
    Play("wait 300\n" + Menu(kNew) + Menu(CMyView::ToolBitmap) + "click view 100 100\nwait 300\n" +
         Snapshot("dialog", "empty.png") + load + Snapshot("dialog", "loaded.png") + Click(kClear) +
         Snapshot("dialog", "cleared.png") + load + Click(kLink) + Click(kOk) + Snapshot("view", "page.png") +
         Save("inserted.trn") + "quit\n");

    const QImage empty = Picture("empty.png"), loaded = Picture("loaded.png"), cleared = Picture("cleared.png"),
                 page = Picture("page.png");
    ASSERT_FALSE(empty.isNull() || loaded.isNull() || cleared.isNull() || page.isNull());
    EXPECT_EQ(e2e::CountColour(empty, kGreen), 0);
    EXPECT_GT(e2e::CountColour(loaded, kGreen), 2000) << "the preview shows no picture";
    EXPECT_EQ(e2e::CountColour(cleared, kGreen), 0) << "Clear left the picture";
    const e2e::PixelBox shown = e2e::BoxOf(page, kGreen);
    ASSERT_FALSE(shown.Empty()) << "the picture is not on the page";
    EXPECT_EQ(shown.right - shown.left + 1, 120);
    EXPECT_EQ(shown.bottom - shown.top + 1, 80);

    CMyView reader;
    ASSERT_TRUE(e2e::ReadSavedPage(Path("inserted.trn"), reader));
    ASSERT_EQ(reader.GetObjects().GetSize(), 1);
    auto* picture = dynamic_cast<CBitmapOb*>(reader.GetObjectAtIndex(0));
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->GetPicture().GetDimensions(), CSize(120, 80));
    EXPECT_EQ(picture->GetPicture().m_kind, CExtDib::Embedded) << "the picture is not kept in the document";
}

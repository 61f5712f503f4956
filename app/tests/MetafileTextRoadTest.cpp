// A picture whose metafile writes text thousands of pixels tall: inserted on a page, it shows
// the part of the text that falls inside it, at once, and is saved with the page.
#include "app/tests/E2E.h"
#include "app/tests/PixelBox.h"
#include "app/tests/SavedPage.h"

#include "View/MyView.h"
#include "objects/kinds/BitmapOb.h"
#include "platform/gdi/Dc.h"

#include <gtest/gtest.h>

#include <QImage>

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

void PutWord(Bytes& out, int value)
{
    out.push_back(uint8_t(value));
    out.push_back(uint8_t(value >> 8));
}

void PutRecord(Bytes& out, int function, const std::vector<int>& words)
{
    const int size = 3 + int(words.size());
    PutWord(out, size);
    PutWord(out, size >> 16);
    PutWord(out, function);
    for (int w : words)
        PutWord(out, w);
}

// A placeable metafile of 100 x 60 pixels: an I of a font 6,000 units tall, centred on the
// picture with its baseline far below it, so that the picture lies inside the I's stem.
Bytes HugeTextPicture()
{
    Bytes records;
    PutRecord(records, 0x0103, {8});          // anisotropic mapping
    PutRecord(records, 0x020B, {0, 0});       // window origin
    PutRecord(records, 0x020C, {60, 100});    // window extent, y first
    std::vector<int> font = {-6000, 0, 0, 0, 400, 0, 0, 0, 0};  // height .. weight, then byte pairs
    const char face[32] = "Arial";
    for (size_t i = 0; i < sizeof face; i += 2)
        font.push_back(uint8_t(face[i]) | uint8_t(face[i + 1]) << 8);
    PutRecord(records, 0x02FB, font);         // create the font
    PutRecord(records, 0x012D, {0});          // select it
    PutRecord(records, 0x012E, {6 | 24});     // centred on the baseline
    PutRecord(records, 0x0521, {1, 'I', 3000, 50});
    PutRecord(records, 0x0000, {});           // end
    Bytes header;
    for (int w : {1, 9, 0x300})
        PutWord(header, w);
    const int words = int(18 + records.size()) / 2;
    for (int w : {words & 0xFFFF, words >> 16, 1, 28, 0, 0})
        PutWord(header, w);
    Bytes placeable;
    const int fields[] = {0xCDD7, 0x9AC6, 0, 0, 0, 100, 60, 96, 0, 0};
    int checksum = 0;
    for (int w : fields) {
        PutWord(placeable, w);
        checksum ^= w;
    }
    PutWord(placeable, checksum);
    placeable.insert(placeable.end(), header.begin(), header.end());
    placeable.insert(placeable.end(), records.begin(), records.end());
    return placeable;
}

TEST(MetafileTextRoadTest, APictureWithHugeTextShowsTheTextsVisiblePart)
{
    if (!e2e::CanRun())
        GTEST_SKIP() << "xvfb-run is not installed";
    const std::string home = e2e::TempFolder();
    ASSERT_FALSE(home.empty());
    const std::string picture = home + "/huge-text.wmf";
    const Bytes bytes = HugeTextPicture();
    std::ofstream(picture, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    const std::string script = "wait 300\nmenu 57600\nclick view 700 500\nwait 200\nscreenshot " + home +
                               "/before.png\nmenu " + std::to_string(CMyView::ToolBitmap) + "\nfile " + picture +
                               "\nclick view 100 100\n" + e2e::kLoadPicture + "click view 400 400\nwait 200\nscreenshot " + home +
                               "/after.png\nfile " + home + "/page.trn\nmenu 57604\nquit\n";
    e2e::Run run = e2e::RunVantrel(script, home);
    ASSERT_EQ(run.exitCode, 0) << run.log;
    EXPECT_EQ(run.log.find("box:"), std::string::npos) << run.log;

    CMyView reader;
    ASSERT_TRUE(e2e::ReadSavedPage(home + "/page.trn", reader)) << run.log;
    ASSERT_EQ(reader.GetObjects().GetSize(), 1) << run.log;
    auto* object = dynamic_cast<CBitmapOb*>(reader.GetObjectAtIndex(0));
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(object->GetPicture().GetDimensions(), CSize(100, 60));

    CRect rect;
    object->GetRect(&rect, nullptr);
    EXPECT_EQ(rect.Size(), CSize(100, 60)) << "sized to fit";

    // Where the white page turned black: the picture, all of it inside the I's stem.
    const QImage before(QString::fromStdString(home + "/before.png"));
    const QImage after(QString::fromStdString(home + "/after.png"));
    ASSERT_FALSE(before.isNull() || after.isNull()) << run.log;
    const e2e::PixelBox shown = e2e::BoxWhere(after.width(), after.height(), [&](int x, int y) {
        return (after.pixel(x, y) & 0xFFFFFF) == 0 && (before.pixel(x, y) & 0xFFFFFF) == 0xFFFFFF;
    });
    ASSERT_FALSE(shown.Empty()) << "nothing of the text shows";
    EXPECT_EQ(shown.right - shown.left + 1, rect.Width());
    EXPECT_EQ(shown.bottom - shown.top + 1, rect.Height());
}

} // namespace

// The cursor a window shows for a cursor handle: Qt's shapes for the system cursors, the
// picture and hot spot of a program cursor resource, the arrow for anything unreadable.
#include "platform/ui/HostCursor.h"

#include "platform/core/BinaryResources.h"

#include <QBuffer>
#include <QImage>
#include <QPixmap>

#include <gtest/gtest.h>

#include "UiFixture.h"

namespace {

// A .cur file holding one 32 x 32 PNG picture with its hot spot.
std::vector<BYTE> CursorFile(WORD hotX, WORD hotY)
{
    QImage picture(32, 32, QImage::Format_ARGB32);
    picture.fill(qRgba(200, 0, 0, 255));
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    const auto size = static_cast<DWORD>(png.size());
    std::vector<BYTE> file = {0, 0, 2, 0, 1, 0,          // reserved, cursor, one picture
                              32, 32, 0, 0,               // its size, no palette
                              BYTE(hotX), 0, BYTE(hotY), 0, // hot spot
                              BYTE(size), BYTE(size >> 8), BYTE(size >> 16), 0, 22, 0, 0, 0};
    file.insert(file.end(), png.begin(), png.end());
    return file;
}

using HostCursorTest = UiTest;

} // namespace

TEST_F(HostCursorTest, AProgramCursorShowsItsPictureWithItsHotSpot)
{
    RegisterBinaryResource(ResourceKind::Cursor, 27001, CursorFile(5, 7));
    const QCursor cursor = HostCursorFor(MakeIntCursor(27001));
    EXPECT_EQ(cursor.shape(), Qt::BitmapCursor);
    EXPECT_EQ(cursor.hotSpot(), QPoint(5, 7));
    EXPECT_EQ(cursor.pixmap().size(), QSize(32, 32));
}

TEST_F(HostCursorTest, SystemCursorsAreQtShapesAndUnreadableOnesTheArrow)
{
    EXPECT_EQ(HostCursorFor(MakeIntCursor(IDC_IBEAM_ID)).shape(), Qt::IBeamCursor);
    EXPECT_EQ(HostCursorFor(MakeIntCursor(IDC_SIZENWSE_ID)).shape(), Qt::SizeFDiagCursor);
    EXPECT_EQ(HostCursorFor(MakeIntCursor(27002)).shape(), Qt::ArrowCursor) << "no such resource";
    std::vector<BYTE> cut = CursorFile(1, 1);
    cut.resize(40);
    RegisterBinaryResource(ResourceKind::Cursor, 27003, cut);
    EXPECT_EQ(HostCursorFor(MakeIntCursor(27003)).shape(), Qt::ArrowCursor) << "a truncated file";
    RegisterBinaryResource(ResourceKind::Cursor, 27004, {0, 0, 2, 0});
    EXPECT_EQ(HostCursorFor(MakeIntCursor(27004)).shape(), Qt::ArrowCursor) << "a header alone";
}

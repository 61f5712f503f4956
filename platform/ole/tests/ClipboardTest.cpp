#include "QtApp.h"

#include "platform/core/File.h"
#include "platform/core/GlobalMemory.h"
#include "platform/gdi/Dib.h"
#include "platform/gdi/GdiObject.h"
#include "platform/gdi/Metafile.h"
#include "platform/ole/Clipboard.h"
#include "platform/ole/OleDataObject.h"
#include "platform/ole/OleDataSource.h"
#include "platform/ui/UiApi.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<BYTE>;

HGLOBAL Block(const Bytes& bytes)
{
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
    GlobalUnlock(block);
    return block;
}

HGLOBAL TextBlock(const std::string& text) { return Block(Bytes(text.begin(), text.end() + 1)); }

Bytes BytesOf(HGLOBAL block)
{
    auto* data = static_cast<const BYTE*>(GlobalLock(block));
    Bytes bytes(data, data + GlobalSize(block));
    GlobalUnlock(block);
    return bytes;
}

// A 2 x 2 bottom-up 24-bit DIB: blue, green in the bottom row; red, white on top.
Bytes SmallDib()
{
    Bytes dib = {
        40, 0, 0, 0, // biSize
        2, 0, 0, 0,  // biWidth
        2, 0, 0, 0,  // biHeight
        1, 0, 24, 0, // biPlanes, biBitCount
        0, 0, 0, 0,  // biCompression BI_RGB
        16, 0, 0, 0, // biSizeImage
        0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
        0xFF, 0x00, 0x00, 0x00, 0xFF, 0x00, 0, 0,       // bottom row: blue, green, padding
        0x00, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0,       // top row: red, white, padding
    };
    return dib;
}

class ClipboardTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { EnsureQtApplication(); }
    void SetUp() override { QGuiApplication::clipboard()->clear(); }
    void TearDown() override
    {
        CloseClipboard();
        QGuiApplication::clipboard()->clear();
    }
};

TEST_F(ClipboardTest, RegisteredFormatsKeepTheirNumberAndName)
{
    UINT quillon = RegisterClipboardFormat("Quillon++ for MFC");
    EXPECT_GE(quillon, 0xC000u);
    EXPECT_EQ(RegisterClipboardFormatA("QUILLON++ FOR MFC"), quillon);
    EXPECT_NE(RegisterClipboardFormat("Catalogue Object"), quillon);
    EXPECT_EQ(RegisterClipboardFormat(""), 0u);

    char name[256];
    EXPECT_EQ(GetClipboardFormatNameA(quillon, name, sizeof name), 17);
    EXPECT_STREQ(name, "Quillon++ for MFC");
    EXPECT_EQ(GetClipboardFormatName(quillon, name, 5), 4);
    EXPECT_STREQ(name, "Quil");
    EXPECT_EQ(GetClipboardFormatName(CF_TEXT, name, sizeof name), 0);
}

TEST_F(ClipboardTest, PrivateFormatTextAndDibTravelBetweenDataObjects)
{
    UINT quillon = RegisterClipboardFormat("Quillon++ for MFC");
    const Bytes record = {0x01, 0x00, 0xFF, 0xFF, 0x00, 0x00, 0x07, 0x00};
    auto* source = new COleDataSource;
    source->CacheGlobalData(static_cast<CLIPFORMAT>(quillon), Block(record));
    source->CacheGlobalData(CF_TEXT, TextBlock("caf\xE9"));
    source->CacheGlobalData(CF_DIB, Block(SmallDib()));
    source->SetClipboard();
    EXPECT_EQ(COleDataSource::GetClipboardOwner(), source);

    COleDataObject data;
    ASSERT_TRUE(data.AttachClipboard());
    for (UINT format : {quillon, CF_TEXT, CF_DIB, CF_BITMAP})
        EXPECT_TRUE(data.IsDataAvailable(static_cast<CLIPFORMAT>(format))) << format;
    EXPECT_FALSE(data.IsDataAvailable(CF_ENHMETAFILE));

    HGLOBAL got = data.GetGlobalData(static_cast<CLIPFORMAT>(quillon));
    EXPECT_EQ(BytesOf(got), record);
    GlobalFree(got);
    got = data.GetGlobalData(CF_DIB);
    EXPECT_EQ(BytesOf(got), SmallDib());
    GlobalFree(got);

    STGMEDIUM medium{};
    ASSERT_TRUE(data.GetData(CF_BITMAP, &medium));
    EXPECT_EQ(medium.tymed, TYMED_GDI);
    BITMAP info{};
    ASSERT_TRUE(GetObject(medium.hBitmap, sizeof info, &info));
    EXPECT_EQ(info.bmWidth, 2);
    EXPECT_EQ(info.bmHeight, 2);
    ReleaseStgMedium(&medium);
}

TEST_F(ClipboardTest, AnotherInstanceReadsThePrivateFormatByName)
{
    UINT quillon = RegisterClipboardFormat("Quillon++ for MFC");
    const Bytes record = {0x02, 0x00, 0xAB};
    auto* source = new COleDataSource;
    source->CacheGlobalData(static_cast<CLIPFORMAT>(quillon), Block(record));
    source->SetClipboard();

    // What another process sees: the MIME types and their bytes, nothing of our objects.
    const QMimeData* ours = QGuiApplication::clipboard()->mimeData();
    auto* copy = new QMimeData;
    for (const QString& type : ours->formats())
        copy->setData(type, ours->data(type));
    QGuiApplication::clipboard()->setMimeData(copy);
    EXPECT_EQ(COleDataSource::GetClipboardOwner(), nullptr);

    ASSERT_TRUE(OpenClipboard(nullptr));
    HANDLE block = GetClipboardData(quillon);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(BytesOf(block), record);
}

TEST_F(ClipboardTest, TextFromAnotherProgramReadsAsWindows1252)
{
    QGuiApplication::clipboard()->setText(QString::fromUtf8("café\nnaïve €5"));
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
    ASSERT_TRUE(OpenClipboard(nullptr));
    HANDLE text = GetClipboardData(CF_TEXT);
    ASSERT_NE(text, nullptr);
    const std::string expected("caf\xE9\r\nna\xEFve \x80" "5", 14);
    EXPECT_EQ(BytesOf(text), Bytes(expected.begin(), expected.end() + 1));
}

TEST_F(ClipboardTest, OurTextAndPicturesReachOtherPrograms)
{
    ASSERT_TRUE(OpenClipboard(nullptr));
    ASSERT_TRUE(EmptyClipboard());
    EXPECT_NE(SetClipboardData(CF_TEXT, TextBlock("caf\xE9\r\nline")), nullptr);
    EXPECT_NE(SetClipboardData(CF_DIB, Block(SmallDib())), nullptr);
    ASSERT_TRUE(CloseClipboard());

    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    EXPECT_EQ(mime->text(), QString::fromUtf8("café\nline"));
    ASSERT_TRUE(mime->hasImage());
    QImage image = qvariant_cast<QImage>(mime->imageData());
    ASSERT_EQ(image.size(), QSize(2, 2));
    EXPECT_EQ(image.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(1, 1), qRgb(0, 255, 0));
}

TEST_F(ClipboardTest, PicturesFromAnotherProgramReadAsPackedDibs)
{
    QImage image(3, 1, QImage::Format_RGB32);
    image.setPixel(0, 0, qRgb(10, 20, 30));
    image.setPixel(1, 0, qRgb(40, 50, 60));
    image.setPixel(2, 0, qRgb(70, 80, 90));
    QGuiApplication::clipboard()->setImage(image);

    ASSERT_TRUE(OpenClipboard(nullptr));
    HANDLE dib = GetClipboardData(CF_DIB);
    ASSERT_NE(dib, nullptr);
    Bytes bytes = BytesOf(dib);
    ASSERT_GE(bytes.size(), 40u + 12u);
    BITMAPINFOHEADER header;
    std::memcpy(&header, bytes.data(), sizeof header);
    EXPECT_EQ(header.biWidth, 3);
    EXPECT_EQ(header.biHeight, 1);
    EXPECT_EQ(header.biBitCount, 24);
    const BYTE* bits = bytes.data() + header.biSize;
    EXPECT_EQ(Bytes(bits, bits + 9), (Bytes{30, 20, 10, 60, 50, 40, 90, 80, 70}));
}

TEST_F(ClipboardTest, TheSessionRulesHold)
{
    EXPECT_EQ(SetClipboardData(CF_TEXT, nullptr), nullptr) << "not open";
    EXPECT_FALSE(EmptyClipboard());
    ASSERT_TRUE(OpenClipboard(nullptr));
    EXPECT_FALSE(OpenClipboard(nullptr));
    HGLOBAL text = TextBlock("x");
    EXPECT_EQ(SetClipboardData(CF_TEXT, text), nullptr) << "not emptied by this opener";
    GlobalFree(text);
    ASSERT_TRUE(EmptyClipboard());
    EXPECT_EQ(CountClipboardFormats(), 0);
    SetClipboardData(CF_TEXT, TextBlock("one"));
    UINT formats[] = {CF_DIB, CF_TEXT};
    EXPECT_EQ(GetPriorityClipboardFormat(formats, 2), static_cast<int>(CF_TEXT));
    EXPECT_EQ(GetPriorityClipboardFormat(formats, 1), -1);
    EXPECT_EQ(EnumClipboardFormats(0), CF_TEXT);
    EXPECT_EQ(EnumClipboardFormats(CF_TEXT), 0u);
    EXPECT_TRUE(CloseClipboard());
    EXPECT_FALSE(CloseClipboard());
}

int renders = 0;

LRESULT RenderingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_RENDERFORMAT) {
        ++renders;
        SetClipboardData(static_cast<UINT>(wParam), TextBlock("rendered " + std::to_string(renders)));
        return 0;
    }
    if (message == WM_DESTROYCLIPBOARD) {
        SetWindowText(hwnd, "destroyed");
        return 0;
    }
    return DefWindowProc(hwnd, message, wParam, lParam);
}

TEST_F(ClipboardTest, OwnerRendersADelayedFormatWhenAskedAndHearsWhenReplaced)
{
    renders = 0;
    WNDCLASS wc{};
    wc.lpfnWndProc = RenderingProc;
    wc.lpszClassName = "ClipOwner";
    RegisterClass(&wc);
    HWND owner = CreateWindowEx(0, "ClipOwner", "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(owner, nullptr);

    ASSERT_TRUE(OpenClipboard(owner));
    ASSERT_TRUE(EmptyClipboard());
    EXPECT_EQ(SetClipboardData(CF_TEXT, nullptr), nullptr);
    ASSERT_TRUE(CloseClipboard());
    EXPECT_EQ(GetClipboardOwner(), owner);
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));

    EXPECT_EQ(QGuiApplication::clipboard()->text(), QString("rendered 1"));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QString("rendered 1")) << "rendered once";

    ASSERT_TRUE(OpenClipboard(nullptr));
    ASSERT_TRUE(EmptyClipboard());
    ASSERT_TRUE(CloseClipboard());
    char title[32] = "";
    GetWindowText(owner, title, sizeof title);
    EXPECT_STREQ(title, "destroyed");
    DestroyWindow(owner);
}

class CountingSource : public COleDataSource {
public:
    BOOL OnRenderGlobalData(LPFORMATETC format, HGLOBAL* phGlobal) override
    {
        ++renders;
        if (format->cfFormat != CF_TEXT)
            return FALSE;
        *phGlobal = TextBlock("late");
        return TRUE;
    }
    int renders = 0;
};

TEST_F(ClipboardTest, DataSourceRendersDelayedDataOnlyWhenAsked)
{
    auto* source = new CountingSource;
    source->DelayRenderData(CF_TEXT);
    source->SetClipboard();
    COleDataObject data;
    data.AttachClipboard();
    EXPECT_TRUE(data.IsDataAvailable(CF_TEXT));
    EXPECT_EQ(source->renders, 0);
    CFile* file = data.GetFileData(CF_TEXT);
    ASSERT_NE(file, nullptr);
    char text[8] = "";
    EXPECT_EQ(file->Read(text, sizeof text), 5u);
    EXPECT_STREQ(text, "late");
    delete file;
    EXPECT_EQ(source->renders, 1);
}

TEST_F(ClipboardTest, DibsThatClaimMoreThanTheyHoldAreRefused)
{
    Bytes dib = SmallDib();
    dib.resize(dib.size() - 4); // the top row is cut short
    auto* source = new COleDataSource;
    source->CacheGlobalData(CF_DIB, Block(dib));
    source->SetClipboard();

    COleDataObject data;
    data.AttachClipboard();
    STGMEDIUM medium{};
    EXPECT_FALSE(data.GetData(CF_BITMAP, &medium));
    HGLOBAL raw = data.GetGlobalData(CF_DIB);
    EXPECT_EQ(BytesOf(raw), dib) << "the bytes themselves pass unchanged";
    GlobalFree(raw);
    EXPECT_FALSE(QGuiApplication::clipboard()->mimeData()->data("image/bmp").size() > 0);
}

TEST_F(ClipboardTest, PalettesWithMoreEntriesThanBytesAreRefused)
{
    Bytes palette = {0x00, 0x03, 0x10, 0x00, 1, 2, 3, 0}; // claims 16 entries, holds one
    auto* source = new COleDataSource;
    source->CacheGlobalData(CF_PALETTE, Block(palette));
    source->SetClipboard();
    ASSERT_TRUE(OpenClipboard(nullptr));
    EXPECT_EQ(GetClipboardData(CF_PALETTE), nullptr);
}

TEST_F(ClipboardTest, MetafilesTravelWholeAndReachOtherProgramsAsPictures)
{
    CMetaFileDC recorder;
    RECT frame = {0, 0, 1000, 500}; // 10 x 5 mm
    ASSERT_TRUE(recorder.CreateEnhanced(nullptr, nullptr, &frame, "SelectionMeta"));
    CBrush red(RGB(255, 0, 0));
    RECT box = {0, 0, 20, 10};
    recorder.FillRect(&box, &red);
    HENHMETAFILE metafile = recorder.CloseEnhanced();
    ASSERT_NE(metafile, nullptr);
    UINT size = GetEnhMetaFileBits(metafile, 0, nullptr);
    Bytes original(size);
    GetEnhMetaFileBits(metafile, size, original.data());

    STGMEDIUM medium{};
    medium.tymed = TYMED_ENHMF;
    medium.hEnhMetaFile = metafile;
    auto* source = new COleDataSource;
    source->CacheData(CF_ENHMETAFILE, &medium);
    source->SetClipboard();

    COleDataObject data;
    data.AttachClipboard();
    EXPECT_FALSE(data.IsDataAvailable(CF_DIB)) << "no picture is made up for ourselves";
    STGMEDIUM got{};
    ASSERT_TRUE(data.GetData(CF_ENHMETAFILE, &got));
    EXPECT_EQ(got.tymed, TYMED_ENHMF);
    Bytes copy(GetEnhMetaFileBits(got.hEnhMetaFile, 0, nullptr));
    GetEnhMetaFileBits(got.hEnhMetaFile, static_cast<UINT>(copy.size()), copy.data());
    EXPECT_EQ(copy, original);
    ReleaseStgMedium(&got);

    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    ASSERT_TRUE(mime->hasImage());
    QImage image = qvariant_cast<QImage>(mime->imageData());
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.pixel(1, 1), qRgb(255, 0, 0));
}

} // namespace

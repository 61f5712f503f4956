#include "QtApp.h"

#include "platform/core/Archive.h"
#include "platform/core/tests/ArchiveBytes.h"
#include "platform/core/ArchiveException.h"
#include "platform/core/GlobalMemory.h"
#include "platform/core/MemFile.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/GdiObject.h"
#include "platform/ole/OleClientItem.h"
#include "platform/ole/OleDataObject.h"
#include "platform/ole/OleDataSource.h"
#include "platform/ole/OleDocument.h"
#include "platform/ole/OleTestHook.h"
#include "platform/ui/TestHook.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

// A container's item as the object layer declares it: stored by class.
class StoredItem : public COleClientItem {
    DECLARE_SERIAL(StoredItem)
public:
    explicit StoredItem(COleDocument* doc = nullptr) : COleClientItem(doc) { }
    std::vector<int> changes;

protected:
    void OnChange(OLE_NOTIFICATION code, DWORD param) override
    {
        changes.push_back(code);
        COleClientItem::OnChange(code, param);
    }
};

IMPLEMENT_SERIAL(StoredItem, COleClientItem, 0)

namespace {

class TestDoc : public COleDocument {
public:
    void Serialize(CArchive&) override { }
};

// A 2 x 1 bottom-up 24-bit .bmp file: red then blue.
Bytes RedBlueBmp()
{
    return {
        'B', 'M', 62, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, // file header: size 62, bits at 54
        40, 0, 0, 0, 2, 0, 0, 0, 1, 0, 0, 0,          // biSize, width 2, height 1
        1, 0, 24, 0, 0, 0, 0, 0, 8, 0, 0, 0,          // planes, 24 bits, BI_RGB, 8 image bytes
        0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
        0x00, 0x00, 0xFF, 0xFF, 0x00, 0x00, 0, 0,     // red, blue, padding
    };
}

std::string WriteFile(const QTemporaryDir& dir, const char* name, const Bytes& data)
{
    QFile file(dir.filePath(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(reinterpret_cast<const char*>(data.data()), static_cast<qint64>(data.size()));
    return file.fileName().toStdString();
}

Bytes Stored(CObject& item)
{
    return StoreBytes([&](CArchive& ar) { item.Serialize(ar); });
}

// The record of a text item "a.txt" holding "hi".
const Bytes kTextRecord = {
    0x46, 0x56, 0x50, 0x4B,         // tag "FVPK"
    0x01, 0x00,                     // version 1
    0x02, 0x00,                     // OT_EMBEDDED
    0x01, 0x00, 0x00, 0x00,         // draw aspect DVASPECT_CONTENT
    0x05, 'a', '.', 't', 'x', 't',  // file name
    0x02, 0x00, 0x00, 0x00,         // 2 bytes of data
    'h', 'i',
};

class ClientItemTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { EnsureQtApplication(); }
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    void TearDown() override
    {
        OleTestHook::SetDesktopOpener(nullptr);
        UiTestHook::Reset();
    }

    QTemporaryDir dir;
};

TEST_F(ClientItemTest, PackageRecordIsByteExact)
{
    TestDoc doc;
    StoredItem item(&doc);
    ASSERT_TRUE(item.CreateFromFile(WriteFile(dir, "a.txt", {'h', 'i'}).c_str()));
    EXPECT_EQ(item.GetItemState(), COleClientItem::loadedState);
    EXPECT_EQ(item.GetType(), OT_EMBEDDED);
    EXPECT_EQ(Stored(item), kTextRecord);

    StoredItem loaded;
    LoadBytes(kTextRecord, [&](CArchive& ar) { loaded.Serialize(ar); });
    EXPECT_EQ(loaded.GetFileName(), CString("a.txt"));
    EXPECT_EQ(loaded.GetFileData(), (Bytes{'h', 'i'}));
}

TEST_F(ClientItemTest, DocumentArchiveKeepsItemsByteExactAndAddsThemToTheReader)
{
    TestDoc doc;
    StoredItem text(&doc), picture(&doc);
    ASSERT_TRUE(text.CreateFromFile(WriteFile(dir, "a.txt", {'h', 'i'}).c_str()));
    ASSERT_TRUE(picture.CreateFromFile(WriteFile(dir, "dot.bmp", RedBlueBmp()).c_str()));
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        ar.WriteObject(&text);
        ar.WriteObject(&picture);
        ar.Close();
    }
    file.SeekToBegin();
    TestDoc reader;
    CArchive ar(&file, CArchive::load);
    ar.m_pDocument = &reader;
    std::unique_ptr<CObject> first(ar.ReadObject(RUNTIME_CLASS(StoredItem)));
    std::unique_ptr<CObject> second(ar.ReadObject(RUNTIME_CLASS(StoredItem)));
    EXPECT_EQ(reader.GetItemCount(), 2);
    EXPECT_EQ(Stored(*first), Stored(text));
    EXPECT_EQ(static_cast<StoredItem*>(second.get())->GetFileData(), RedBlueBmp());
}

TEST_F(ClientItemTest, CorruptRecordsFailWithTheArchiveErrorAndKeepEarlierItems)
{
    struct Case {
        const char* what;
        size_t offset;
        Bytes patch;
        size_t cut;
        int cause;
    };
    const Case cases[] = {
        {"tag", 0, {0x00}, 0, CArchiveException::genericException},
        {"version", 4, {0x02}, 0, CArchiveException::badSchema},
        {"type", 6, {0x09}, 0, CArchiveException::genericException},
        {"size beyond the limit", 18, {0xFF, 0xFF, 0xFF, 0x7F}, 0, CArchiveException::genericException},
        {"size beyond the data", 18, {0x00, 0x10, 0x00, 0x00}, 0, CArchiveException::endOfFile},
        {"cut short", 0, {}, 3, CArchiveException::endOfFile},
    };
    for (const Case& c : cases) {
        Bytes stream = kTextRecord;
        Bytes bad = kTextRecord;
        std::copy(c.patch.begin(), c.patch.end(), bad.begin() + static_cast<ptrdiff_t>(c.offset));
        bad.resize(bad.size() - c.cut);
        stream.insert(stream.end(), bad.begin(), bad.end());

        TestDoc doc;
        CMemFile file(stream.data(), static_cast<UINT>(stream.size()));
        CArchive ar(&file, CArchive::load);
        ar.m_pDocument = &doc;
        StoredItem good, broken;
        good.Serialize(ar);
        EXPECT_EQ(ArchiveCause([&] { broken.Serialize(ar); }), c.cause) << c.what;
        EXPECT_EQ(broken.GetItemState(), COleClientItem::emptyState) << c.what;
        EXPECT_EQ(good.GetFileData(), (Bytes{'h', 'i'})) << c.what;
        EXPECT_EQ(doc.GetItemCount(), 1) << c.what;
    }
}

TEST_F(ClientItemTest, FileNamesLoseTheirFolders)
{
    struct Case {
        const char* stored;
        const char* kept;
    };
    constexpr Case cases[] = {
        {"../../.bashrc", ".bashrc"}, {"C:\\Notes\\plan.doc", "plan.doc"}, {"..", "Embedded file"},
        {"a\x01" "b.txt", "a_b.txt"},  {"", "Embedded file"},
    };
    for (const Case& c : cases) {
        Bytes record = {0x46, 0x56, 0x50, 0x4B, 0x01, 0x00, 0x02, 0x00, 0x01, 0x00, 0x00, 0x00};
        record.push_back(static_cast<BYTE>(std::strlen(c.stored)));
        record.insert(record.end(), c.stored, c.stored + std::strlen(c.stored));
        record.insert(record.end(), {0x00, 0x00, 0x00, 0x00});
        StoredItem item;
        LoadBytes(record, [&](CArchive& ar) { item.Serialize(ar); });
        EXPECT_EQ(item.GetFileName(), CString(c.kept)) << c.stored;
    }
}

// The item drawn into bounds on a white canvas; pixels by row.
std::vector<std::vector<COLORREF>> Drawn(StoredItem& item, RECT bounds, SIZE canvas)
{
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap bitmap;
    HDC screen = GetDC(nullptr);
    bitmap.Attach(CreateCompatibleBitmap(screen, canvas.cx, canvas.cy));
    ReleaseDC(nullptr, screen);
    CBitmap* old = dc.SelectObject(&bitmap);
    dc.PatBlt(0, 0, canvas.cx, canvas.cy, WHITENESS);
    item.Draw(&dc, &bounds);
    std::vector<std::vector<COLORREF>> pixels(static_cast<size_t>(canvas.cy));
    for (int y = 0; y < canvas.cy; ++y)
        for (int x = 0; x < canvas.cx; ++x)
            pixels[static_cast<size_t>(y)].push_back(dc.GetPixel(x, y));
    dc.SelectObject(old);
    return pixels;
}

TEST_F(ClientItemTest, PicturesDrawThemselvesIntoTheBounds)
{
    StoredItem item;
    ASSERT_TRUE(item.CreateFromFile(WriteFile(dir, "dot.bmp", RedBlueBmp()).c_str()));
    auto pixels = Drawn(item, {2, 2, 6, 4}, {8, 6}); // the picture doubled
    EXPECT_EQ(pixels[2][2], RGB(255, 0, 0));
    EXPECT_EQ(pixels[3][3], RGB(255, 0, 0));
    EXPECT_EQ(pixels[3][5], RGB(0, 0, 255));
    EXPECT_EQ(pixels[3][6], RGB(255, 255, 255));
    EXPECT_EQ(pixels[1][2], RGB(255, 255, 255));
    SIZE extent{};
    ASSERT_TRUE(item.GetExtent(&extent));
    EXPECT_EQ(extent.cx, 53); // 2 pixels at 96 per inch in HIMETRIC
    EXPECT_EQ(extent.cy, 26);
}

TEST_F(ClientItemTest, OtherFilesDrawAnIconAboveTheirName)
{
    StoredItem item;
    ASSERT_TRUE(item.CreateFromFile(WriteFile(dir, "plan.txt", {'x'}).c_str()));
    SIZE extent{};
    ASSERT_TRUE(item.GetExtent(&extent));
    EXPECT_EQ(extent.cx, 2540);
    EXPECT_EQ(extent.cy, 1693);
    auto pixels = Drawn(item, {0, 0, 96, 64}, {96, 64});
    auto inked = [&](RECT area) {
        int count = 0;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x)
                count += pixels[static_cast<size_t>(y)][static_cast<size_t>(x)] != RGB(255, 255, 255);
        return count;
    };
    EXPECT_GT(inked({32, 4, 64, 36}), 0) << "icon";
    EXPECT_GT(inked({0, 40, 96, 64}), 0) << "name";
    EXPECT_EQ(inked({0, 0, 20, 30}), 0) << "nothing beside the icon";
}

std::vector<std::string> opened;
bool RecordOpen(const char* path)
{
    opened.push_back(path);
    return true;
}

TEST_F(ClientItemTest, PrimaryVerbOpensACopyAndReadsChangesBack)
{
    opened.clear();
    OleTestHook::SetDesktopOpener(&RecordOpen);
    TestDoc doc;
    auto* item = new StoredItem(&doc);
    ASSERT_TRUE(item->CreateFromFile(WriteFile(dir, "plan.txt", {'v', '1'}).c_str()));
    ASSERT_TRUE(item->DoVerb(OLEIVERB_PRIMARY, nullptr));
    ASSERT_EQ(opened.size(), 1u);
    QString path = QString::fromStdString(opened[0]);
    EXPECT_EQ(QFileInfo(path).fileName(), QString("plan.txt"));
    EXPECT_FALSE(path.startsWith(dir.path()));
    EXPECT_EQ(item->GetItemState(), COleClientItem::openState);
    EXPECT_FALSE(QFileInfo(path).isExecutable());

    EXPECT_FALSE(item->UpdateFromOpenFile()) << "unchanged";
    QFile edited(path);
    ASSERT_TRUE(edited.open(QIODevice::WriteOnly | QIODevice::Truncate));
    edited.write("version 2");
    edited.close();
    EXPECT_TRUE(item->UpdateFromOpenFile());
    EXPECT_EQ(item->GetFileData(), (Bytes{'v', 'e', 'r', 's', 'i', 'o', 'n', ' ', '2'}));
    EXPECT_TRUE(doc.IsModified());

    item->Close();
    EXPECT_FALSE(QFileInfo::exists(path));
    EXPECT_EQ(item->changes, (std::vector<int>{OLE_CHANGED_STATE, OLE_CHANGED, OLE_CHANGED_STATE}));
    item->Delete();
    EXPECT_EQ(doc.GetItemCount(), 0);
}

TEST_F(ClientItemTest, ProgramsAndScriptsAreNeverOpened)
{
    struct Case {
        const char* name;
        Bytes data;
    };
    const Case cases[] = {
        {"setup.sh", {'#', '!', '/', 'b', 'i', 'n', '/', 's', 'h', '\n'}},
        {"photo.txt", {0x7F, 'E', 'L', 'F', 2, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 0x3E, 0}},
        {"launcher.desktop", {'[', 'D', 'e', 's', 'k', 't', 'o', 'p', ' ', 'E', 'n', 't', 'r', 'y', ']', '\n'}},
        {"game.exe", {'M', 'Z', 0x90, 0, 3, 0, 0, 0}},
    };
    opened.clear();
    OleTestHook::SetDesktopOpener(&RecordOpen);
    for (const Case& c : cases) {
        StoredItem item;
        ASSERT_TRUE(item.CreateFromFile(WriteFile(dir, c.name, c.data).c_str()));
        UiTestHook::QueueMessageBoxAnswer(IDOK);
        EXPECT_FALSE(item.DoVerb(OLEIVERB_PRIMARY, nullptr)) << c.name;
        EXPECT_NE(UiTestHook::LastMessageBoxText().find(c.name), std::string::npos);
        EXPECT_EQ(item.GetItemState(), COleClientItem::loadedState);
    }
    EXPECT_TRUE(opened.empty());
}

TEST_F(ClientItemTest, ItemsTravelThroughDataObjects)
{
    StoredItem item;
    ASSERT_TRUE(item.CreateFromFile(WriteFile(dir, "dot.bmp", RedBlueBmp()).c_str()));
    auto* source = new COleDataSource;
    item.GetClipboardData(source);
    COleDataObject data;
    data.AttachSource(source->MakeClipSource());
    source->ExternalRelease();
    EXPECT_TRUE(COleClientItem::CanCreateFromData(&data));

    StoredItem copy;
    ASSERT_TRUE(copy.CreateFromData(&data));
    EXPECT_EQ(copy.GetFileName(), CString("dot.bmp"));
    EXPECT_EQ(copy.GetFileData(), RedBlueBmp());

    StoredItem still;
    ASSERT_TRUE(still.CreateStaticFromData(&data));
    EXPECT_EQ(still.GetType(), OT_STATIC);
    EXPECT_EQ(still.GetFileData(), RedBlueBmp());

    COleDataObject empty;
    EXPECT_FALSE(COleClientItem::CanCreateFromData(&empty));
    EXPECT_FALSE(copy.CreateFromData(&empty));
    EXPECT_EQ(copy.GetFileData(), RedBlueBmp()) << "a failed creation keeps the item";
}

TEST_F(ClientItemTest, DroppedFilesAndNewDocumentsBecomeItems)
{
    std::string path = WriteFile(dir, "notes.txt", {'n'});
    auto* source = new COleDataSource;
    source->CacheGlobalData(CF_HDROP, UiTestHook::MakeDrop({path}));
    COleDataObject data;
    data.AttachSource(source->MakeClipSource());
    source->ExternalRelease();
    StoredItem item;
    ASSERT_TRUE(item.CreateFromData(&data));
    EXPECT_EQ(item.GetFileName(), CString("notes.txt"));

    StoredItem blank;
    EXPECT_TRUE(blank.CreateNewItem(CLSID_TextPackage));
    EXPECT_EQ(blank.GetFileName(), CString("New Text Document.txt"));
    EXPECT_FALSE(blank.CreateNewItem(CLSID_NULL));
    EXPECT_FALSE(blank.CreateFromFile((dir.path() + "/missing.txt").toUtf8().constData()));
    EXPECT_EQ(blank.GetFileName(), CString("New Text Document.txt"));
}

} // namespace

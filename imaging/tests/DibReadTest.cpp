#include "BmpBytes.h"

#include "imaging/ExtDib.h"
#include "objects/ShellServices.h"
#include "platform/core/File.h"
#include "platform/gdi/tests/Canvas.h"
#include "platform/gdi/GdiObject.h"
#include "platform/ui/Resources.h"
#include "platform/ui/TestHook.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>

namespace {

class DibReadTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dir = std::filesystem::temp_directory_path() /
                ("dibread-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(m_dir);
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }

    std::string Put(const char* name, const Bytes& bytes) const
    {
        std::string path = (m_dir / name).string();
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        return path;
    }

    std::filesystem::path m_dir;
};

BOOL ReadFile(CDib& dib, const std::string& path)
{
    CFile file;
    if (!file.Open(path.c_str(), CFile::modeRead))
        return FALSE;
    return dib.Read(&file, nullptr);
}

TEST_F(DibReadTest, BmpFilesAreKeptByteForByteWhateverTheCase)
{
    for (const char* name : {"plain.bmp", "UPPER.BMP", "Mixed.Bmp"}) {
        CDib dib;
        ASSERT_TRUE(ReadFile(dib, Put(name, Bmp8()))) << name;
        EXPECT_EQ(Bmp8().size(), dib.GetSize());
        const Bytes stored = StoreBytes([&](CArchive& ar) { dib.Serialize(ar); });
        EXPECT_EQ(DibRecord(Bmp8()), stored) << name;
    }
}

TEST_F(DibReadTest, BadBmpFilesFailAndLeaveNoImage)
{
    Bytes truncated = Bmp24();
    truncated.resize(60);
    Bytes notBmp = Bmp24();
    notBmp[0] = 'X';
    for (const Bytes& bytes : {truncated, notBmp, Bytes{}}) {
        CDib dib;
        LoadBytes(DibRecord(Bmp1()), [&](CArchive& ar) { dib.Serialize(ar); });
        EXPECT_FALSE(ReadFile(dib, Put("bad.bmp", bytes)));
        EXPECT_EQ(0u, dib.GetSize());
    }
}

TEST_F(DibReadTest, OtherFormatsGoThroughTheDecoders)
{
    CDib dib;
    // A BMP under another name is decoded into a bitmap of the screen, not kept as it is.
    ASSERT_TRUE(ReadFile(dib, Put("picture.pic", Bmp8())));
    EXPECT_EQ(CSize(4, 2), dib.GetDimensions());
    EXPECT_EQ(DWORD(14 + 40) + DibRowBytes(4, WORD(dib.GetBitCount())) * 2, dib.GetSize());
    Canvas canvas(4, 2);
    dib.Draw(&canvas.dc, 0, 0);
    EXPECT_EQ("rgb.\n.bgr\n", canvas.Art());
}

TEST_F(DibReadTest, UnknownFormatFails)
{
    CDib dib;
    EXPECT_FALSE(ReadFile(dib, Put("noise.png", Bytes(100, 0x5A))));
    EXPECT_EQ(0u, dib.GetSize());
}

TEST_F(DibReadTest, ExtDibLoadsFilesAndResources)
{
    RegisterBinaryResource(ResourceKind::Bitmap, 31001, Bmp1());
    CExtDib resource;
    ASSERT_TRUE(resource.Load("*31001", CExtDib::Embedded, FALSE));
    EXPECT_EQ(1u, resource.GetBitCount());
    EXPECT_EQ(CString("*31001"), resource.m_name);
    EXPECT_FALSE(resource.Load("*31002", CExtDib::Embedded, FALSE));
    EXPECT_FALSE(resource.Load("*Named", CExtDib::Embedded, FALSE));
    RegisterBinaryResource(ResourceKind::Bitmap, "Named", Bmp24());
    ASSERT_TRUE(resource.Load("*Named", CExtDib::Embedded, FALSE));
    EXPECT_EQ(24u, resource.GetBitCount());
    EXPECT_EQ(CString("*Named"), resource.m_name);

    CExtDib file;
    std::string path = Put("linked.bmp", Bmp24());
    ASSERT_TRUE(file.Load(path.c_str(), CExtDib::Linked, FALSE));
    EXPECT_EQ(70u, file.GetSize());
    EXPECT_EQ(UINT(CExtDib::Linked), file.m_kind);

    CExtDib missing;
    EXPECT_FALSE(missing.Load((path + ".gone").c_str(), CExtDib::Linked, FALSE));
    EXPECT_EQ(0u, missing.GetSize());
    EXPECT_EQ(UINT(CExtDib::Linked), missing.m_kind);
    EXPECT_EQ(CString((path + ".gone").c_str()), missing.m_name);
}

// The shell's bitmap folder is looked in before the name as it stands.
class BitmapFolderShell : public CShellServices {
public:
    explicit BitmapFolderShell(std::string folder) : m_folder(std::move(folder)) {}
    CString GetBitmapFolder() const override { return m_folder.c_str(); }

private:
    std::string m_folder;
};

TEST_F(DibReadTest, ExtDibLooksInTheBitmapFolderFirst)
{
    std::filesystem::create_directories(m_dir / "Bitmap");
    std::ofstream(m_dir / "Bitmap" / "logo.bmp", std::ios::binary)
        .write(reinterpret_cast<const char*>(Bmp8().data()), std::streamsize(Bmp8().size()));
    BitmapFolderShell shell((m_dir / "Bitmap").string());
    SetShellServices(&shell);
    CExtDib dib;
    BOOL loaded = dib.Load("logo.bmp", CExtDib::Linked, FALSE);
    SetShellServices(nullptr);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(Bmp8().size(), dib.GetSize());
    EXPECT_EQ(CString("logo.bmp"), dib.m_name);
}

TEST_F(DibReadTest, LinkedRecordReloadsItsFile)
{
    std::string path = Put("linked.bmp", Bmp8());
    const Bytes record = Concat({Dword(0xBACDCD00), Word(3), ShortString(path.c_str()), {0}, Dword(0xFFFFFFFF)});
    CExtDib dib;
    LoadBytes(record, [&](CArchive& ar) { dib.SerializeEx(ar, TRUE); });
    EXPECT_EQ(Bmp8().size(), dib.GetSize());
    EXPECT_EQ(record, StoreBytes([&](CArchive& ar) { dib.SerializeEx(ar, TRUE); }));
}

}  // namespace

namespace {

TEST_F(DibReadTest, MissingFileFailsQuietlyAndABadOneIsReportedWhenAsked)
{
    UiTestHook::Reset();
    CExtDib dib;
    EXPECT_FALSE(dib.Load((m_dir / "gone.bmp").string().c_str(), CExtDib::Linked, TRUE));
    EXPECT_EQ(0, UiTestHook::MessageBoxCount());
    EXPECT_EQ(UINT(CExtDib::None), dib.m_kind);

    UiTestHook::QueueMessageBoxAnswer(IDOK);
    const std::string path = Put("bad.bmp", Bytes(40, 0x42));
    EXPECT_FALSE(dib.Load(path.c_str(), CExtDib::Linked, TRUE));
    EXPECT_EQ(1, UiTestHook::MessageBoxCount());
    EXPECT_EQ(path + "\nFile not found or bad bitmap format;\nUnable to load bitmap file.",
              UiTestHook::LastMessageBoxText());
    EXPECT_EQ(UINT(CExtDib::None), dib.m_kind);

    CExtDib quiet;
    EXPECT_TRUE(quiet.Load(path.c_str(), CExtDib::Linked, FALSE));
    EXPECT_EQ(0u, quiet.GetSize());
    EXPECT_EQ(UINT(CExtDib::Linked), quiet.m_kind);
}

TEST(ExtDibSelect, EmptyPictureShowsThePlaceholder)
{
    RegisterBinaryResource(ResourceKind::Bitmap, CExtDib::IdbPlaceholder, Bmp1());
    CExtDib dib;
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CSize size;
    CBitmap* previous = dib.SelectIntoDC(&dc, &size);
    ASSERT_NE(nullptr, previous);
    EXPECT_EQ(CSize(3, 2), size);
    EXPECT_EQ(RGB(0, 0, 0), dc.GetPixel(0, 0));
    dc.SelectObject(previous)->DeleteObject();
}

}  // namespace

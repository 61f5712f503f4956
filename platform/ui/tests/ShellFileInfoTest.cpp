#include "platform/ui/ShellFileInfo.h"
#include "UiFixture.h"
#include "platform/core/System.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/GdiObject.h"
#include "platform/gdi/Icon.h"
#include "platform/gdi/ImageList.h"

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class ShellFileInfoTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        fs::create_directories(m_folder / "sub");
        std::ofstream(m_folder / "notes.txt") << "some words\n";
    }
    void TearDown() override
    {
        fs::remove_all(m_folder);
        UiTest::TearDown();
    }

    std::string Path(const char* name) const { return (m_folder / name).string(); }

    fs::path m_folder = fs::temp_directory_path() / ("vantrel-ui-fileinfo-" + std::to_string(::getpid()));
};

TEST_F(ShellFileInfoTest, NamesAndKindsOfFilesAndFolders)
{
    SHFILEINFO info {};
    ASSERT_NE(
        SHGetFileInfo(Path("notes.txt").c_str(), 0, &info, sizeof info, SHGFI_DISPLAYNAME | SHGFI_TYPENAME),
        0u);
    EXPECT_STREQ(info.szDisplayName, "notes.txt");
    EXPECT_STREQ(info.szTypeName, "plain text document");
    ASSERT_NE(SHGetFileInfo(Path("sub").c_str(), 0, &info, sizeof info, SHGFI_TYPENAME), 0u);
    EXPECT_STREQ(info.szTypeName, "folder");
}

TEST_F(ShellFileInfoTest, AMissingFileHasNoInfoUnlessItsNameIsEnough)
{
    SHFILEINFO info {};
    EXPECT_EQ(SHGetFileInfo(Path("gone.txt").c_str(), 0, &info, sizeof info, SHGFI_TYPENAME), 0u);
    EXPECT_NE(SHGetFileInfo(Path("gone.txt").c_str(), FILE_ATTRIBUTE_NORMAL, &info, sizeof info,
                  SHGFI_TYPENAME | SHGFI_USEFILEATTRIBUTES),
        0u);
    EXPECT_STREQ(info.szTypeName, "plain text document");
}

TEST_F(ShellFileInfoTest, TheIconIsDrawnTransparentlyAtTheAskedSize)
{
    SHFILEINFO info {};
    ASSERT_NE(
        SHGetFileInfo(Path("notes.txt").c_str(), 0, &info, sizeof info, SHGFI_ICON | SHGFI_SMALLICON), 0u);
    ASSERT_NE(info.hIcon, nullptr);
    ICONINFO parts {};
    ASSERT_TRUE(GetIconInfo(info.hIcon, &parts));
    BITMAP bitmap {};
    GetObject(parts.hbmColor, sizeof bitmap, &bitmap);
    EXPECT_EQ(bitmap.bmWidth, 16);
    EXPECT_EQ(bitmap.bmHeight, 16);
    DeleteObject(parts.hbmColor);
    DeleteObject(parts.hbmMask);

    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP canvas = CreateBitmap(16, 16, 1, 32, nullptr);
    HGDIOBJ old = SelectObject(dc, canvas);
    CDC* cdc = CDC::FromHandle(dc);
    cdc->FillSolidRect(0, 0, 16, 16, RGB(255, 0, 255));
    DrawIconEx(dc, 0, 0, info.hIcon, 16, 16, 0, nullptr, DI_NORMAL);
    int covered = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            covered += cdc->GetPixel(x, y) != RGB(255, 0, 255);
    EXPECT_GT(covered, 64) << "the picture shows";
    EXPECT_LT(covered, 256) << "and the background shows around it";
    SelectObject(dc, old);
    DeleteObject(canvas);
    DeleteDC(dc);
    DestroyIcon(info.hIcon);
}

TEST_F(ShellFileInfoTest, TheSystemImageListHoldsOneImagePerKind)
{
    SHFILEINFO first {};
    SHFILEINFO second {};
    SHFILEINFO folder {};
    std::ofstream(m_folder / "more.txt") << "x";
    auto list = reinterpret_cast<HIMAGELIST>(SHGetFileInfo(
        Path("notes.txt").c_str(), 0, &first, sizeof first, SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
    ASSERT_NE(list, nullptr);
    int count = ImageList_GetImageCount(list);
    EXPECT_EQ(SHGetFileInfo(
                  Path("more.txt").c_str(), 0, &second, sizeof second, SHGFI_SYSICONINDEX | SHGFI_SMALLICON),
        reinterpret_cast<DWORD_PTR>(list));
    EXPECT_EQ(second.iIcon, first.iIcon);
    EXPECT_EQ(ImageList_GetImageCount(list), count);
    SHGetFileInfo(Path("sub").c_str(), 0, &folder, sizeof folder, SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
    EXPECT_NE(folder.iIcon, first.iIcon);
    EXPECT_EQ(ImageList_GetImageCount(list), count + 1);
    int width = 0;
    int height = 0;
    ImageList_GetIconSize(list, &width, &height);
    EXPECT_EQ(width, 16);
}

} // namespace

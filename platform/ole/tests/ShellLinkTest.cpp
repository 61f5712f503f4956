#include "platform/ole/ShellLink.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

std::string Contents(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class ShellLinkTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = std::filesystem::temp_directory_path() / ("vantrel-links-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder);
        ASSERT_EQ(CoInitialize(nullptr), S_OK);
        ASSERT_EQ(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                   reinterpret_cast<void**>(&link)),
                  S_OK);
        ASSERT_EQ(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)), S_OK);
    }
    void TearDown() override
    {
        file->Release();
        link->Release();
        CoUninitialize();
        std::filesystem::remove_all(folder);
    }

    std::string Save(const char* name)
    {
        std::string path = (folder / name).string();
        EXPECT_EQ(file->Save(path.c_str(), TRUE), S_OK);
        EXPECT_EQ(file->SaveCompleted(path.c_str()), S_OK);
        return Contents(path);
    }

    std::filesystem::path folder;
    IShellLinkA* link = nullptr;
    IPersistFile* file = nullptr;
};

TEST_F(ShellLinkTest, ProgramsStartWithQuotedArguments)
{
    link->SetPath("/opt/Vantrel/Game/Stackwell");
    link->SetArguments("-level 3 \"my save.dat\" 100%");
    link->SetWorkingDirectory("/opt/Vantrel/Game");
    link->SetIconLocation("/opt/Vantrel/Icons/game.png", 0);
    link->SetShowCmd(1);
    link->SetDescription("Stack the blocks");
    EXPECT_EQ(Save("Stackwell.lnk"), "[Desktop Entry]\n"
                                     "Type=Application\n"
                                     "Name=Stackwell\n"
                                     "Exec=/opt/Vantrel/Game/Stackwell -level 3 \"my save.dat\" 100%%\n"
                                     "Path=/opt/Vantrel/Game\n"
                                     "Icon=/opt/Vantrel/Icons/game.png\n"
                                     "Comment=Stack the blocks\n");
}

TEST_F(ShellLinkTest, QuotesInsideArgumentsAreEscaped)
{
    link->SetPath("/usr/bin/tool");
    link->SetArguments("\"a$b\\c\"");
    EXPECT_EQ(Save("tool.lnk"), "[Desktop Entry]\nType=Application\nName=tool\n"
                                "Exec=/usr/bin/tool \"a\\\\$b\\\\\\\\c\"\n");
}

TEST_F(ShellLinkTest, DocumentsOpenByTheirUrlInUtf8)
{
    link->SetPath("/tmp/caf\xE9 notes/plan.trn");
    EXPECT_EQ(Save("plan.lnk"), "[Desktop Entry]\nType=Link\nName=plan\nURL=file:///tmp/caf%C3%A9%20notes/plan.trn\n");
}

TEST_F(ShellLinkTest, RefusalsSayWhy)
{
    EXPECT_EQ(file->Save((folder / "empty.lnk").string().c_str(), TRUE), E_INVALIDARG) << "no target";
    EXPECT_FALSE(std::filesystem::exists(folder / "empty.lnk"));
    EXPECT_EQ(link->SetPath(nullptr), E_INVALIDARG);
    link->SetPath("/tmp/x");
    EXPECT_EQ(file->Save((folder / "missing" / "x.lnk").string().c_str(), TRUE), STG_E_CANTSAVE);

    void* other = nullptr;
    EXPECT_EQ(CoCreateInstance(IID_IPersistFile, nullptr, CLSCTX_ALL, IID_IUnknown, &other), REGDB_E_CLASSNOTREG);
    EXPECT_EQ(other, nullptr);
    EXPECT_EQ(link->QueryInterface(IID_IDispatch, &other), E_NOINTERFACE);
    EXPECT_EQ(CoInitialize(nullptr), S_FALSE);
    CoUninitialize();
}

} // namespace

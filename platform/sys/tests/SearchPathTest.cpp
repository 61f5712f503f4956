#include "platform/sys/Library.h"
#include "platform/sys/SystemProfile.h"
#include "platform/sys/tests/TestFiles.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

TEST(SearchPath, FindsLibrariesBesideTheProgram)
{
    char buffer[MAX_PATH];
    LPSTR name = nullptr;
    DWORD length = SearchPath(nullptr, "ORDINALTEST.DLL", nullptr, sizeof buffer, buffer, &name);
    ASSERT_GT(length, 0u);
    EXPECT_EQ(length, std::strlen(buffer));
    EXPECT_STREQ(name, "libordinaltest.so");
    EXPECT_TRUE(fs::is_regular_file(buffer));
}

TEST(SearchPath, LooksInTheGivenFoldersWithTheExtension)
{
    TempFolder first;
    TempFolder second;
    WriteText(second.Path() + "/notes.txt", "x");
    std::string folders = first.Path() + ";" + second.Path();
    char buffer[MAX_PATH];
    EXPECT_EQ(SearchPath(folders.c_str(), "notes", ".txt", sizeof buffer, buffer, nullptr),
        (second.Path() + "/notes.txt").size());
    EXPECT_EQ(std::string(buffer), second.Path() + "/notes.txt");
    EXPECT_EQ(SearchPath(folders.c_str(), "notes.txt", ".doc", sizeof buffer, buffer, nullptr),
        (second.Path() + "/notes.txt").size())
        << "a name with an extension keeps it";
    char small[4];
    EXPECT_EQ(SearchPath(folders.c_str(), "notes.txt", nullptr, sizeof small, small, nullptr),
        (second.Path() + "/notes.txt").size() + 1);
    EXPECT_EQ(SearchPath(folders.c_str(), "other.txt", nullptr, sizeof buffer, buffer, nullptr), 0u);
    EXPECT_EQ(SearchPath(folders.c_str(), "", nullptr, sizeof buffer, buffer, nullptr), 0u);
}

TEST(SystemProfile, MailIsThereWhenAMailProgramIs)
{
    std::string oldPath = std::getenv("PATH");
    TempFolder bin;
    setenv("PATH", bin.Path().c_str(), 1);
    EXPECT_EQ(GetProfileInt("MAIL", "MAPI", 7), 0u);
    WriteText(bin.Path() + "/xdg-email", "#!/bin/sh\n");
    fs::permissions(bin.Path() + "/xdg-email", fs::perms::owner_all);
    EXPECT_EQ(GetProfileInt("Mail", "mapi", 0), 1u);
    EXPECT_EQ(GetProfileInt("MAIL", "Other", 7), 7u);
    EXPECT_EQ(GetProfileInt("Settings", "MAPI", 5), 5u);
    setenv("PATH", oldPath.c_str(), 1);
}

} // namespace

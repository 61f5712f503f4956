#include "platform/core/System.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <set>
#include <string>

TEST(System, TickCountAdvancesAcrossSleep)
{
    DWORD start = GetTickCount();
    Sleep(20);
    EXPECT_GE(GetTickCount() - start, 20u);
}

TEST(System, ModuleFileNameIsThisProgram)
{
    char path[MAX_PATH];
    DWORD length = GetModuleFileName(nullptr, path, sizeof path);
    ASSERT_GT(length, 0u);
    EXPECT_EQ(std::strlen(path), length);
    EXPECT_EQ(path[0], '/');
    EXPECT_NE(std::strstr(path, "platform_core_tests"), nullptr);
    char small[5];
    EXPECT_EQ(GetModuleFileName(nullptr, small, sizeof small), sizeof small);
    EXPECT_EQ(std::strlen(small), 4u);
}

TEST(System, TempFilesAreCreatedExclusively)
{
    char folder[MAX_PATH];
    DWORD length = GetTempPath(sizeof folder, folder);
    ASSERT_GT(length, 0u);
    EXPECT_EQ(folder[length - 1], '/');
    char tiny[2];
    EXPECT_EQ(GetTempPath(sizeof tiny, tiny), length + 1);

    std::set<std::string> names;
    for (int i = 0; i < 5; ++i) {
        char name[MAX_PATH];
        UINT number = GetTempFileName(folder, "vantrel", 0, name);
        ASSERT_NE(number, 0u);
        EXPECT_NE(std::strstr(name, "/van"), nullptr) << name;
        EXPECT_EQ(std::strstr(name, "vant"), nullptr) << name;
        EXPECT_EQ(_access(name, 0), 0) << name;
        names.insert(name);
    }
    EXPECT_EQ(names.size(), 5u);
    for (const std::string& name : names)
        EXPECT_EQ(std::remove(name.c_str()), 0);

    char named[MAX_PATH];
    EXPECT_EQ(GetTempFileName("/no/such/folder", "x", 0, named), 0u);
    EXPECT_EQ(GetTempFileName("/no/such/folder", "x", 0x12AB, named), 0x12ABu);
    EXPECT_STREQ(named, "/no/such/folder/x12AB.tmp");
}

TEST(System, FoldersAndAttributes)
{
    char cwd[MAX_PATH];
    ASSERT_NE(_getcwd(cwd, sizeof cwd), nullptr);
    char tiny[2];
    errno = 0;
    EXPECT_EQ(_getcwd(tiny, sizeof tiny), nullptr);
    EXPECT_EQ(errno, ERANGE);

    char folder[MAX_PATH];
    GetTempPath(sizeof folder, folder);
    std::string dir = std::string(folder) + "vantrel_sys_" + std::to_string(GetTickCount64());
    std::string windowsStyle = dir + "\\.inner";
    ASSERT_EQ(_mkdir(dir.c_str()), 0);
    EXPECT_EQ(_mkdir(dir.c_str()), -1);
    ASSERT_EQ(_mkdir(windowsStyle.c_str()), 0);
    EXPECT_EQ(GetFileAttributes(dir.c_str()), FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(GetFileAttributes(windowsStyle.c_str()), FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN);
    std::string file = dir + "/plain.txt";
    std::fclose(std::fopen(file.c_str(), "w"));
    EXPECT_EQ(GetFileAttributes(file.c_str()), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(_access(file.c_str(), 6), 0);
    EXPECT_EQ(GetFileAttributes((dir + "/missing").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(_access((dir + "/missing").c_str(), 0), -1);

    ASSERT_EQ(_chdir(windowsStyle.c_str()), 0);
    char inside[MAX_PATH];
    ASSERT_NE(_getcwd(inside, sizeof inside), nullptr);
    EXPECT_NE(std::strstr(inside, "/.inner"), nullptr);
    EXPECT_EQ(_chdir(cwd), 0);
    EXPECT_EQ(_rmdir(dir.c_str()), -1); // not empty
    EXPECT_EQ(std::remove(file.c_str()), 0);
    EXPECT_EQ(_rmdir(windowsStyle.c_str()), 0);
    EXPECT_EQ(_rmdir(dir.c_str()), 0);
}

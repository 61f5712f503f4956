#include "platform/core/SplitPath.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

TEST(SplitPath, SplitTable)
{
    struct Case { const char* path; const char* drive; const char* dir; const char* fname; const char* ext; };
    const Case cases[] = {
        { "C:\\Data\\Projects\\a.b.trn", "C:", "\\Data\\Projects\\", "a.b", ".trn" },
        { "/home/user/notes.txt", "", "/home/user/", "notes", ".txt" },
        { "mixed\\sub/file", "", "mixed\\sub/", "file", "" },
        { "file.", "", "", "file", "." },
        { ".hidden", "", "", "", ".hidden" },
        { "/dir.with.dot/", "", "/dir.with.dot/", "", "" },
        { "", "", "", "", "" },
        { "1:x", "", "", "1:x", "" },
    };
    for (const Case& c : cases) {
        char drive[_MAX_DRIVE], dir[_MAX_DIR], fname[_MAX_FNAME], ext[_MAX_EXT];
        _splitpath(c.path, drive, dir, fname, ext);
        EXPECT_STREQ(drive, c.drive) << c.path;
        EXPECT_STREQ(dir, c.dir) << c.path;
        EXPECT_STREQ(fname, c.fname) << c.path;
        EXPECT_STREQ(ext, c.ext) << c.path;
    }
    char fname[_MAX_FNAME];
    _splitpath("/a/b.c", nullptr, nullptr, fname, nullptr);
    EXPECT_STREQ(fname, "b");
}

TEST(SplitPath, LongNamesAreCut)
{
    std::string longName = "/" + std::string(400, 'n') + "." + std::string(300, 'e');
    char dir[_MAX_DIR], fname[_MAX_FNAME], ext[_MAX_EXT];
    _splitpath(longName.c_str(), nullptr, dir, fname, ext);
    EXPECT_EQ(std::strlen(fname), static_cast<size_t>(_MAX_FNAME - 1));
    EXPECT_EQ(std::strlen(ext), static_cast<size_t>(_MAX_EXT - 1));
    char path[_MAX_PATH];
    _makepath(path, nullptr, "/tmp", longName.c_str() + 1, "x");
    EXPECT_EQ(std::strlen(path), static_cast<size_t>(_MAX_PATH - 1));
}

TEST(SplitPath, MakeTable)
{
    struct Case { const char* drive; const char* dir; const char* fname; const char* ext; const char* path; };
    const Case cases[] = {
        { "C:", "\\Data", "a", "trn", "C:\\Data\\a.trn" },
        { nullptr, "/home/u/", "b", ".txt", "/home/u/b.txt" },
        { "", "", "c", nullptr, "c" },
        { nullptr, "rel", "d", "", "rel/d" },
    };
    for (const Case& c : cases) {
        char path[_MAX_PATH];
        _makepath(path, c.drive, c.dir, c.fname, c.ext);
        EXPECT_STREQ(path, c.path);
    }
}

#include "platform/sys/AtomicFile.h"
#include "platform/sys/FileCopy.h"
#include "platform/sys/tests/TestFiles.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

TEST(FileCopy, CopiesAndRespectsAnExistingTarget)
{
    TempFolder temp;
    const std::string source = temp.Path() + "/a.trn";
    const std::string target = temp.Path() + "/Copy of a.trn";
    std::string content("bin\0ary\xFF", 8);
    WriteText(source, content);

    struct Case { bool targetExists; BOOL failIfExists; BOOL result; const char* targetAfter; };
    const Case cases[] = {
        { false, TRUE, TRUE, nullptr }, { true, TRUE, FALSE, "old" }, { true, FALSE, TRUE, nullptr },
        { false, FALSE, TRUE, nullptr },
    };
    for (const Case& c : cases) {
        std::remove(target.c_str());
        if (c.targetExists)
            WriteText(target, "old");
        EXPECT_EQ(CopyFile(source.c_str(), target.c_str(), c.failIfExists), c.result);
        EXPECT_EQ(ReadText(target), c.targetAfter ? std::string(c.targetAfter) : content);
    }
    std::string windowsStyle = temp.Path() + "\\a.trn";
    EXPECT_TRUE(CopyFile(windowsStyle.c_str(), (temp.Path() + "\\b.trn").c_str(), TRUE));
    EXPECT_EQ(ReadText(temp.Path() + "/b.trn"), content);
}

TEST(FileCopy, FailuresKeepTheTarget)
{
    TempFolder temp;
    const std::string target = temp.Path() + "/t.trn";
    WriteText(target, "old");
    EXPECT_FALSE(CopyFile((temp.Path() + "/missing").c_str(), target.c_str(), FALSE));
    EXPECT_FALSE(CopyFile(temp.Path().c_str(), target.c_str(), FALSE)); // a folder
    EXPECT_FALSE(CopyFile(nullptr, target.c_str(), FALSE));
    WriteText(temp.Path() + "/s", "new");
    SetAtomicWriteHook([](const std::string&) { return false; });
    EXPECT_FALSE(CopyFile((temp.Path() + "/s").c_str(), target.c_str(), FALSE));
    SetAtomicWriteHook(nullptr);
    EXPECT_EQ(ReadText(target), "old");
}

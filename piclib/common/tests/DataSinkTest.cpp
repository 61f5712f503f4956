#include "ErrorCode.h"
#include "TempFolder.h"

#include "piclib/common/PLFileAccess.h"
#include "piclib/common/PLFileSink.h"
#include "piclib/common/PLMemSink.h"
#include "piclib/common/PLTextException.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <optional>
#include <filesystem>

namespace {

TEST(MemSink, ExactFillSucceedsOneMoreByteOverflows)
{
    PLMemSink sink;
    ASSERT_EQ(sink.Open("mem", 4), 0);
    EXPECT_EQ(sink.WriteBytes(3, "abc"), 3);
    EXPECT_EQ(sink.WriteBytes(1, "d"), 1);
    EXPECT_EQ(ErrorCodeOf([&] { sink.WriteBytes(1, "e"); }), PL_ERREND_OF_FILE);
    EXPECT_EQ(sink.GetDataSize(), 4);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(sink.GetBytes()), 4), "abcd");
}

TEST(MemSink, OverflowWritesNothing)
{
    PLMemSink sink;
    ASSERT_EQ(sink.Open("mem", 4), 0);
    sink.WriteBytes(2, "ab");
    try {
        sink.WriteBytes(3, "xyz");
        FAIL();
    } catch (const PLTextException& e) {
        EXPECT_STREQ(e.GetText(), "Buffer overflow while encoding.\n");
    }
    EXPECT_EQ(sink.GetDataSize(), 2);
    EXPECT_EQ(sink.GetBytes()[2], 0);
}

TEST(MemSink, ClosedSinkHasNoBytes)
{
    PLMemSink sink;
    EXPECT_EQ(ErrorCodeOf([&] { sink.GetBytes(); }), PL_ERRINTERNAL);
    ASSERT_EQ(sink.Open(L"wide", 8), 0);
    EXPECT_STREQ(sink.GetName(), "Wide");
    sink.Close();
    EXPECT_EQ(ErrorCodeOf([&] { sink.GetBytes(); }), PL_ERRINTERNAL);
    EXPECT_EQ(ErrorCodeOf([&] { sink.WriteBytes(1, "x"); }), PL_ERREND_OF_FILE);
    EXPECT_EQ(sink.Open("none", 0), -1);
}

TEST(FileSink, KeepsExactlyTheBytesWritten)
{
    TempFolder folder;
    const std::string path = folder.Write("out.bin", "old contents");
    PLFileSink sink;
    ASSERT_EQ(sink.Open(path.c_str(), 100000), 0);
    sink.WriteBytes(1234, std::string(1234, 'z').data());
    EXPECT_EQ(ReadFile(path), "old contents");
    sink.Close();
    EXPECT_EQ(std::filesystem::file_size(path), 1234u);
    EXPECT_EQ(ReadFile(path), std::string(1234, 'z'));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path("")), {}), 1);
}

TEST(FileSink, AbandonedSinkLeavesTheOldFile)
{
    TempFolder folder;
    const std::string path = folder.Write("out.bin", "old");
    {
        PLFileSink sink;
        ASSERT_EQ(sink.Open(path.c_str(), 100), 0);
        sink.WriteBytes(5, "fresh");
        EXPECT_EQ(ErrorCodeOf([&] { sink.WriteBytes(96, std::string(96, 'x').data()); }), PL_ERREND_OF_FILE);
    }
    EXPECT_EQ(ReadFile(path), "old");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path("")), {}), 1);
}

TEST(FileSink, OpeningErrorCodes)
{
    TempFolder folder;
    struct Case {
        const char* what;
        std::string path;
        int injectedErrno;
        int maxSize;
        int expected;
    };
    const Case cases[] = {
        {"missing folder", folder.Path("none/out.bin"), 0, 10, PL_ERRPATH_NOT_FOUND},
        {"access denied", folder.Path("out.bin"), EACCES, 10, PL_ERRACCESS_DENIED},
        {"in use", folder.Path("out.bin"), EBUSY, 10, PL_ERRACCESS_DENIED},
        {"other", folder.Path("out.bin"), ENOSPC, 10, PL_ERRFILE_NOT_FOUND},
        {"no size to map", folder.Path("out.bin"), 0, 0, PL_ERRACCESS_DENIED},
    };
    for (const Case& c : cases) {
        std::optional<FailingOpen> inject;
        if (c.injectedErrno)
            inject.emplace(c.injectedErrno);
        PLFileSink sink;
        EXPECT_EQ(sink.Open(c.path.c_str(), c.maxSize), c.expected) << c.what;
        EXPECT_FALSE(sink.IsOpen());
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path("")), {}), 0);
}

} // namespace

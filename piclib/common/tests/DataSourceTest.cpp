#include "ErrorCode.h"
#include "TempFolder.h"

#include "piclib/common/PLFileAccess.h"
#include "piclib/common/PLFileSource.h"
#include "piclib/common/PLIProgressNotification.h"
#include "piclib/common/PLMemSource.h"
#include "piclib/common/PLTextException.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <optional>
#include <vector>

namespace {

struct Recorder : PLIProgressNotification {
    std::vector<double> parts;
    void OnProgress(double part) override { parts.push_back(part); }
};

TEST(MemSource, ReadsToTheExactEndAndNoFurther)
{
    const uint8_t data[5] = {1, 2, 3, 4, 5};
    PLMemSource source;
    ASSERT_EQ(source.OpenSource(data, 5), 0);
    EXPECT_STREQ(source.GetName(), "Mem");
    EXPECT_EQ(source.PeekBytes(5), data);
    EXPECT_EQ(ErrorCodeOf([&] { source.PeekBytes(6); }), PL_ERREND_OF_FILE);
    EXPECT_EQ(source.ReadBytes(2), data);
    EXPECT_EQ(source.GetCurrentPointer(), data + 2);
    EXPECT_EQ(source.GetBytesLeft(), 3);
    EXPECT_EQ(ErrorCodeOf([&] { source.ReadBytes(4); }), PL_ERREND_OF_FILE);
    EXPECT_EQ(ErrorCodeOf([&] { source.ReadBytes(-1); }), PL_ERREND_OF_FILE);
    EXPECT_EQ(source.ReadBytes(3), data + 2);
    EXPECT_EQ(ErrorCodeOf([&] { source.ReadBytes(1); }), PL_ERREND_OF_FILE);
    try {
        source.ReadBytes(1);
    } catch (const PLTextException& e) {
        EXPECT_STREQ(e.GetText(), "End of file reached while decoding.\n");
    }
}

TEST(MemSource, LittleEndianReaders)
{
    const uint8_t data[6] = {0x34, 0x12, 0x78, 0x56, 0x34, 0x12};
    PLMemSource source;
    source.OpenSource(data, 6);
    EXPECT_EQ(source.ReadWordLE(), 0x1234);
    EXPECT_EQ(source.ReadDWordLE(), 0x12345678u);
}

TEST(DataSource, ProgressAtEveryKilobyteAndOnClose)
{
    std::vector<uint8_t> data(4096);
    Recorder progress;
    TempFolder folder;
    const std::string path = folder.Write("p.bin", std::string(4096, 'x'));
    PLFileSource source(&progress);
    ASSERT_EQ(source.OpenSource(path.c_str()), 0);
    source.ReadBytes(1000);
    source.ReadBytes(100);
    source.ReadBytes(900);
    source.ReadBytes(100);
    source.Close();
    EXPECT_EQ(progress.parts, (std::vector<double>{1100 / 4096.0, 2100 / 4096.0, 1.0}));
}

TEST(FileSource, MapsTheFileAndNamesIt)
{
    TempFolder folder;
    const std::string path = folder.Write("a.bin", "abc");
    PLFileSource source;
    ASSERT_EQ(source.OpenSource(path.c_str()), 0);
    EXPECT_EQ(source.GetFileSize(), 3);
    EXPECT_STREQ(source.GetName(), path.c_str());
    EXPECT_EQ(source.ReadBytes(3)[2], 'c');
    EXPECT_EQ(ErrorCodeOf([&] { source.ReadBytes(1); }), PL_ERREND_OF_FILE);
    source.Close();
    EXPECT_EQ(source.GetName(), nullptr);

    const std::wstring wide(path.begin(), path.end());
    PLFileSource wideSource;
    ASSERT_EQ(wideSource.OpenSource(wide.c_str()), 0);
    EXPECT_STREQ(wideSource.GetName(), "Wide");
    EXPECT_EQ(std::wstring(wideSource.GetNameW()), wide);
}

TEST(FileSource, OpeningErrorCodes)
{
    TempFolder folder;
    const std::string empty = folder.Write("empty.bin", "");
    const std::string present = folder.Write("present.bin", "x");
    struct Case {
        const char* what;
        std::string path;
        int injectedErrno;
        int expected;
    };
    const Case cases[] = {
        {"missing file", folder.Path("missing.bin"), 0, PL_ERRFILE_NOT_FOUND},
        {"missing folder", folder.Path("nofolder/missing.bin"), 0, PL_ERRPATH_NOT_FOUND},
        {"folder is a file", present + "/x.bin", 0, PL_ERRPATH_NOT_FOUND},
        {"empty file", empty, 0, PL_ERRACCESS_DENIED},
        {"folder, not a file", folder.Path(""), 0, PL_ERRFILE_NOT_FOUND},
        {"access denied", present, EACCES, PL_ERRACCESS_DENIED},
        {"sharing violation", present, ETXTBSY, PL_ERRACCESS_DENIED},
        {"other failure", present, EIO, PL_ERRFILE_NOT_FOUND},
    };
    for (const Case& c : cases) {
        std::optional<FailingOpen> inject;
        if (c.injectedErrno)
            inject.emplace(c.injectedErrno);
        PLFileSource source;
        EXPECT_EQ(source.OpenSource(c.path.c_str()), c.expected) << c.what;
        EXPECT_FALSE(source.IsOpen()) << c.what;
    }
}

} // namespace

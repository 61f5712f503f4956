#include "platform/sys/ShellOpenRequest.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

Bytes BytesOf(const std::string& text) { return Bytes(text.begin(), text.end()); }

const Bytes kTwoFiles = BytesOf(std::string("VOPN\x02\0\0\0", 8) // magic, two files
                                + std::string("\x02\0\0\0/a", 6) // length 2, "/a"
                                + std::string("\x03\0\0\0/bc", 7)); // length 3, "/bc"

TEST(ShellOpenRequestTest, FilesAreWrittenAsCountedLengthsAndPaths)
{
    EXPECT_EQ(EncodeShellOpenRequest({ "/a", "/bc" }), kTwoFiles);
    std::vector<std::string> files;
    ASSERT_EQ(DecodeShellOpenRequest(kTwoFiles, files), ShellOpenStatus::complete);
    EXPECT_EQ(files, (std::vector<std::string> { "/a", "/bc" }));
}

TEST(ShellOpenRequestTest, EveryCutOfARequestWaitsForTheRest)
{
    std::vector<std::string> files;
    for (size_t size = 0; size < kTwoFiles.size(); ++size) {
        const Bytes cut(kTwoFiles.begin(), kTwoFiles.begin() + static_cast<std::ptrdiff_t>(size));
        EXPECT_EQ(DecodeShellOpenRequest(cut, files), ShellOpenStatus::incomplete) << size;
        EXPECT_TRUE(files.empty());
    }
}

TEST(ShellOpenRequestTest, BrokenRequestsAreRefused)
{
    const std::string longest(kMaxShellOpenPath, '/');
    const struct {
        const char* what;
        Bytes bytes;
    } cases[] = {
        { "other magic", BytesOf(std::string("VOPX\x01\0\0\0\x02\0\0\0/a", 14)) },
        { "wrong first byte", BytesOf("X") },
        { "no files", BytesOf(std::string("VOPN\0\0\0\0", 8)) },
        { "too many files", BytesOf(std::string("VOPN\x41\0\0\0", 8)) },
        { "empty path", BytesOf(std::string("VOPN\x01\0\0\0\0\0\0\0", 12)) },
        { "path too long", BytesOf(std::string("VOPN\x01\0\0\0\x01\x10\0\0", 12)) },
        { "huge length", BytesOf(std::string("VOPN\x01\0\0\0\xff\xff\xff\xff", 12)) },
        { "relative path", BytesOf(std::string("VOPN\x01\0\0\0\x02\0\0\0ab", 14)) },
        { "relative start of a path", BytesOf(std::string("VOPN\x01\0\0\0\x05\0\0\0a", 13)) },
        { "NUL in a path", BytesOf(std::string("VOPN\x01\0\0\0\x03\0\0\0/\0b", 15)) },
        { "bytes after the end", BytesOf(std::string("VOPN\x01\0\0\0\x02\0\0\0/aX", 15)) },
    };
    for (const auto& c : cases) {
        std::vector<std::string> files;
        EXPECT_EQ(DecodeShellOpenRequest(c.bytes, files), ShellOpenStatus::invalid) << c.what;
        EXPECT_TRUE(files.empty()) << c.what;
    }
    std::vector<std::string> files;
    Bytes longestPath = EncodeShellOpenRequest({ longest });
    ASSERT_FALSE(longestPath.empty());
    EXPECT_EQ(DecodeShellOpenRequest(longestPath, files), ShellOpenStatus::complete);
    longestPath.resize(kMaxShellOpenRequest + 1, '/');
    EXPECT_EQ(DecodeShellOpenRequest(longestPath, files), ShellOpenStatus::invalid);
}

TEST(ShellOpenRequestTest, FilesThatCannotBeSentGiveNoRequest)
{
    const std::vector<std::string> cases[] = {
        {},
        { "relative.trn" },
        { "/a", "" },
        { std::string("/a\0b", 4) },
        { "/" + std::string(kMaxShellOpenPath, 'a') },
        std::vector<std::string>(kMaxShellOpenFiles + 1, "/a"),
    };
    for (const auto& files : cases)
        EXPECT_TRUE(EncodeShellOpenRequest(files).empty()) << files.size();
    EXPECT_FALSE(EncodeShellOpenRequest(std::vector<std::string>(kMaxShellOpenFiles, "/a")).empty());
}

} // namespace

#include "platform/sys/ShellOpenSocket.h"

#include "platform/sys/ShellOpenRequest.h"
#include "platform/sys/XdgFolders.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <thread>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

// A socket bound at `path`; listening, or closed at once as a crashed program leaves it.
int BoundSocket(const std::string& path, bool listening)
{
    sockaddr_un address {};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.c_str(), sizeof(address.sun_path) - 1);
    const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    EXPECT_EQ(bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)), 0);
    if (listening) {
        EXPECT_EQ(listen(fd, 1), 0);
        return fd;
    }
    close(fd);
    return -1;
}

// Takes one connection, reads the request and answers with `answer` (none when 0).
std::string Serve(int server, char answer)
{
    const int client = accept(server, nullptr, nullptr);
    std::vector<uint8_t> bytes;
    std::vector<std::string> files;
    char chunk[256];
    ssize_t n = 0;
    while (DecodeShellOpenRequest(bytes, files) == ShellOpenStatus::incomplete && (n = recv(client, chunk, sizeof chunk, 0)) > 0)
        bytes.insert(bytes.end(), chunk, chunk + n);
    if (answer != 0)
        send(client, &answer, 1, MSG_NOSIGNAL);
    close(client);
    return std::string(bytes.begin(), bytes.end());
}

class ShellOpenSocketTest : public ::testing::Test {
protected:
    TempFolder folder;
    const std::string socket = folder.Path() + "/Vantrel.open";
};

TEST_F(ShellOpenSocketTest, TheRunningProgramGetsTheFilesAndAnswers)
{
    const int server = BoundSocket(socket, true);
    std::string received;
    std::thread running([&] { received = Serve(server, kShellOpenAccepted); });
    EXPECT_TRUE(SendShellOpen(socket, { "/home/a.trn", "/home/b c.trn" }));
    running.join();
    const std::vector<uint8_t> expected = EncodeShellOpenRequest({ "/home/a.trn", "/home/b c.trn" });
    EXPECT_EQ(received, std::string(expected.begin(), expected.end()));
    close(server);
}

TEST_F(ShellOpenSocketTest, NothingIsHandedOverWithoutARunningProgramThatTakesIt)
{
    EXPECT_FALSE(SendShellOpen(socket, { "/a.trn" })) << "no socket";
    BoundSocket(socket, false);
    ASSERT_TRUE(std::filesystem::exists(socket));
    EXPECT_FALSE(IsSocketListening(socket)) << "a crashed program's socket";
    EXPECT_FALSE(SendShellOpen(socket, { "/a.trn" }));
    std::filesystem::remove(socket);
    const int live = BoundSocket(socket + ".live", true);
    EXPECT_TRUE(IsSocketListening(socket + ".live"));
    close(live);

    const int server = BoundSocket(socket, true);
    for (char answer : { '\0', 'X' }) {
        std::thread running([&] { Serve(server, answer); });
        EXPECT_FALSE(SendShellOpen(socket, { "/a.trn" })) << "answer " << int(answer);
        running.join();
    }
    EXPECT_FALSE(SendShellOpen(socket, { "relative.trn" })) << "nothing sendable, nothing sent";
    close(server);
}

TEST_F(ShellOpenSocketTest, TheFallbackRuntimeFolderIsTheUsersAlone)
{
    EXPECT_TRUE(IsPrivateFolder(folder.Path())); // mkdtemp makes it 0700
    chmod(folder.Path().c_str(), 0755);
    EXPECT_FALSE(IsPrivateFolder(folder.Path()));
    const std::string link = folder.Path() + "/link";
    std::filesystem::create_directory_symlink("/tmp", link);
    EXPECT_FALSE(IsPrivateFolder(link));
    EXPECT_FALSE(IsPrivateFolder(folder.Path() + "/missing"));

    const char* old = std::getenv("XDG_RUNTIME_DIR");
    const std::string saved = old ? old : "";
    setenv("XDG_RUNTIME_DIR", "relative", 1);
    const std::string fallback = RuntimeFolder();
    EXPECT_EQ(fallback.rfind("/tmp/runtime-", 0), 0u) << fallback;
    EXPECT_TRUE(IsPrivateFolder(fallback));
    setenv("XDG_RUNTIME_DIR", folder.Path().c_str(), 1);
    EXPECT_EQ(ShellOpenSocketPath("Vantrel"), socket);
    if (old)
        setenv("XDG_RUNTIME_DIR", saved.c_str(), 1);
    else
        unsetenv("XDG_RUNTIME_DIR");
}

} // namespace

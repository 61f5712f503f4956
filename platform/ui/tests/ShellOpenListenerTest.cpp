#include "platform/ui/ShellOpenListener.h"

#include "UiFixture.h"
#include "platform/sys/ShellOpenSocket.h"

#include <QCoreApplication>

#include <atomic>
#include <cstring>
#include <filesystem>
#include <thread>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

int SocketAt(const std::string& path, bool serve)
{
    sockaddr_un address {};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.c_str(), sizeof(address.sun_path) - 1);
    const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    const auto* at = reinterpret_cast<const sockaddr*>(&address);
    if (serve)
        EXPECT_TRUE(bind(fd, at, sizeof(address)) == 0 && listen(fd, 1) == 0);
    else
        EXPECT_EQ(connect(fd, at, sizeof(address)), 0);
    return fd;
}

class ShellOpenListenerTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        char pattern[] = "/tmp/vantrel_open_XXXXXX";
        folder = mkdtemp(pattern);
        socket = folder + "/Vantrel.open";
    }
    void TearDown() override
    {
        StopListeningForShellOpen();
        fs::remove_all(folder);
        UiTest::TearDown();
    }
    // Lets the listener work while `sender` runs on a thread of its own, as a second start would.
    template <typename Sender> void WhileListening(Sender sender)
    {
        std::atomic<bool> done = false;
        std::thread other([&] {
            sender();
            done = true;
        });
        while (!done)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        other.join();
        QCoreApplication::processEvents();
    }
    bool Listen()
    {
        return ListenForShellOpen(socket, [this](const std::vector<std::string>& files) { received.push_back(files); });
    }

    std::string folder;
    std::string socket;
    std::vector<std::vector<std::string>> received;
};

TEST_F(ShellOpenListenerTest, ASocketLeftByACrashIsReplacedAndRequestsArrive)
{
    close(SocketAt(socket + ".x", true)); // a bound, closed socket stays as a file
    fs::rename(socket + ".x", socket);
    ASSERT_FALSE(IsSocketListening(socket));
    ASSERT_TRUE(Listen());
    bool taken = false;
    WhileListening([&] { taken = SendShellOpen(socket, { "/home/a.trn", "/home/b.trn" }); });
    EXPECT_TRUE(taken);
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0], (std::vector<std::string> { "/home/a.trn", "/home/b.trn" }));

    StopListeningForShellOpen();
    EXPECT_FALSE(fs::exists(socket));
}

TEST_F(ShellOpenListenerTest, ARunningProgramsSocketIsLeftToIt)
{
    const int running = SocketAt(socket, true);
    EXPECT_FALSE(Listen());
    EXPECT_TRUE(IsSocketListening(socket));
    close(running);
}

TEST_F(ShellOpenListenerTest, BytesThatAreNoRequestAreDroppedUnanswered)
{
    ASSERT_TRUE(Listen());
    char answer = 0;
    ssize_t got = -1;
    WhileListening([&] {
        const int fd = SocketAt(socket, false);
        send(fd, "VOPN\x01\0\0\0\x02\0\0\0ab", 14, MSG_NOSIGNAL);
        got = recv(fd, &answer, 1, 0);
        close(fd);
    });
    EXPECT_EQ(got, 0) << "closed without an answer";
    EXPECT_TRUE(received.empty());
    bool taken = false;
    WhileListening([&] { taken = SendShellOpen(socket, { "/c.trn" }); });
    EXPECT_TRUE(taken) << "the listener goes on after a bad request";
}

} // namespace

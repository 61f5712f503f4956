#include "platform/sys/ShellOpenSocket.h"

#include "platform/sys/ShellOpenRequest.h"
#include "platform/sys/XdgFolders.h"

#include <cstring>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

// A running program answers at once; a hung one must not hold up the start for long.
constexpr int kAnswerWait = 5000;

class Connection {
public:
    explicit Connection(const std::string& path)
    {
        sockaddr_un address {};
        if (path.empty() || path.size() >= sizeof(address.sun_path))
            return;
        address.sun_family = AF_UNIX;
        std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
        fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (fd >= 0 && connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) != 0)
            Close();
    }
    ~Connection() { Close(); }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    bool IsOpen() const { return fd >= 0; }
    bool Send(const std::vector<uint8_t>& bytes) const
    {
        for (size_t sent = 0; sent < bytes.size();) {
            const ssize_t n = send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
            if (n <= 0)
                return false;
            sent += static_cast<size_t>(n);
        }
        return true;
    }
    bool Answered(char expected) const
    {
        pollfd wait { fd, POLLIN, 0 };
        char answer = 0;
        return poll(&wait, 1, kAnswerWait) == 1 && recv(fd, &answer, 1, 0) == 1 && answer == expected;
    }

private:
    void Close()
    {
        if (fd >= 0)
            close(fd);
        fd = -1;
    }
    int fd = -1;
};

} // namespace

std::string ShellOpenSocketPath(const std::string& name)
{
    const std::string folder = RuntimeFolder();
    return folder.empty() || name.empty() ? std::string() : folder + "/" + name + ".open";
}

bool IsSocketListening(const std::string& socket) { return Connection(socket).IsOpen(); }

bool SendShellOpen(const std::string& socket, const std::vector<std::string>& files)
{
    const std::vector<uint8_t> bytes = EncodeShellOpenRequest(files);
    if (bytes.empty())
        return false;
    Connection connection(socket);
    return connection.IsOpen() && connection.Send(bytes) && connection.Answered(kShellOpenAccepted);
}

#include "platform/ui/RemoteMessage.h"

#include "platform/ui/UiApi.h"

#include <QSocketNotifier>

#include <cstring>
#include <string>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

struct RemotePost {
    quint64 window;
    quint32 message;
    quint64 wParam;
    qint64 lParam;
};

constexpr UINT kFirstPrivate = WM_USER, kLastPrivate = 0x7FFF;

std::string SocketFolder()
{
    return "/tmp/vantrel-messages-" + std::to_string(getuid());
}

bool SocketAddress(DWORD processId, sockaddr_un& address)
{
    std::string path = SocketFolder() + "/" + std::to_string(processId);
    if (path.size() >= sizeof address.sun_path)
        return false;
    address = sockaddr_un{};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    return true;
}

// A folder of this user alone: an existing one owned by someone else is not used.
bool MakeSocketFolder()
{
    std::string folder = SocketFolder();
    mkdir(folder.c_str(), 0700);
    struct stat info{};
    return lstat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == getuid() &&
           (info.st_mode & 077) == 0;
}

void Relay(int socket)
{
    RemotePost post{};
    while (recv(socket, &post, sizeof post, MSG_DONTWAIT) == ssize_t(sizeof post)) {
        HWND window = reinterpret_cast<HWND>(post.window);
        if (post.message >= kFirstPrivate && post.message <= kLastPrivate && IsWindow(window))
            PostMessage(window, post.message, WPARAM(post.wParam), LPARAM(post.lParam));
    }
}

}  // namespace

BOOL ListenForRemoteMessages()
{
    static int listening = -1;
    if (listening >= 0)
        return TRUE;
    sockaddr_un address;
    if (!MakeSocketFolder() || !SocketAddress(DWORD(getpid()), address))
        return FALSE;
    int s = socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    unlink(address.sun_path);
    if (s < 0 || bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        if (s >= 0)
            close(s);
        return FALSE;
    }
    static std::string path = address.sun_path;
    std::atexit([] { unlink(path.c_str()); });
    auto* notifier = new QSocketNotifier(s, QSocketNotifier::Read);
    QObject::connect(notifier, &QSocketNotifier::activated, [s] { Relay(s); });
    listening = s;
    return TRUE;
}

BOOL PostRemoteMessage(DWORD processId, HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    sockaddr_un address;
    if (!SocketAddress(processId, address))
        return FALSE;
    int s = socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (s < 0)
        return FALSE;
    RemotePost post{quint64(reinterpret_cast<uintptr_t>(window)), message, quint64(wParam), qint64(lParam)};
    bool sent = sendto(s, &post, sizeof post, 0, reinterpret_cast<sockaddr*>(&address), sizeof address) ==
                ssize_t(sizeof post);
    close(s);
    return sent;
}

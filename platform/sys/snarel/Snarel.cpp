#include "platform/sys/snarel/Snarel.h"

#include <mutex>
#include <optional>
#include <unistd.h>

namespace {

std::mutex g_lock;
std::optional<DWORD> g_hookThread;

} // namespace

BOOL SetHook(DWORD threadId, DWORD processId)
{
    std::lock_guard guard(g_lock);
    if (processId != static_cast<DWORD>(getpid()) || g_hookThread)
        return FALSE;
    g_hookThread = threadId;
    return TRUE;
}

BOOL UnHook()
{
    std::lock_guard guard(g_lock);
    if (!g_hookThread)
        return FALSE;
    g_hookThread.reset();
    return TRUE;
}

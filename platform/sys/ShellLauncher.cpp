#include "platform/sys/ShellLauncher.h"

#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>

extern char** environ;

namespace {

struct ChildExit {
    std::mutex lock;
    std::condition_variable ended;
    bool done = false;
    int status = 0;
};

std::mutex g_launcherLock;
ShellLauncher g_launcher;

// Reaps the child on a thread of its own so that a program left running never becomes a zombie.
std::shared_ptr<ChildExit> WatchChild(pid_t pid)
{
    auto state = std::make_shared<ChildExit>();
    std::thread([pid, state] {
        int status = 0;
        while (waitpid(pid, &status, 0) < 0 && errno == EINTR) { }
        std::lock_guard guard(state->lock);
        state->done = true;
        state->status = status;
        state->ended.notify_all();
    }).detach();
    return state;
}

int AwaitExit(ChildExit& state, int milliseconds)
{
    std::unique_lock guard(state.lock);
    if (!state.ended.wait_for(
            guard, std::chrono::milliseconds(milliseconds), [&state] { return state.done; }))
        return kLaunchRunning;
    return WIFEXITED(state.status) ? WEXITSTATUS(state.status) : kLaunchFailed;
}

int Spawn(const ShellLaunch& launch)
{
    if (launch.argv.empty() || launch.argv[0].empty())
        return kLaunchNotFound;
    std::vector<char*> argv;
    for (const std::string& arg : launch.argv)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (!launch.folder.empty())
        posix_spawn_file_actions_addchdir_np(&actions, launch.folder.c_str());
    pid_t pid = 0;
    int error = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0)
        return error == ENOENT ? kLaunchNotFound : kLaunchFailed;
    std::shared_ptr<ChildExit> state = WatchChild(pid);
    return launch.waitMilliseconds > 0 ? AwaitExit(*state, launch.waitMilliseconds) : kLaunchRunning;
}

} // namespace

int LaunchProgram(const ShellLaunch& launch)
{
    ShellLauncher launcher;
    {
        std::lock_guard guard(g_launcherLock);
        launcher = g_launcher;
    }
    return launcher ? launcher(launch) : Spawn(launch);
}

void SetShellLauncher(ShellLauncher launcher)
{
    std::lock_guard guard(g_launcherLock);
    g_launcher = std::move(launcher);
}

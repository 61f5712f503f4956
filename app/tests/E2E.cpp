#include "app/tests/E2E.h"

#include <chrono>
#include <csignal>
#include <filesystem>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>
#include <thread>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace e2e {
namespace {

std::string readFile(const std::string& path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Each test's programs talk to each other alone: tests run side by side.
std::string runtimeFolder(const std::string& home, const Start& start)
{
    const std::string folder = start.runtime.empty() ? home + "/runtime" : start.runtime;
    std::filesystem::create_directories(folder);
    std::filesystem::permissions(folder, std::filesystem::perms::owner_all);
    return folder;
}

std::vector<std::string> childEnvironment(const std::string& home, const Start& start)
{
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
        std::string entry(*e);
        if (entry.rfind("QT_QPA_PLATFORM=", 0) && entry.rfind("ASAN_OPTIONS=", 0) && entry.rfind("XDG_CONFIG_HOME=", 0) &&
            entry.rfind("XDG_DATA_HOME=", 0) && entry.rfind("XDG_RUNTIME_DIR=", 0))
            env.push_back(entry);
    }
    env.push_back("XDG_RUNTIME_DIR=" + runtimeFolder(home, start));
    env.push_back("QT_QPA_PLATFORM=xcb");
    // libxkbcommon hands strndup unterminated buffers, which strict string checks reject.
    env.push_back("ASAN_OPTIONS=detect_leaks=1:abort_on_error=1");
    env.push_back("XDG_CONFIG_HOME=" + home + "/config");
    env.push_back("XDG_DATA_HOME=" + home + "/data");
    env.push_back("VANTREL_TEST_SCRIPT=" + home + "/script.txt");
    env.push_back("VANTREL_TEST_LOG=" + home + "/log.txt");
    return env;
}

// Waits for the program, killing it and everything it started at the time limit, or once
// `killNow` answers true.
int waitWithTimeout(pid_t pid, int timeoutSeconds, const std::function<bool()>& killNow, bool& killed)
{
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(timeoutSeconds);
    int status = 0;
    while (waitpid(pid, &status, WNOHANG) == 0) {
        killed = killNow && killNow();
        if (killed || std::chrono::steady_clock::now() > deadline) {
            kill(-pid, SIGKILL);
            waitpid(pid, &status, 0);
            return -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

Run runProgram(const std::string& program, const std::string& script, const std::string& home, int timeoutSeconds,
               const std::function<bool()>& killNow, const Start& start = {})
{
    std::ofstream(home + "/script.txt") << script;
    // The log tells of this run alone.
    std::filesystem::remove(home + "/log.txt");
    std::vector<std::string> env = childEnvironment(home, start);
    std::vector<char*> envp;
    for (std::string& e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    std::string xvfb = "xvfb-run", auto_ = "-a", path = program;
    std::vector<char*> argv = {xvfb.data(), auto_.data(), path.data()};
    std::vector<std::string> arguments = start.arguments;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    // Started from the test's folder: the start-up folder is where Vantrel looks for its game.
    posix_spawn_file_actions_addchdir_np(&actions, home.c_str());
    posix_spawnattr_t attr;
    posix_spawnattr_init(&attr);
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETPGROUP);
    pid_t pid = 0;
    Run run;
    if (posix_spawnp(&pid, argv[0], &actions, &attr, argv.data(), envp.data()) == 0)
        run.exitCode = waitWithTimeout(pid, timeoutSeconds, killNow, run.killed);
    posix_spawnattr_destroy(&attr);
    posix_spawn_file_actions_destroy(&actions);
    run.log = readFile(home + "/log.txt");
    return run;
}

#ifdef VANTREL_PROGRAM
// A user who has seen the tips: the tip of the day would wait for a person at start-up.
void skipTips(const std::string& home)
{
    std::filesystem::create_directories(home + "/config/Korvane");
    std::ofstream(home + "/config/Korvane/Vantrel Q8.ini", std::ios::app) << "[Tip]\nStartUp=0\n";
}
#endif

} // namespace

std::string TempFolder()
{
    char pattern[] = "/tmp/vantrel-e2e-XXXXXX";
    const char* made = mkdtemp(pattern);
    return made ? made : "";
}

bool CanRun() { return std::system("command -v xvfb-run >/dev/null 2>&1") == 0; }

#ifdef VANTREL_PROGRAM
Run RunVantrel(const std::string& script, const std::string& home, int timeoutSeconds)
{
    skipTips(home);
    return RunProgram(VANTREL_PROGRAM, script, home, timeoutSeconds);
}

Run RunVantrelWith(const std::string& script, const std::string& home, const Start& start, int timeoutSeconds)
{
    skipTips(home);
    return runProgram(VANTREL_PROGRAM, script, home, timeoutSeconds, nullptr, start);
}

Run RunVantrelKilledAt(const std::string& script, const std::string& home, const std::string& logText,
                       int timeoutSeconds)
{
    const std::string log = home + "/log.txt";
    return RunVantrelKilledWhen(
        script, home, [&] { return readFile(log).find(logText) != std::string::npos; }, timeoutSeconds);
}

Run RunVantrelKilledWhen(const std::string& script, const std::string& home, const std::function<bool()>& killNow,
                         int timeoutSeconds)
{
    skipTips(home);
    return runProgram(VANTREL_PROGRAM, script, home, timeoutSeconds, killNow);
}
#endif

Run RunProgram(const std::string& program, const std::string& script, const std::string& home, int timeoutSeconds)
{
    return runProgram(program, script, home, timeoutSeconds, nullptr);
}

} // namespace e2e

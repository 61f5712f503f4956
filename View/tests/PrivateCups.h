// A print server of the test's own: cupsd in the foreground, a child of the test, with its
// configuration, spool and logs in a temporary folder and a socket there to listen on. Its
// queues are raw and hand each job to a small backend that writes the job to a file (and
// the number of copies asked beside it). The client library is pointed at it through
// CUPS_SERVER; the server is stopped and its folder removed at the end.
#pragma once

#include <cups/cups.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <signal.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

class PrivateCups {
public:
    PrivateCups()
    {
        char folder[] = "/tmp/vcups-XXXXXX";
        if (!mkdtemp(folder)) {
            m_error = "no temporary folder";
            return;
        }
        m_folder = folder;
        ::chmod(folder, 0755);
        if (access("/usr/sbin/cupsd", X_OK) != 0) {
            m_error = "cupsd is not installed";
            return;
        }
        if (!WriteConfiguration())
            return;
        Start();
    }

    ~PrivateCups()
    {
        if (m_pid > 0) {
            ::kill(m_pid, SIGTERM);
            int status = 0;
            ::waitpid(m_pid, &status, 0);
        }
        cupsSetServer(nullptr);
        if (m_hadServer)
            ::setenv("CUPS_SERVER", m_oldServer.c_str(), 1);
        else
            ::unsetenv("CUPS_SERVER");
        std::error_code ignored;
        if (!m_folder.empty())
            std::filesystem::remove_all(m_folder, ignored);
    }

    PrivateCups(const PrivateCups&) = delete;
    PrivateCups& operator=(const PrivateCups&) = delete;

    bool Running() const { return m_error.empty(); }
    const std::string& Error() const { return m_error; }
    std::string Folder() const { return m_folder.string(); }

    // A raw queue whose jobs land in Output(name).
    bool AddQueue(const std::string& name)
    {
        const std::string command = "lpadmin -p '" + name + "' -E -v 'capture:" + Output(name) +
                                    "' -m raw >/dev/null 2>&1";
        return std::system(command.c_str()) == 0;
    }

    std::string Output(const std::string& queue) const { return (m_folder / "jobs" / (queue + ".out")).string(); }

    // The copies the last job of the queue asked for, once a job has arrived (0 before).
    int Copies(const std::string& queue) const
    {
        std::ifstream in(Output(queue) + ".copies");
        int copies = 0;
        in >> copies;
        return copies;
    }

    // Waits for the queue's next job to arrive; false when none came within a minute.
    bool WaitForJob(const std::string& queue) const
    {
        for (int i = 0; i < 600; ++i) {
            if (std::filesystem::exists(Output(queue)))
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        return false;
    }

    // Gives the server time to take a job it might have been sent; true when none arrived.
    bool NoJobArrives(const std::string& queue) const
    {
        std::this_thread::sleep_for(std::chrono::seconds(2));
        return !std::filesystem::exists(Output(queue));
    }

private:
    bool Write(const std::filesystem::path& path, const std::string& text, mode_t mode = 0644)
    {
        std::ofstream(path) << text;
        if (::chmod(path.c_str(), mode) != 0) {
            m_error = "cannot write " + path.string();
            return false;
        }
        return true;
    }

    bool WriteConfiguration()
    {
        namespace fs = std::filesystem;
        for (const char* sub : {"conf", "spool", "cache", "state", "log", "jobs", "bin/backend"})
            fs::create_directories(m_folder / sub);
        ::chmod((m_folder / "jobs").c_str(), 0777);
        // The server's own programs, and the capturing backend beside them.
        for (const char* sub : {"daemon", "filter", "notifier", "cgi-bin", "monitor", "driver"})
            if (fs::exists(fs::path("/usr/lib/cups") / sub))
                fs::create_directory_symlink(fs::path("/usr/lib/cups") / sub, m_folder / "bin" / sub);
        m_socket = (m_folder / "cups.sock").string();
        const std::string root = m_folder.string();
        return Write(m_folder / "conf/cupsd.conf",
                     "Listen " + m_socket + "\nLogLevel warn\nWebInterface No\nBrowsing No\n"
                     "DefaultAuthType None\n<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                     "<Policy default>\n  <Limit All>\n    Order deny,allow\n  </Limit>\n</Policy>\n") &&
               Write(m_folder / "conf/cups-files.conf",
                     "FileDevice Yes\nServerRoot " + root + "/conf\nServerBin " + root + "/bin\nRequestRoot " + root +
                         "/spool\nCacheDir " + root + "/cache\nStateDir " + root + "/state\nTempDir " + root +
                         "/spool\nErrorLog " + root + "/log/error_log\nAccessLog " + root +
                         "/log/access_log\nPageLog " + root + "/log/page_log\n") &&
               // Run as root (mode 0700), so it may write where the test asks.
               Write(m_folder / "bin/backend/capture",
                     "#!/bin/sh\n[ $# -eq 0 ] && { echo 'file capture \"Unknown\" \"Capture\"'; exit 0; }\n"
                     "out=\"${DEVICE_URI#capture:}\"\necho \"$4\" > \"$out.copies\"\n"
                     "if [ -n \"$6\" ]; then cat \"$6\" > \"$out.part\"; else cat > \"$out.part\"; fi\n"
                     "mv \"$out.part\" \"$out\"\n",
                     0700);
    }

    void Start()
    {
        const std::string conf = (m_folder / "conf/cupsd.conf").string();
        const std::string files = (m_folder / "conf/cups-files.conf").string();
        m_pid = ::fork();
        if (m_pid == 0) {
            const std::string log = (m_folder / "log/cupsd.out").string();
            if (FILE* out = std::freopen(log.c_str(), "w", stdout))
                ::dup2(fileno(out), 2);
            ::execl("/usr/sbin/cupsd", "cupsd", "-f", "-c", conf.c_str(), "-s", files.c_str(), nullptr);
            ::_exit(127);
        }
        if (m_pid < 0) {
            m_error = "cannot start cupsd";
            return;
        }
        if (const char* old = std::getenv("CUPS_SERVER")) {
            m_hadServer = true;
            m_oldServer = old;
        }
        ::setenv("CUPS_SERVER", m_socket.c_str(), 1);
        cupsSetServer(m_socket.c_str());
        for (int i = 0; i < 100; ++i) {
            int status = 0;
            if (::waitpid(m_pid, &status, WNOHANG) == m_pid) {
                m_pid = -1;
                m_error = "cupsd ended at its start";
                return;
            }
            if (std::filesystem::exists(m_socket) && std::system("lpstat -r 2>/dev/null | grep -q 'scheduler is running'") == 0)
                return;
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        m_error = "cupsd did not answer";
    }

    std::filesystem::path m_folder;
    std::string m_socket;
    std::string m_error;
    std::string m_oldServer;
    bool m_hadServer = false;
    pid_t m_pid = -1;
};

// Opening a document while the program runs: a second start hands its documents to the
// running program and ends, and a socket a crashed program left does not stop a start.
#include "app/tests/E2E.h"
#include "app/tests/RoadTest.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

namespace {

namespace fs = std::filesystem;

class ShellOpenRoadTest : public e2e::RoadTest {
protected:
    void SetUp() override
    {
        e2e::RoadTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        const fs::path notes = fs::path(VANTREL_SOURCE) / "res/data/Notes";
        fs::copy_file(notes / "Meeting notes.trn", Path("first.trn"));
        fs::copy_file(notes / "Weekly plan.trn", Path("second.trn"));
    }
    static std::string Read(const std::string& path)
    {
        std::ifstream in(path);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    // The documents the program of `home` had open last, most recent first.
    static std::string RecentFiles(const std::string& home)
    {
        const std::string settings = Read(home + "/config/Korvane/Vantrel Q8.ini");
        const size_t section = settings.find("[Recent File List]");
        return section == std::string::npos ? std::string() : settings.substr(section);
    }
};

TEST_F(ShellOpenRoadTest, ASecondStartOpensItsDocumentInTheRunningProgram)
{
    e2e::Run running;
    std::thread first([&] {
        running = e2e::RunVantrelWith("wait 300\nwait 20000\nscreenshot " + Path("both.png") + "\nquit\n", home,
                                      { { Path("first.trn") }, {} });
    });
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (Read(Path("log.txt")).find("step: wait 20000") == std::string::npos
           && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));

    // The second start has settings of its own but the user's runtime folder, and names its
    // document from the folder it was started in.
    const std::string other = e2e::TempFolder();
    fs::rename(Path("second.trn"), other + "/second.trn");
    const e2e::Run second = e2e::RunVantrelWith("wait 300\nquit\n", other, { { "second.trn" }, Path("runtime") });
    first.join();

    EXPECT_EQ(second.exitCode, 0) << second.log;
    EXPECT_EQ(second.log, "") << "the second start ended before it showed anything";
    EXPECT_EQ(RecentFiles(other), "");
    ASSERT_EQ(running.exitCode, 0) << running.log;
    EXPECT_EQ(running.log.find("error"), std::string::npos) << running.log;
    const std::string recent = RecentFiles(home);
    EXPECT_NE(recent.find("File1=" + other + "/second.trn\n"), std::string::npos) << recent;
    EXPECT_NE(recent.find("File2=" + Path("first.trn") + "\n"), std::string::npos) << recent;
    EXPECT_FALSE(fs::exists(Path("runtime/Vantrel.open"))) << "the socket goes with the program";
    fs::remove_all(other);
}

TEST_F(ShellOpenRoadTest, AStartAfterACrashOpensItsDocumentItself)
{
    const e2e::Run crashed = e2e::RunVantrelKilledAt("wait 300\nwait 60000\n", home, "step: wait 60000");
    ASSERT_TRUE(crashed.killed) << crashed.log;
    ASSERT_TRUE(fs::is_socket(Path("runtime/Vantrel.open"))) << "the crash left its socket";

    const e2e::Run next = e2e::RunVantrelWith("wait 300\nquit\n", home, { { Path("first.trn") }, {} });
    ASSERT_EQ(next.exitCode, 0) << next.log;
    EXPECT_NE(next.log.find("step: quit"), std::string::npos) << next.log;
    EXPECT_NE(RecentFiles(home).find("File1=" + Path("first.trn") + "\n"), std::string::npos) << RecentFiles(home);
}

} // namespace

#include "platform/sys/Shell.h"

#include "platform/sys/ShellLauncher.h"
#include "platform/sys/tests/TestFiles.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <thread>

namespace fs = std::filesystem;

namespace {

void MakeProgram(const std::string& path, const std::string& script)
{
    WriteText(path, "#!/bin/sh\n" + script);
    fs::permissions(path, fs::perms::owner_all);
}

int Code(HINSTANCE result)
{
    return static_cast<int>(reinterpret_cast<uintptr_t>(result));
}

// Records every launch and answers with a chosen exit code.
class ShellExecuteTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        WriteText(m_folder.Path() + "/plan.trn", "x");
        fs::create_directory(m_folder.Path() + "/sub");
        MakeProgram(m_folder.Path() + "/tool", "exit 0\n");
        SetShellLauncher([this](const ShellLaunch& launch) {
            m_launches.push_back(launch);
            return m_answer;
        });
    }
    void TearDown() override { SetShellLauncher({}); }

    std::string Path(const std::string& name) const { return m_folder.Path() + "/" + name; }

    TempFolder m_folder;
    std::vector<ShellLaunch> m_launches;
    int m_answer = 0;
};

TEST_F(ShellExecuteTest, DocumentsFoldersAndAddressesGoToTheDesktopHandler)
{
    struct Case {
        const char* verb;
        std::string file;
        std::string target;
    };
    const Case cases[] = {
        { "open", Path("plan.trn"), Path("plan.trn") },
        { "OPEN", Path("plan.trn"), Path("plan.trn") },
        { nullptr, Path("sub"), Path("sub") },
        { "explore", Path("sub"), Path("sub") },
        { "open", "https://example.org/a b", "https://example.org/a b" },
        { "open", "mailto:someone@example.org", "mailto:someone@example.org" },
    };
    for (const Case& c : cases) {
        m_launches.clear();
        EXPECT_EQ(Code(ShellExecute(nullptr, c.verb, c.file.c_str(), nullptr, nullptr, 5)), kShellSuccess)
            << c.file;
        ASSERT_EQ(m_launches.size(), 1u) << c.file;
        EXPECT_EQ(m_launches[0].argv, (std::vector<std::string> { "xdg-open", c.target }));
        EXPECT_GT(m_launches[0].waitMilliseconds, 0);
    }
}

TEST_F(ShellExecuteTest, RelativeNamesAndBackslashesResolveInTheGivenFolder)
{
    EXPECT_EQ(Code(ShellExecute(nullptr, "open", "plan.trn", "", m_folder.Path().c_str(), 5)), kShellSuccess);
    std::string backslashName = m_folder.Path() + "\\plan.trn";
    EXPECT_EQ(Code(ShellExecute(nullptr, "open", backslashName.c_str(), "", "", 5)), kShellSuccess);
    ASSERT_EQ(m_launches.size(), 2u);
    EXPECT_EQ(m_launches[0].argv[1], Path("plan.trn"));
    EXPECT_EQ(m_launches[1].argv[1], Path("plan.trn"));
}

TEST_F(ShellExecuteTest, ProgramsStartWithTheirArgumentsInTheirFolder)
{
    EXPECT_EQ(
        Code(ShellExecute(nullptr, "open", "tool.exe", "-x \"two words\" ;rm", m_folder.Path().c_str(), 5)),
        kShellSuccess);
    ASSERT_EQ(m_launches.size(), 1u);
    EXPECT_EQ(m_launches[0].argv, (std::vector<std::string> { Path("tool"), "-x", "two words", ";rm" }));
    EXPECT_EQ(m_launches[0].folder, m_folder.Path());
    EXPECT_EQ(m_launches[0].waitMilliseconds, 0);
}

TEST_F(ShellExecuteTest, FailuresGiveTheirCodesAndLaunchNothing)
{
    struct Case {
        const char* verb;
        std::string file;
        std::string folder;
        int code;
    };
    const Case cases[] = {
        { "open", Path("missing.trn"), "", SE_ERR_FNF },
        { "open", Path("nofolder/plan.trn"), "", SE_ERR_PNF },
        { "open", "plan.trn", Path("nofolder"), SE_ERR_PNF },
        { "open", "", "", SE_ERR_FNF },
        { "print", Path("plan.trn"), "", SE_ERR_NOASSOC },
        { "explore", Path("plan.trn"), "", SE_ERR_NOASSOC },
    };
    for (const Case& c : cases)
        EXPECT_EQ(Code(ShellExecute(nullptr, c.verb, c.file.c_str(), nullptr, c.folder.c_str(), 5)), c.code)
            << c.file;
    EXPECT_TRUE(m_launches.empty());
}

TEST_F(ShellExecuteTest, TheHandlersAnswerBecomesTheResult)
{
    const std::pair<int, int> cases[] = {
        { 0, kShellSuccess },
        { kLaunchRunning, kShellSuccess },
        { 2, SE_ERR_FNF },
        { 3, SE_ERR_NOASSOC },
        { 4, SE_ERR_NOASSOC },
        { kLaunchNotFound, SE_ERR_NOASSOC },
    };
    for (auto [answer, code] : cases) {
        m_answer = answer;
        EXPECT_EQ(Code(ShellExecute(nullptr, "open", Path("plan.trn").c_str(), nullptr, nullptr, 5)), code)
            << answer;
    }
}

TEST_F(ShellExecuteTest, WinExecStartsOnlyPrograms)
{
    std::string line = "\"" + Path("tool.exe") + "\" level 3";
    EXPECT_GT(WinExec(line.c_str(), 5), 31u);
    ASSERT_EQ(m_launches.size(), 1u);
    EXPECT_EQ(m_launches[0].argv, (std::vector<std::string> { Path("tool"), "level", "3" }));
    EXPECT_EQ(WinExec(Path("Game.exe").c_str(), 5), static_cast<UINT>(SE_ERR_FNF));
    EXPECT_EQ(WinExec(Path("plan.trn").c_str(), 5), static_cast<UINT>(ERROR_BAD_FORMAT));
    EXPECT_EQ(m_launches.size(), 1u);
}

// The real launcher, with stand-ins for the desktop's tools first on PATH.
class DesktopHandlerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_oldPath = std::getenv("PATH");
        setenv("PATH", (m_bin.Path() + ":" + m_oldPath).c_str(), 1);
        WriteText(m_files.Path() + "/plan.trn", "x");
    }
    void TearDown() override { setenv("PATH", m_oldPath.c_str(), 1); }

    TempFolder m_bin;
    TempFolder m_files;
    std::string m_oldPath;
};

TEST_F(DesktopHandlerTest, OpeningAFileStartsTheRegisteredHandler)
{
    std::string record = m_files.Path() + "/opened";
    MakeProgram(m_bin.Path() + "/xdg-open", "printf '%s|' \"$@\" > '" + record + "'\n");
    std::string file = m_files.Path() + "/plan.trn";
    EXPECT_EQ(Code(ShellExecute(nullptr, "open", file.c_str(), nullptr, nullptr, 5)), kShellSuccess);
    EXPECT_EQ(ReadText(record), file + "|");
}

TEST_F(DesktopHandlerTest, AHandlerThatFindsNoApplicationReportsNoAssociation)
{
    MakeProgram(m_bin.Path() + "/xdg-open", "exit 4\n");
    std::string file = m_files.Path() + "/plan.trn";
    EXPECT_EQ(Code(ShellExecute(nullptr, "open", file.c_str(), nullptr, nullptr, 5)), SE_ERR_NOASSOC);
}

TEST_F(DesktopHandlerTest, NoHandlerAtAllReportsNoAssociation)
{
    setenv("PATH", m_bin.Path().c_str(), 1);
    std::string file = m_files.Path() + "/plan.trn";
    EXPECT_EQ(Code(ShellExecute(nullptr, "open", file.c_str(), nullptr, nullptr, 5)), SE_ERR_NOASSOC);
}

TEST_F(DesktopHandlerTest, AProgramIsLeftRunning)
{
    std::string record = m_files.Path() + "/ran";
    MakeProgram(m_files.Path() + "/slow", "sleep 1; echo \"$1\" > '" + record + "'\n");
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Code(ShellExecute(nullptr, "open", "slow", "done", m_files.Path().c_str(), 5)), kShellSuccess);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(800));
    for (int i = 0; i < 100 && ReadText(record).empty(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(ReadText(record), "done\n");
}

TEST(CommandLine, SplitsAsProgramsOfThePlatformDo)
{
    const std::pair<const char*, std::vector<std::string>> cases[] = {
        { "", {} },
        { "  a  b\tc ", { "a", "b", "c" } },
        { "\"C:\\Program Files\\x.exe\" -f", { "C:\\Program Files\\x.exe", "-f" } },
        { "a\\\\\"b c\"", { "a\\b c" } },
        { "say \\\"hi\\\"", { "say", "\"hi\"" } },
        { "\"\"", { "" } },
        { "back\\slash", { "back\\slash" } },
        { "\"open", { "open" } },
    };
    for (const auto& [line, expected] : cases) {
        std::vector<std::string> parts;
        for (const CString& part : SplitCommandLine(line))
            parts.emplace_back(static_cast<LPCTSTR>(part));
        EXPECT_EQ(parts, expected) << line;
    }
}

class SpecialFolderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* name : kVariables) {
            const char* value = std::getenv(name);
            m_saved.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
        }
        setenv("HOME", m_home.Path().c_str(), 1);
        setenv("XDG_CONFIG_HOME", (m_home.Path() + "/conf").c_str(), 1);
        unsetenv("XDG_DATA_HOME");
        unsetenv("XDG_CACHE_HOME");
        fs::create_directory(m_home.Path() + "/conf");
        WriteText(m_home.Path() + "/conf/user-dirs.dirs",
            "# written by the "
            "desktop\nXDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\nXDG_MUSIC_DIR=\"/srv/music\"\n");
    }
    void TearDown() override
    {
        for (const auto& [name, value] : m_saved) {
            if (value)
                setenv(name, value->c_str(), 1);
            else
                unsetenv(name);
        }
    }

    std::string Folder(int id, BOOL create = FALSE)
    {
        char path[MAX_PATH] = "unchanged";
        return SHGetSpecialFolderPath(nullptr, path, id, create) ? path : "failed";
    }

    static constexpr const char* kVariables[]
        = { "HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME" };
    TempFolder m_home;
    std::vector<std::pair<const char*, std::optional<std::string>>> m_saved;
};

TEST_F(SpecialFolderTest, FoldersComeFromTheUserDirsAndBaseFolders)
{
    const std::string& home = m_home.Path();
    const std::pair<int, std::string> cases[] = {
        { CSIDL_DESKTOP, home + "/Schreibtisch" },
        { CSIDL_DESKTOPDIRECTORY, home + "/Schreibtisch" },
        { CSIDL_MYMUSIC, "/srv/music" },
        { CSIDL_PERSONAL, home + "/Documents" },
        { CSIDL_APPDATA, home + "/conf" },
        { CSIDL_LOCAL_APPDATA, home + "/.local/share" },
        { CSIDL_PROGRAMS, home + "/.local/share/applications" },
        { CSIDL_INTERNET_CACHE, home + "/.cache" },
        { CSIDL_PROFILE, home },
        { 0x0026, "failed" },
    };
    for (const auto& [id, expected] : cases)
        EXPECT_EQ(Folder(id), expected) << id;
}

TEST_F(SpecialFolderTest, CreateMakesAMissingFolder)
{
    std::string desktop = m_home.Path() + "/Schreibtisch";
    EXPECT_EQ(Folder(CSIDL_DESKTOP), desktop);
    EXPECT_FALSE(fs::exists(desktop));
    EXPECT_EQ(Folder(CSIDL_DESKTOP | CSIDL_FLAG_CREATE), desktop);
    EXPECT_TRUE(fs::is_directory(desktop));
    EXPECT_EQ(Folder(CSIDL_PERSONAL, TRUE), m_home.Path() + "/Documents");
    EXPECT_TRUE(fs::is_directory(m_home.Path() + "/Documents"));
}

TEST(RelativePath, FromAFileOrFolderToAFile)
{
    struct Case {
        const char* from;
        DWORD fromAttributes;
        const char* to;
        const char* expected;
    };
    const Case cases[] = {
        { "C:\\Projects\\Plan\\Plan.prj", FILE_ATTRIBUTE_NORMAL, "C:\\Projects\\Plan\\doc.trn",
            ".\\doc.trn" },
        { "C:\\Projects\\Plan\\Plan.prj", FILE_ATTRIBUTE_NORMAL, "C:\\Projects\\Other\\a.trn",
            "..\\Other\\a.trn" },
        { "c:\\Projects\\Plan\\Plan.prj", FILE_ATTRIBUTE_NORMAL, "C:\\x.trn", "..\\..\\x.trn" },
        { "/home/u/proj/p.prj", FILE_ATTRIBUTE_NORMAL, "/home/u/proj/sub/d.trn", ".\\sub\\d.trn" },
        { "/home/u/proj", FILE_ATTRIBUTE_DIRECTORY, "/home/u/proj/d.trn", ".\\d.trn" },
        { "/home/u/proj/./a/../p.prj", FILE_ATTRIBUTE_NORMAL, "/home/u/docs/d.trn", "..\\docs\\d.trn" },
        { "/home/u/Proj/p.prj", FILE_ATTRIBUTE_NORMAL, "/home/u/proj/d.trn", "..\\proj\\d.trn" },
        { "\\\\server\\share\\p.prj", FILE_ATTRIBUTE_NORMAL, "\\\\server\\share\\d\\x.trn", ".\\d\\x.trn" },
    };
    for (const Case& c : cases) {
        char path[MAX_PATH] = "";
        EXPECT_TRUE(PathRelativePathTo(path, c.from, c.fromAttributes, c.to, FILE_ATTRIBUTE_NORMAL))
            << c.from;
        EXPECT_STREQ(path, c.expected) << c.from << " -> " << c.to;
    }
}

TEST(RelativePath, DifferentRootsHaveNoRelativePath)
{
    const std::pair<const char*, const char*> cases[] = {
        { "C:\\a\\p.prj", "D:\\a\\d.trn" },
        { "\\\\one\\share\\p.prj", "\\\\two\\share\\d.trn" },
        { "/home/p.prj", "relative\\d.trn" },
    };
    for (const auto& [from, to] : cases) {
        char path[MAX_PATH] = "unchanged";
        EXPECT_FALSE(PathRelativePathTo(path, from, FILE_ATTRIBUTE_NORMAL, to, FILE_ATTRIBUTE_NORMAL))
            << from;
        EXPECT_STREQ(path, "unchanged");
    }
}

} // namespace

namespace {

TEST(ShellTarget, OnlyAddressesAndDocumentsAreSafeKinds)
{
    TempFolder folder;
    const std::string& f = folder.Path();
    WriteText(f + "/plan.trn", "x");
    WriteText(f + "/run-me", "#!/bin/sh\necho\n");
    WriteText(f + "/tool",
        "\x7f"
        "ELF");
    fs::permissions(f + "/tool", fs::perms::owner_all);
    WriteText(f + "/setup.EXE", "MZ");
    const std::pair<std::string, ShellTarget> cases[] = {
        { "https://example.org/x", ShellTarget::webAddress },
        { "HTTP://example.org", ShellTarget::webAddress },
        { "mailto:ann@example.org", ShellTarget::mailAddress },
        { "file:///etc/passwd", ShellTarget::otherAddress },
        { "javascript:alert(1)", ShellTarget::otherAddress },
        { f + "/plan.trn", ShellTarget::document },
        { f + "/run-me", ShellTarget::programOrScript },
        { f + "/tool", ShellTarget::programOrScript },
        { f + "/setup.EXE", ShellTarget::programOrScript },
        { "C:\\Games\\start.bat", ShellTarget::programOrScript },
        { f + "/gone.trn", ShellTarget::missing },
        { "", ShellTarget::missing },
    };
    for (const auto& [target, kind] : cases)
        EXPECT_EQ(ClassifyShellTarget(target.c_str()), kind) << target;
    EXPECT_EQ(AddressScheme("C:\\plan.trn"), "");
    EXPECT_EQ(AddressScheme("Svn+SSH://host"), "svn+ssh");
}

} // namespace

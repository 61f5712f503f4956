#include "platform/sys/ShellFileTypes.h"

#include "platform/sys/ShellLauncher.h"
#include "platform/sys/tests/TestFiles.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>

namespace fs = std::filesystem;

namespace {

// The desktop's own answer, through its command-line tool.
std::string Query(const std::string& command)
{
    std::string output;
    if (std::FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[256];
        while (std::fgets(buffer, sizeof buffer, pipe) != nullptr)
            output += buffer;
        pclose(pipe);
    }
    while (!output.empty() && output.back() == '\n')
        output.pop_back();
    return output;
}

class ShellFileTypesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* name : { "HOME", "XDG_DATA_HOME", "XDG_CONFIG_HOME" }) {
            const char* value = std::getenv(name);
            m_saved.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
        }
        setenv("HOME", m_home.Path().c_str(), 1);
        setenv("XDG_DATA_HOME", (m_home.Path() + "/data").c_str(), 1);
        setenv("XDG_CONFIG_HOME", (m_home.Path() + "/config").c_str(), 1);
        fs::create_directories(m_home.Path() + "/config");
        WriteText(
            m_home.Path() + "/config/mimeapps.list", "[Default Applications]\ntext/plain=editor.desktop\n");
    }
    void TearDown() override
    {
        SetShellLauncher({});
        for (const auto& [name, value] : m_saved) {
            if (value)
                setenv(name, value->c_str(), 1);
            else
                unsetenv(name);
        }
    }

    bool Register() { return RegisterShellFileTypes(m_program, m_types); }

    std::vector<std::string> WrittenFiles() const
    {
        return { m_home.Path() + "/data/mime/packages/vantrel.xml",
            m_home.Path() + "/data/applications/vantrel.desktop", m_home.Path() + "/config/mimeapps.list" };
    }

    TempFolder m_home;
    ShellProgram m_program { "vantrel", "Vantrel Q8", "/opt/Vantrel Q8/bin/Vantrel" };
    std::vector<ShellFileType> m_types = {
        { ".trn", "VantrelQ8.Document", "Vantrel Q8 Document" },
        { ".prj", "VantrelQ8.Project", "Vantrel Q8 Project" },
        { ".cat", "VantrelQ8.Catalog", "Vantrel Q8 Catalog" },
    };
    std::vector<std::pair<const char*, std::optional<std::string>>> m_saved;
};

TEST_F(ShellFileTypesTest, TheDesktopOpensTheTypesWithTheProgram)
{
    ASSERT_TRUE(Register());
    WriteText(m_home.Path() + "/plan.trn", "not much");
    EXPECT_EQ(Query("XDG_CURRENT_DESKTOP=GNOME xdg-mime query filetype '" + m_home.Path()
                  + "/plan.trn' 2>/dev/null"),
        "application/x-vantrelq8-document");
    for (const char* type : { "application/x-vantrelq8-document", "application/x-vantrelq8-project",
             "application/x-vantrelq8-catalog" })
        EXPECT_EQ(Query(std::string("xdg-mime query default ") + type + " 2>/dev/null"), "vantrel.desktop")
            << type;
    EXPECT_NE(ReadText(m_home.Path() + "/config/mimeapps.list").find("text/plain=editor.desktop\n"),
        std::string::npos)
        << "other choices stay";
    std::string entry = ReadText(m_home.Path() + "/data/applications/vantrel.desktop");
    EXPECT_NE(entry.find("Exec=\"/opt/Vantrel Q8/bin/Vantrel\" %f\n"), std::string::npos) << entry;
    EXPECT_NE(entry.find("MimeType=application/x-vantrelq8-document;application/x-vantrelq8-project;"
                         "application/x-vantrelq8-catalog;\n"),
        std::string::npos);
}

TEST_F(ShellFileTypesTest, RegisteringTwiceChangesNothing)
{
    ASSERT_TRUE(Register());
    std::vector<std::pair<std::string, fs::file_time_type>> before;
    for (const std::string& file : WrittenFiles())
        before.emplace_back(ReadText(file), fs::last_write_time(file));
    int launches = 0;
    SetShellLauncher([&launches](const ShellLaunch&) { return ++launches, 0; });
    ASSERT_TRUE(Register());
    EXPECT_EQ(launches, 0);
    for (size_t i = 0; i < before.size(); ++i) {
        EXPECT_EQ(ReadText(WrittenFiles()[i]), before[i].first) << WrittenFiles()[i];
        EXPECT_EQ(fs::last_write_time(WrittenFiles()[i]), before[i].second) << WrittenFiles()[i];
    }
}

TEST_F(ShellFileTypesTest, NamesThatCouldBreakTheFilesAreEscaped)
{
    m_program.program = "/opt/a\"b$c%d/Vantrel";
    m_program.name = "Vantrel\nExec=rm";
    m_types = { { ".trn", "Vantrel<Q8>", "A & B <c>" } };
    SetShellLauncher([](const ShellLaunch&) { return 0; });
    ASSERT_TRUE(Register());
    std::string entry = ReadText(m_home.Path() + "/data/applications/vantrel.desktop");
    EXPECT_NE(entry.find("Name=Vantrel Exec=rm\n"), std::string::npos);
    EXPECT_NE(entry.find("Exec=\"/opt/a\\\"b\\$c%%d/Vantrel\" %f\n"), std::string::npos) << entry;
    std::string package = ReadText(m_home.Path() + "/data/mime/packages/vantrel.xml");
    EXPECT_NE(package.find("<mime-type type=\"application/x-vantrel-q8-\">"), std::string::npos) << package;
    EXPECT_NE(package.find("<comment>A &amp; B &lt;c&gt;</comment>"), std::string::npos);
}

TEST_F(ShellFileTypesTest, AFailedDatabaseUpdateIsReported)
{
    SetShellLauncher([](const ShellLaunch&) { return kLaunchNotFound; });
    EXPECT_FALSE(Register());
}

} // namespace

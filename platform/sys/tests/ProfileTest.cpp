#include "platform/sys/AtomicFile.h"
#include "platform/sys/Profile.h"
#include "platform/sys/tests/TestFiles.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {


std::vector<std::string> FilesIn(const std::string& folder)
{
    std::vector<std::string> names;
    std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir(folder.c_str()), closedir);
    while (dirent* entry = dir ? readdir(dir.get()) : nullptr)
        if (entry->d_name[0] != '.')
            names.push_back(entry->d_name);
    return names;
}

class ProfileTest : public ::testing::Test {
protected:
    void TearDown() override { SetAtomicWriteHook(nullptr); }

    TempFolder m_temp;
    std::string m_folder = m_temp.Path();
    std::string m_path = m_folder + "/Korvane/Vantrel Q8.ini";
};

} // namespace

TEST_F(ProfileTest, ValuesSurviveARestartOfTheStore)
{
    const BYTE blob[] = { 0x00, 0x01, 0x7F, 0x80, 0xFF, 0x25 };
    struct Text { const char* section; const char* entry; const char* value; };
    const Text texts[] = {
        { "Settings", "Dictionary.Language", "English (USA)" },
        { "Settings", "Dictionary.Directory", "C:\\Data\\Dictionary" },
        { "CommandBars\\Default\\", "Bars", "12" },
        { "Settings", "Accented", "\xC0 la fa\xE7on \x80 \x9F" },
        { "Settings", "Tricky=Key[1]", "  padded, 50% = half;\nsecond line\t" },
        { "Project.%s.MRU", "File1", "" },
    };
    {
        CProfile profile(m_path);
        for (const Text& t : texts)
            EXPECT_TRUE(profile.WriteProfileString(t.section, t.entry, t.value)) << t.entry;
        EXPECT_TRUE(profile.WriteProfileInt("Settings", "Theme", 3));
        EXPECT_TRUE(profile.WriteProfileInt("Frame", "Calender.Left", -40));
        EXPECT_TRUE(profile.WriteProfileBinary("CommandBars\\Default\\-Layout", "Data", blob, sizeof blob));
    }
    std::string text = ReadText(m_path);
    EXPECT_NE(text.find("[CommandBars\\Default\\]\nBars=12\n"), std::string::npos) << text;
    EXPECT_NE(text.find("Data=00017F80FF25\n"), std::string::npos) << text;

    CProfile again(m_path);
    for (const Text& t : texts)
        EXPECT_EQ(again.GetProfileString(t.section, t.entry, "missing"), t.value) << t.entry;
    EXPECT_EQ(again.GetProfileInt("settings", "THEME", 2), 3u); // names ignore case
    EXPECT_EQ(static_cast<int>(again.GetProfileInt("Frame", "Calender.Left", 0)), -40);
    LPBYTE data = nullptr;
    UINT bytes = 0;
    ASSERT_TRUE(again.GetProfileBinary("CommandBars\\Default\\-Layout", "Data", &data, &bytes));
    std::unique_ptr<BYTE[]> owned(data);
    ASSERT_EQ(bytes, sizeof blob);
    EXPECT_EQ(std::memcmp(data, blob, sizeof blob), 0);
}

TEST_F(ProfileTest, MissingAndMalformedValuesGiveDefaults)
{
    WriteText(m_folder + "/hand.ini", "[Settings]\nA=12\nB= -3 \nC=abc\nD=0x10\nE=99999999999\n"
                                      "Bin=0G\nOdd=ABC\n");
    CProfile profile(m_folder + "/hand.ini");
    struct Case { const char* entry; int expected; };
    const Case cases[] = { { "A", 12 }, { "B", -3 }, { "C", 7 }, { "D", 0 }, { "E", 7 }, { "Missing", 7 } };
    for (const Case& c : cases)
        EXPECT_EQ(static_cast<int>(profile.GetProfileInt("Settings", c.entry, 7)), c.expected) << c.entry;
    EXPECT_EQ(profile.GetProfileString("Nowhere", "A", "dflt"), "dflt");
    EXPECT_EQ(profile.GetProfileString("Settings", "Missing"), "");
    LPBYTE data = reinterpret_cast<LPBYTE>(1);
    UINT bytes = 5;
    for (const char* entry : { "Bin", "Odd", "Missing" }) {
        EXPECT_FALSE(profile.GetProfileBinary("Settings", entry, &data, &bytes)) << entry;
        EXPECT_EQ(data, nullptr);
        EXPECT_EQ(bytes, 0u);
    }
}

TEST_F(ProfileTest, GarbageFileLoadsWithoutHarm)
{
    std::string garbage;
    for (int i = 0; i < 4096; ++i)
        garbage += static_cast<char>((i * 7919) % 256);
    const std::string inputs[] = { garbage, "[", "[]\n=\n==\n[x\nk=v", "key=before any section\n", "\r\n\r\n" };
    for (const std::string& input : inputs) {
        WriteText(m_folder + "/bad.ini", input);
        CProfile profile(m_folder + "/bad.ini");
        EXPECT_EQ(profile.GetProfileInt("x", "k", 5), 5u);
        EXPECT_TRUE(profile.WriteProfileInt("Settings", "Theme", 1));
        EXPECT_EQ(CProfile(m_folder + "/bad.ini").GetProfileInt("Settings", "Theme", 0), 1u);
    }
}

TEST_F(ProfileTest, AnUnreadableFileIsNeverOverwritten)
{
    ASSERT_EQ(mkdir((m_folder + "/dir.ini").c_str(), 0700), 0);
    CProfile profile(m_folder + "/dir.ini");
    EXPECT_FALSE(profile.IsWritable());
    EXPECT_FALSE(profile.WriteProfileInt("Settings", "Theme", 1));
    struct stat info {};
    ASSERT_EQ(stat((m_folder + "/dir.ini").c_str(), &info), 0);
    EXPECT_TRUE(S_ISDIR(info.st_mode));
}

TEST_F(ProfileTest, LinesThatMeanNothingMarkTheFileDamagedAndAHeldFileIsNotWritten)
{
    struct Case {
        const char* text;
        bool damaged;
    };
    const Case cases[] = {{"[S]\nk=v\n; note\n\n", false}, {"[S]\nno equals sign\n", true},
                          {"k=before any section\n[S]\n", true}, {"", false}};
    for (const Case& c : cases) {
        WriteText(m_folder + "/held.ini", c.text);
        CProfile profile(m_folder + "/held.ini");
        EXPECT_EQ(profile.IsDamaged(), c.damaged ? TRUE : FALSE) << c.text;
        profile.HoldWrites(TRUE);
        EXPECT_FALSE(profile.WriteProfileInt("Settings", "Theme", 1)) << c.text;
        EXPECT_EQ(ReadText(m_folder + "/held.ini"), c.text);
        profile.HoldWrites(FALSE);
        EXPECT_TRUE(profile.WriteProfileInt("Settings", "Theme", 1)) << c.text;
    }
}

TEST_F(ProfileTest, ACrashBetweenWriteAndRenameLeavesTheOldFile)
{
    {
        CProfile profile(m_path);
        ASSERT_TRUE(profile.WriteProfileString("Settings", "Theme", "old"));
    }
    const std::string before = ReadText(m_path);
    EXPECT_EXIT(
        {
            SetAtomicWriteHook([](const std::string&) -> bool { _exit(3); });
            CProfile profile(m_path);
            profile.WriteProfileString("Settings", "Theme", "new");
        },
        ::testing::ExitedWithCode(3), "");
    EXPECT_EQ(ReadText(m_path), before);
    EXPECT_EQ(CProfile(m_path).GetProfileString("Settings", "Theme"), "old");
}

TEST_F(ProfileTest, AFailedWriteReportsAndCleansUp)
{
    CProfile profile(m_path);
    ASSERT_TRUE(profile.WriteProfileInt("Settings", "Theme", 1));
    const std::string before = ReadText(m_path);
    SetAtomicWriteHook([](const std::string&) { return false; });
    EXPECT_FALSE(profile.WriteProfileInt("Settings", "Theme", 2));
    EXPECT_FALSE(profile.Flush());
    EXPECT_EQ(ReadText(m_path), before);
    EXPECT_EQ(FilesIn(m_folder + "/Korvane"), std::vector<std::string> { "Vantrel Q8.ini" });
    SetAtomicWriteHook(nullptr);
    EXPECT_TRUE(profile.Flush()); // the change is still pending and lands now
    EXPECT_EQ(CProfile(m_path).GetProfileInt("Settings", "Theme", 0), 2u);

    {
        CProfile closing(m_path);
        SetAtomicWriteHook([](const std::string&) { return false; });
        EXPECT_FALSE(closing.WriteProfileInt("Settings", "Theme", 3));
        SetAtomicWriteHook(nullptr);
    }
    EXPECT_EQ(CProfile(m_path).GetProfileInt("Settings", "Theme", 0), 3u); // written on closing
}

TEST_F(ProfileTest, BatchWritesOnceAndIsThreadSafe)
{
    CProfile profile(m_path);
    int saves = 0;
    SetAtomicWriteHook([&saves](const std::string&) {
        ++saves;
        return true;
    });
    {
        CProfileBatch batch(profile);
        std::vector<std::thread> threads;
        for (int t = 0; t < 4; ++t) {
            threads.emplace_back([&profile, t] {
                for (int i = 0; i < 50; ++i)
                    profile.WriteProfileInt("Thread", (std::to_string(t) + "." + std::to_string(i)).c_str(), i);
            });
        }
        for (std::thread& thread : threads)
            thread.join();
        EXPECT_EQ(saves, 0);
    }
    EXPECT_EQ(saves, 1);
    CProfile again(m_path);
    for (int t = 0; t < 4; ++t)
        EXPECT_EQ(again.GetProfileInt("Thread", (std::to_string(t) + ".49").c_str(), -1), 49u);
}

TEST_F(ProfileTest, RemovingEntriesAndSections)
{
    CProfile profile(m_path);
    profile.WriteProfileString("A", "x", "1");
    profile.WriteProfileString("A", "y", "2");
    profile.WriteProfileString("B", "z", "3");
    EXPECT_TRUE(profile.WriteProfileString("A", "x", nullptr));
    EXPECT_TRUE(profile.WriteProfileString("B", nullptr, nullptr));
    EXPECT_FALSE(profile.WriteProfileString(nullptr, "x", "1"));
    EXPECT_EQ(ReadText(m_path), "[A]\ny=2\n\n");
}

TEST_F(ProfileTest, PathFollowsTheConfigFolder)
{
    const char* saved = std::getenv("XDG_CONFIG_HOME");
    std::string keep = saved ? saved : "";
    setenv("XDG_CONFIG_HOME", "/cfg", 1);
    EXPECT_EQ(CProfile::PathFor("Korvane", "Vantrel Q8"), "/cfg/Korvane/Vantrel Q8.ini");
    EXPECT_EQ(CProfile::PathFor("a/b", ".."), "/cfg/a_b/_.ini");
    EXPECT_EQ(CProfile::PathFor("K\xE9", "P"), "/cfg/K\xC3\xA9/P.ini");
    setenv("XDG_CONFIG_HOME", "relative", 1); // ignored, as the XDG rules say
    std::string home = std::getenv("HOME") ? std::getenv("HOME") : "/tmp";
    EXPECT_EQ(CProfile::PathFor("K", "P"), home + "/.config/K/P.ini");
    if (saved)
        setenv("XDG_CONFIG_HOME", keep.c_str(), 1);
    else
        unsetenv("XDG_CONFIG_HOME");
}

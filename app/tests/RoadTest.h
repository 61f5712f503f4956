// What the end-to-end tests share: a fresh settings folder per test, skipped where the machine
// cannot run the program on a virtual display.
#pragma once

#include "app/tests/E2E.h"

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace e2e {

// The bytes of a file the program wrote; empty when there is none.
inline std::string Contents(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class RoadTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!CanRun())
            GTEST_SKIP() << "xvfb-run is not installed";
        home = TempFolder();
        ASSERT_FALSE(home.empty());
    }

    std::string Path(const std::string& name) const { return home + "/" + name; }
    // Plays the script; the program must play every step and end by itself.
    e2e::Run Play(const std::string& script) const
    {
        e2e::Run run = e2e::RunVantrel(script, home);
        EXPECT_EQ(run.exitCode, 0) << run.log;
        EXPECT_EQ(run.log.find("error"), std::string::npos) << run.log;
        return run;
    }
    // Saves the document under the name through File Save (the next file dialog's answer).
    std::string Save(const char* name) const { return "file " + Path(name) + "\nmenu 57604\n"; }
#ifdef LEXIGARD_ENGLISH
    // The English dictionary in "dictionaries" below home with an empty replacement list beside
    // it, and settings that use that folder, "custom.dic" below home and the given lines.
    void UseEnglishDictionary(const std::string& settings) const
    {
        const std::string dictionaries = Path("dictionaries");
        std::filesystem::create_directories(dictionaries);
        std::filesystem::copy_file(LEXIGARD_ENGLISH, dictionaries + "/English.lex");
        std::ofstream(dictionaries + "/English.acr") << "[ReplaceWith]\n";
        std::filesystem::create_directories(Path("config/Korvane"));
        std::ofstream(Path("config/Korvane/Vantrel Q8.ini")) << "[Settings]\nDictionary.Directory=" << dictionaries
                                                             << "\nDictionary.CustomFileName=" << Path("custom.dic")
                                                             << "\n" << settings;
    }
#endif

    std::string home;
};

// The same with the program's catalogue folder in "cats" below home.
class CatalogueFolderRoadTest : public RoadTest {
protected:
    void SetUp() override
    {
        RoadTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        std::filesystem::create_directories(home + "/config/Korvane");
        std::filesystem::create_directories(Path("cats"));
        std::ofstream(home + "/config/Korvane/Vantrel Q8.ini") << "[Settings]\nCatalog.Directory=" << Path("cats") << "\n";
    }
};

// The same with a project of the test's own name in the user's data folder, removed afterwards.
class ProjectFolderRoadTest : public RoadTest {
protected:
    void SetUp() override
    {
        RoadTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        name = "Road";
        for (char c : std::filesystem::path(home).filename().string().substr(12))
            if (std::isalpha(static_cast<unsigned char>(c)))
                name += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        folder = std::filesystem::path(home) / "data/Korvane/Vantrel Q8/Project" / name;
    }
    void TearDown() override
    {
        if (!folder.empty())
            std::filesystem::remove_all(folder);
    }

    std::string name;
    std::filesystem::path folder;
};

} // namespace e2e

// A fresh folder per test, removed with everything in it afterwards.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>
#include <string>

class TempFolder : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        m_folder = std::filesystem::temp_directory_path() /
                   (std::string("vantrel-core-") + info->test_suite_name() + "-" + info->name() + "-" +
                    std::to_string(::getpid()));
        std::filesystem::remove_all(m_folder);
        std::filesystem::create_directories(m_folder);
    }
    void TearDown() override { std::filesystem::remove_all(m_folder); }

    std::string Path(const std::string& name) const { return (m_folder / name).string(); }

    std::filesystem::path m_folder;
};

#include "platform/sys/PrivateProfile.h"
#include "platform/sys/tests/TestFiles.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

class PrivateProfileTest : public ::testing::Test {
protected:
    TempFolder m_temp;
    std::string m_folder = m_temp.Path();
    std::string m_file = m_folder + "/English (USA).acr";
};

std::string List(const char* buffer, DWORD length) { return std::string(buffer, length); }

} // namespace

TEST_F(PrivateProfileTest, ReadsHandWrittenFiles)
{
    WriteText(m_file, "; list\r\n[Replace]\r\n teh = the \r\nadn=\"and\"\r\n"
                      "[FirstLetterExceptions]\r\nabbr.=1\r\netc.=1\r\nNum=42\r\n");
    char buffer[64];
    struct Case { const char* section; const char* key; const char* expected; };
    const Case cases[] = {
        { "Replace", "teh", "the" }, { "replace", "ADN", "and" }, { "Replace", "none", "dflt" },
        { "Missing", "teh", "dflt" },
    };
    for (const Case& c : cases) {
        DWORD length = GetPrivateProfileString(c.section, c.key, "dflt", buffer, sizeof buffer, m_file.c_str());
        EXPECT_STREQ(buffer, c.expected) << c.key;
        EXPECT_EQ(length, std::strlen(c.expected));
    }
    DWORD length = GetPrivateProfileString("FirstLetterExceptions", nullptr, "", buffer, sizeof buffer, m_file.c_str());
    EXPECT_EQ(List(buffer, length + 1), std::string("abbr.\0etc.\0Num\0\0", 16));
    length = GetPrivateProfileString(nullptr, nullptr, "", buffer, sizeof buffer, m_file.c_str());
    EXPECT_EQ(List(buffer, length + 1), std::string("Replace\0FirstLetterExceptions\0\0", 31));
    char small[9];
    length = GetPrivateProfileString("FirstLetterExceptions", nullptr, "", small, sizeof small, m_file.c_str());
    EXPECT_EQ(length, 7u); // cut short: size - 2, ending in two NULs
    EXPECT_EQ(List(small, 9), std::string("abbr.\0e\0\0", 9));
    EXPECT_EQ(GetPrivateProfileString("Replace", "teh", "", small, 3, m_file.c_str()), 2u);
    EXPECT_STREQ(small, "th");

    EXPECT_EQ(GetPrivateProfileInt("FirstLetterExceptions", "Num", 5, m_file.c_str()), 42u);
    EXPECT_EQ(GetPrivateProfileInt("Replace", "teh", 5, m_file.c_str()), 0u);
    EXPECT_EQ(GetPrivateProfileInt("Replace", "none", 5, m_file.c_str()), 5u);
    EXPECT_EQ(GetPrivateProfileInt("Replace", "teh", 5, (m_folder + "/none.acr").c_str()), 5u);
}

TEST_F(PrivateProfileTest, WritesAddAndRemoveKeys)
{
    const char* file = m_file.c_str();
    EXPECT_TRUE(WritePrivateProfileString("FirstLetterExceptions", "abbr.", "1", file));
    EXPECT_TRUE(WritePrivateProfileString("FirstLetterExceptions", "e.g.", "1", file));
    EXPECT_TRUE(WritePrivateProfileString("Replace", "teh", "the\r\nx", file));
    EXPECT_TRUE(WritePrivateProfileString("FirstLetterExceptions", "abbr.", nullptr, file));
    char buffer[64];
    DWORD length = GetPrivateProfileString("FirstLetterExceptions", nullptr, "", buffer, sizeof buffer, file);
    EXPECT_EQ(List(buffer, length + 1), std::string("e.g.\0\0", 6));
    GetPrivateProfileString("Replace", "teh", "", buffer, sizeof buffer, file);
    EXPECT_STREQ(buffer, "the  x");
    EXPECT_TRUE(WritePrivateProfileString("Replace", nullptr, nullptr, file));
    length = GetPrivateProfileString(nullptr, nullptr, "", buffer, sizeof buffer, file);
    EXPECT_EQ(List(buffer, length + 1), std::string("FirstLetterExceptions\0\0", 23));
    EXPECT_FALSE(WritePrivateProfileString(nullptr, "k", "v", file));
    EXPECT_FALSE(WritePrivateProfileString("S", "k", "v", (m_folder + "/no/such/dir.ini").c_str()));
    EXPECT_EQ(GetPrivateProfileString("S", "k", "d", buffer, 0, file), 0u);
}

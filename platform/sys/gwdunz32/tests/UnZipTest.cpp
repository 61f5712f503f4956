#include "platform/sys/gwdunz32/UnZip.h"

#include "platform/sys/Library.h"
#include "platform/sys/tests/TestFiles.h"

#include <gtest/gtest.h>
#include <zip.h>

#include <filesystem>
#include <vector>

namespace fs = std::filesystem;

namespace {

using Entries = std::vector<std::pair<std::string, std::string>>;

// An archive made on the spot; libzip stores any name it is given, "../" ones included.
void MakeZip(const std::string& path, const Entries& entries, zip_int32_t method = ZIP_CM_DEFAULT)
{
    int error = 0;
    zip_t* archive = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    ASSERT_NE(archive, nullptr);
    for (const auto& [name, data] : entries) {
        zip_source_t* source = zip_source_buffer(archive, data.data(), data.size(), 0);
        zip_int64_t index = zip_file_add(archive, name.c_str(), source, ZIP_FL_ENC_UTF_8);
        ASSERT_GE(index, 0) << name;
        zip_set_file_compression(archive, static_cast<zip_uint64_t>(index), method, 0);
    }
    ASSERT_EQ(zip_close(archive), 0);
}

void CollectMessage(void* context, LPCSTR text)
{
    static_cast<std::vector<std::string>*>(context)->push_back(text);
}

class UnZipTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::create_directory(m_target);
        MakeZip(m_zip, { { "English.lex", m_lex }, { "readme.txt", "hello" } });
    }

    int Unzip(std::vector<LPCSTR> names, BOOL overwrite = TRUE, std::vector<LPCSTR> excludes = {})
    {
        UNZIP_OPTIONS options { m_zip.c_str(), m_target.c_str(), overwrite, nullptr };
        UNZIP_CALLBACKS callbacks { &m_messages, &CollectMessage };
        return UnZip_UnzipFile(static_cast<int>(names.size()), names.data(),
            static_cast<int>(excludes.size()), excludes.data(), &options, &callbacks);
    }

    // Everything below the work folder, so that nothing written outside the target goes unseen.
    std::vector<std::string> FilesWritten() const
    {
        std::vector<std::string> files;
        for (const auto& entry : fs::recursive_directory_iterator(m_work.Path()))
            if (entry.is_regular_file() && entry.path() != m_zip)
                files.push_back(fs::relative(entry.path(), m_work.Path()).string());
        std::sort(files.begin(), files.end());
        return files;
    }

    TempFolder m_work;
    std::string m_zip = m_work.Path() + "/dictionary.zip";
    std::string m_target = m_work.Path() + "/target";
    std::string m_lex = std::string(5000, 'x') + "the dictionary";
    std::vector<std::string> m_messages;
};

TEST_F(UnZipTest, UnpacksTheNamedEntryOnly)
{
    EXPECT_EQ(Unzip({ "English.lex" }), UNZIP_OK);
    EXPECT_EQ(FilesWritten(), (std::vector<std::string> { "target/English.lex" }));
    EXPECT_EQ(ReadText(m_target + "/English.lex"), m_lex);
}

TEST_F(UnZipTest, UnpacksAllButTheExcludedWithoutNames)
{
    EXPECT_EQ(Unzip({}, TRUE, { "readme.txt" }), UNZIP_OK);
    EXPECT_EQ(FilesWritten(), (std::vector<std::string> { "target/English.lex" }));
    EXPECT_EQ(Unzip({}), UNZIP_OK);
    EXPECT_EQ(FilesWritten(), (std::vector<std::string> { "target/English.lex", "target/readme.txt" }));
}

TEST_F(UnZipTest, OverwritesOnlyWhenAsked)
{
    WriteText(m_target + "/English.lex", "old");
    EXPECT_EQ(Unzip({ "English.lex" }, FALSE), UNZIP_CANNOT_WRITE);
    EXPECT_EQ(ReadText(m_target + "/English.lex"), "old");
    EXPECT_EQ(Unzip({ "English.lex" }, TRUE), UNZIP_OK);
    EXPECT_EQ(ReadText(m_target + "/English.lex"), m_lex);
}

TEST_F(UnZipTest, TruncatedAndForeignArchivesWriteNothing)
{
    std::string whole = ReadText(m_zip);
    for (size_t size : { whole.size() - 1, whole.size() / 2, size_t { 30 }, size_t { 0 } }) {
        WriteText(m_zip, whole.substr(0, size));
        EXPECT_EQ(Unzip({ "English.lex" }), UNZIP_NO_ARCHIVE) << size;
        EXPECT_TRUE(FilesWritten().empty()) << size;
    }
    WriteText(m_zip, "PK\x03\x04 this is not an archive at all");
    EXPECT_EQ(Unzip({ "English.lex" }), UNZIP_NO_ARCHIVE);
    fs::remove(m_zip);
    EXPECT_EQ(Unzip({ "English.lex" }), UNZIP_NO_ARCHIVE);
    EXPECT_TRUE(FilesWritten().empty());
}

TEST_F(UnZipTest, DamagedEntryDataLeavesNoFile)
{
    MakeZip(m_zip, { { "English.lex", m_lex } }, ZIP_CM_STORE);
    std::string bytes = ReadText(m_zip);
    size_t data = bytes.find("the dictionary");
    ASSERT_NE(data, std::string::npos);
    bytes[data] = 'T';
    WriteText(m_zip, bytes);
    EXPECT_EQ(Unzip({ "English.lex" }), UNZIP_DAMAGED);
    EXPECT_TRUE(FilesWritten().empty());
}

TEST_F(UnZipTest, NamesLeavingTheTargetAreRefusedBeforeAnythingIsWritten)
{
    const char* unsafeNames[]
        = { "../evil.lex", "a/../../evil.lex", "/tmp/evil.lex", "..\\evil.lex", "C:evil.lex" };
    for (const char* name : unsafeNames) {
        MakeZip(m_zip, { { "English.lex", m_lex }, { name, "evil" } });
        EXPECT_EQ(Unzip({}), UNZIP_UNSAFE_NAME) << name;
        EXPECT_EQ(Unzip({ name }), UNZIP_UNSAFE_NAME) << name;
        EXPECT_TRUE(FilesWritten().empty()) << name;
    }
}

TEST_F(UnZipTest, ALinkedSubFolderDoesNotLeadOutside)
{
    fs::create_directory(m_work.Path() + "/outside");
    fs::create_directory_symlink(m_work.Path() + "/outside", m_target + "/sub");
    MakeZip(m_zip, { { "sub/evil.lex", "evil" } });
    EXPECT_EQ(Unzip({}), UNZIP_UNSAFE_NAME);
    EXPECT_TRUE(FilesWritten().empty());
}

TEST_F(UnZipTest, AMissingEntryOrFolderFailsAndIsReported)
{
    EXPECT_EQ(Unzip({ "French.lex" }), UNZIP_NO_ENTRY);
    ASSERT_FALSE(m_messages.empty());
    EXPECT_EQ(m_messages.back(), "unzip failed with code 3");
    fs::remove(m_target);
    EXPECT_EQ(Unzip({ "English.lex" }), UNZIP_CANNOT_WRITE);
    EXPECT_EQ(UnZip_UnzipFile(0, nullptr, 0, nullptr, nullptr, nullptr), UNZIP_BAD_ARGUMENTS);
}

TEST_F(UnZipTest, TheLibraryIsFoundByItsName)
{
    HMODULE library = LoadLibrary("gwdunz32.dll");
    ASSERT_NE(library, nullptr);
    auto unzip = reinterpret_cast<UNZIP_UNZIPFILE>(GetProcAddress(library, "UnZip_UnzipFile"));
    ASSERT_NE(unzip, nullptr);
    LPCSTR name = "English.lex";
    UNZIP_OPTIONS options { m_zip.c_str(), m_target.c_str(), TRUE, nullptr };
    EXPECT_EQ(unzip(1, &name, 0, nullptr, &options, nullptr), UNZIP_OK);
    EXPECT_EQ(ReadText(m_target + "/English.lex"), m_lex);
    FreeLibrary(library);
}

} // namespace

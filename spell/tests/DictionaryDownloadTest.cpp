// Dictionary download from a server on 127.0.0.1: the list file, the download dialog, the
// archives it unpacks (or refuses), and the temporary files it always removes.
#include "platform/sys/gteinet/tests/HttpTestServer.h"
#include "platform/ui/ListCtrl.h"
#include "platform/gdi/ImageList.h"
#include "platform/ui/Resources.h"
#include "platform/ui/tests/BmpBytes.h"
#include "spell/DictionaryList.h"
#include "spell/DownloadDialog.h"
#include "spell/Lexigard.h"
#include "spell/LexigardDialogs.h"
#include "spell/tests/DialogDriver.h"
#include "spell/tests/LexFixture.h"

#include <gtest/gtest.h>
#include <zip.h>

#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>

namespace {

constexpr char kCaption[] = "Download Dictionaries";
constexpr char kUnzipFailed[]
    = "Error unzipping file(s). Please be sure that the Internet connection is not interrupted.";

std::string makeZip(const TempFolder& folder, const std::vector<std::pair<std::string, std::string>>& entries)
{
    std::string path = folder.Path("archive.zip");
    int error = 0;
    zip_t* archive = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    for (const auto& [name, data] : entries)
        zip_file_add(archive, name.c_str(), zip_source_buffer(archive, data.data(), data.size(), 0), 0);
    zip_close(archive);
    std::vector<BYTE> bytes = ReadBytes(path);
    std::filesystem::remove(path);
    return std::string(bytes.begin(), bytes.end());
}

// The day as the dialog shows it, in the locale's short form.
std::string shownDate(int day, int month, int year)
{
    std::tm date {};
    date.tm_mday = day;
    date.tm_mon = month - 1;
    date.tm_year = year - 1900;
    char text[64];
    std::strftime(text, sizeof text, "%x", &date);
    return text;
}

std::vector<std::string> rowsOf(HWND dialog)
{
    auto* list = static_cast<CListCtrl*>(CWnd::FromHandle(::GetDlgItem(dialog, IDC_DICTIONARY_LIST)));
    std::vector<std::string> rows;
    for (int i = 0; i < list->GetItemCount(); ++i)
        rows.push_back(std::string(list->GetItemText(i, 0)) + "|" + std::string(list->GetItemText(i, 1)) + "|"
            + std::string(list->GetItemText(i, 2)));
    return rows;
}

void tick(HWND dialog, int row)
{
    static_cast<CListCtrl*>(CWnd::FromHandle(::GetDlgItem(dialog, IDC_DICTIONARY_LIST)))->SetCheck(row);
}

class DictionaryDownloadTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        UiTestHook::Reset();
        m_checker = LX_Init();
        const char* previous = std::getenv("TMPDIR");
        m_previousTemp = previous ? previous : "";
        ::setenv("TMPDIR", m_temp.Path("").c_str(), 1);
        m_lex = ReadBytes(m_source.Dictionary({ "house", "mouse" }));
        m_server.Start();
    }
    void TearDown() override
    {
        if (m_previousTemp.empty())
            ::unsetenv("TMPDIR");
        else
            ::setenv("TMPDIR", m_previousTemp.c_str(), 1);
        LX_Destroy(m_checker);
    }

    void ServeList(const std::string& archivePath)
    {
        m_server.Answer("/list.ins",
            HttpTestServer::Ok("; dictionaries\n*http://127.0.0.1/more More dictionaries\n"
                               "Deutsch.lex, Deutsch, 12.05, 04, "
                + m_server.Url("/de.zip") + ", 5000\r\nEnglish.lex , English, 1, 2, 2003, "
                + m_server.Url(archivePath) + ", 3000\n../evil.lex, Evil, 1, 1, 2004, "
                + m_server.Url("/evil.zip") + ", 10\nNoAddress.lex, None, 1, 1, 2004\n"));
    }

    BOOL Download(std::vector<DialogDriver::Step> steps, const std::string& listPath = "/list.ins")
    {
        DialogDriver driver(std::move(steps));
        BOOL result
            = LX_DownloadDictionaries(m_checker, m_server.Url(listPath).c_str(), m_target.Path("").c_str());
        EXPECT_EQ(driver.StepsLeft(), 0u);
        EXPECT_EQ(driver.Cancelled(), 0);
        return result;
    }

    size_t TemporaryFiles() const
    {
        size_t count = 0;
        for (const auto& item : std::filesystem::directory_iterator(m_temp.Path("")))
            count += item.path().filename().string().rfind("vuz", 0) == 0;
        return count;
    }

    TempFolder m_temp;
    TempFolder m_source;
    TempFolder m_target;
    HttpTestServer m_server;
    std::string m_previousTemp;
    std::vector<BYTE> m_lex;
    LXHANDLE m_checker = nullptr;
};

TEST_F(DictionaryDownloadTest, OkInstallsTheTickedDictionary)
{
    m_server.Answer("/en.zip",
        HttpTestServer::Ok(makeZip(m_source,
            { { "English.lex", std::string(m_lex.begin(), m_lex.end()) }, { "../evil.lex", "evil" },
                { "setup.exe", "MZ" } })));
    ServeList("/en.zip");
    std::vector<std::string> rows;
    std::string link;
    BOOL result = Download({ { kCaption, [&](HWND dialog) {
                                  rows = rowsOf(dialog);
                                  link = DialogDriver::Text(dialog, IDC_WEB_LINK);
                                  tick(dialog, 1);
                                  DialogDriver::Click(dialog, IDC_DOWNLOAD_START);
                              } } });
    EXPECT_TRUE(result);
    EXPECT_EQ(rows, (std::vector<std::string> { "Deutsch|" + shownDate(12, 5, 2004) + "|4 KB",
                                              "English|" + shownDate(1, 2, 2003) + "|2 KB" }));
    EXPECT_EQ(link, "More dictionaries");
    EXPECT_EQ(ReadBytes(m_target.Path("English.lex")), m_lex);
    EXPECT_FALSE(std::filesystem::exists(m_target.Path("Deutsch.lex")));
    EXPECT_FALSE(std::filesystem::exists(m_target.Path("setup.exe")));
    EXPECT_FALSE(std::filesystem::exists(m_target.Path("../evil.lex")));
    EXPECT_EQ(TemporaryFiles(), 0u);
    EXPECT_EQ(UiTestHook::MessageBoxCount(), 0);
}

struct BadArchive {
    const char* name;
    std::vector<std::pair<std::string, std::string>> entries; // none: bytes that are no archive
};

class RefusedArchive : public DictionaryDownloadTest, public ::testing::WithParamInterface<BadArchive> { };

TEST_P(RefusedArchive, InstallsNothingAndKeepsTheDialog)
{
    const BadArchive& c = GetParam();
    m_server.Answer("/en.zip",
        HttpTestServer::Ok(c.entries.empty() ? "PK\x03\x04 broken" : makeZip(m_source, c.entries)));
    ServeList("/en.zip");
    BOOL result = Download({ { kCaption,
                                 [](HWND dialog) {
                                     tick(dialog, 1);
                                     DialogDriver::Click(dialog, IDC_DOWNLOAD_START);
                                 } },
        { kCaption, [](HWND dialog) { DialogDriver::Click(dialog, IDCANCEL); } } });
    EXPECT_FALSE(result);
    EXPECT_EQ(UiTestHook::LastMessageBoxText(), kUnzipFailed);
    EXPECT_TRUE(std::filesystem::is_empty(m_target.Path("")));
    EXPECT_FALSE(std::filesystem::exists(m_temp.Path("English.lex")));
    EXPECT_EQ(TemporaryFiles(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Archives, RefusedArchive,
    ::testing::Values(BadArchive { "NotAnArchive", {} },
        BadArchive { "OnlyAPathOutside", { { "../English.lex", "evil" } } },
        BadArchive { "InASubFolder", { { "sub/English.lex", "evil" } } }),
    [](const ::testing::TestParamInfo<BadArchive>& info) { return std::string(info.param.name); });

TEST_F(DictionaryDownloadTest, AFailedArchiveDownloadStopsWithItsMessage)
{
    ServeList("/missing.zip");
    BOOL result = Download({ { kCaption,
                                 [](HWND dialog) {
                                     tick(dialog, 0);
                                     tick(dialog, 1);
                                     DialogDriver::Click(dialog, IDC_DOWNLOAD_START);
                                 } },
        { kCaption, [](HWND dialog) { DialogDriver::Click(dialog, IDCANCEL); } } });
    EXPECT_FALSE(result);
    EXPECT_EQ(UiTestHook::LastMessageBoxText(),
        "Error downloading dictionaries from network. Aborting download process. \n"
        "Please connect again or try later while server is busy.");
    EXPECT_TRUE(std::filesystem::is_empty(m_target.Path("")));
    EXPECT_EQ(TemporaryFiles(), 0u);
}

TEST_F(DictionaryDownloadTest, AListThatCannotBeFetchedOrHoldsNoEntryShowsNoDialog)
{
    m_server.Answer("/empty.ins", HttpTestServer::Ok("; nothing yet\n*http://127.0.0.1/ Home\n"));
    for (const char* path : { "/none.ins", "/empty.ins" }) {
        EXPECT_FALSE(Download({}, path)) << path;
        EXPECT_EQ(TemporaryFiles(), 0u) << path;
    }
    EXPECT_EQ(UiTestHook::MessageBoxCount(), 1);
    EXPECT_EQ(UiTestHook::LastMessageBoxText(),
        "Unable to connect to server. Please check your Internet settings.\n"
        "The server may be down or unreachable. Please try later again.");
}

TEST(DictionaryListFile, ReadsEntriesAndLinks)
{
    DictionaryList list = ParseDictionaryList(";comment\n\n*http://a.example/x  Visit us \n*  \n"
                                              "a.lex, Alpha , 3.4, 99, http://h/a.zip, 2048\n"
                                              "b.lex,Beta,5,6,70,http://h/b.zip,1\r\n"
                                              "c.lex,Gamma,5,6,71,http://h/c.zip\n"
                                              "d.lex,Delta,5,6,1999\n"
                                              "sub\\e.lex,Eps,5,6,1999,http://h/e.zip,1\n"
                                              "f.exe,Zeta,5,6,1999,http://h/f.zip,1\n"
        + std::string(2000, 'x') + ".lex,Long,1,1,1,http://h/l.zip,1\n");
    ASSERT_EQ(list.links.size(), 1u);
    EXPECT_EQ(list.links[0].target, "http://a.example/x");
    EXPECT_EQ(list.links[0].text, "Visit us ");
    struct Expected {
        const char* fileName;
        const char* language;
        int day, month, year;
        const char* address;
        int size;
    };
    const Expected expected[] = {
        { "a.lex", "Alpha", 3, 4, 1999, "http://h/a.zip", 2048 },
        { "b.lex", "Beta", 5, 6, 2070, "http://h/b.zip", 1 },
        { "c.lex", "Gamma", 5, 6, 1971, "http://h/c.zip", 0 },
    };
    ASSERT_EQ(list.entries.size(), std::size(expected));
    for (size_t i = 0; i < std::size(expected); ++i) {
        const DictionaryEntry& e = list.entries[i];
        EXPECT_EQ(e.fileName, expected[i].fileName);
        EXPECT_EQ(e.languageName, expected[i].language);
        EXPECT_EQ(e.day, expected[i].day);
        EXPECT_EQ(e.month, expected[i].month);
        EXPECT_EQ(e.year, expected[i].year);
        EXPECT_EQ(e.archiveAddress, expected[i].address);
        EXPECT_EQ(e.size, expected[i].size);
    }
}

DictionaryEntry entry(const char* language, int day, int month, int year, int size)
{
    return DictionaryEntry { std::string(language) + ".lex", language, day, month, year, "http://h/x.zip",
        size };
}

TEST(DownloadDialogSort, ColumnsSortAndTicksStayWithTheirEntries)
{
    RegisterLexigardDialogs();
    DictionaryList list;
    list.entries = { entry("beta", 1, 1, 2004, 3000), entry("Alpha", 2, 1, 2004, 2500),
        entry("gamma", 1, 1, 2004, 9000), entry("Delta", 1, 1, 2003, 2048) };
    list.links = { { "ftp://files.example/", "Files" } };
    CDownloadDialog dialog(list, "/nowhere/");
    ASSERT_TRUE(dialog.Create(IDD_DOWNLOAD_DICTIONARIES));
    dialog.OnInitDialog();
    dialog.GetList().SetCheck(2);
    struct Case {
        int column;
        std::vector<std::string> order;
    };
    const Case cases[] = {
        { CDownloadDialog::kLanguageColumn, { "Alpha", "beta", "Delta", "gamma" } },
        { CDownloadDialog::kDateColumn, { "Alpha", "beta", "gamma", "Delta" } },
        { CDownloadDialog::kSizeColumn, { "gamma", "Alpha", "beta", "Delta" } },
    };
    for (const Case& c : cases) {
        dialog.SortBy(c.column);
        std::vector<std::string> order;
        for (int i = 0; i < dialog.GetList().GetItemCount(); ++i) {
            order.emplace_back(dialog.GetList().GetItemText(i, 0));
            EXPECT_EQ(dialog.GetList().GetCheck(i) != FALSE, order.back() == "gamma") << order.back();
        }
        EXPECT_EQ(order, c.order) << c.column;
    }
    EXPECT_FALSE(dialog.GetLink().Open()) << "only web addresses are opened";
    EXPECT_FALSE(dialog.GetLink().IsVisited());
    EXPECT_EQ(dialog.GetLink().TextColour(), TWebLink::kNormal);
    EXPECT_EQ(dialog.GetLink().GetToolTipText(), "ftp://files.example/");
    dialog.GetLink().SetTarget("https://words.example/");
    EXPECT_EQ(dialog.GetLink().GetToolTipText(), "https://words.example/");
    dialog.DestroyWindow();
}

TEST(DownloadDialogRows, ImagesMarkInstalledDictionariesAndDatesFollowTheLocale)
{
    RegisterLexigardDialogs();
    RegisterBinaryResource(ResourceKind::Bitmap, "LvDownload", SolidBmp(32, 16, RGB(40, 90, 160)));
    TempFolder folder;
    folder.WriteText("Alpha.lex", "installed");
    DictionaryList list;
    list.entries = { entry("Alpha", 2, 1, 2004, 2500), entry("beta", 28, 12, 2011, 3000) };
    CDownloadDialog dialog(list, folder.Path(""));
    ASSERT_TRUE(dialog.Create(IDD_DOWNLOAD_DICTIONARIES));
    dialog.OnInitDialog();
    CImageList* images = dialog.GetList().GetImageList(LVSIL_SMALL);
    ASSERT_NE(images, nullptr);
    EXPECT_EQ(images->GetImageCount(), 2);
    struct Row {
        int image, day, month, year;
    };
    const Row rows[] = { { 1, 2, 0, 104 }, { 0, 28, 11, 111 } };
    for (int i = 0; i < 2; ++i) {
        std::tm date {};
        date.tm_mday = rows[i].day;
        date.tm_mon = rows[i].month;
        date.tm_year = rows[i].year;
        LVITEM item {};
        item.mask = LVIF_IMAGE;
        item.iItem = i;
        ASSERT_TRUE(dialog.GetList().GetItem(&item));
        EXPECT_EQ(item.iImage, rows[i].image) << i;
        char expected[64];
        std::strftime(expected, sizeof expected, "%x", &date);
        EXPECT_EQ(std::string(dialog.GetList().GetItemText(i, CDownloadDialog::kDateColumn)), expected) << i;
    }
    dialog.DestroyWindow();
}

} // namespace

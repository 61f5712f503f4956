#include "platform/sys/mapi32/Mapi.h"

#include "platform/sys/Library.h"
#include "platform/sys/mapi32/MailMessage.h"
#include "platform/sys/tests/TestFiles.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <list>
#include <sstream>

namespace fs = std::filesystem;

namespace {

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// A stand-in mail program first on PATH that writes down its arguments, and a cache folder of its own.
class MapiTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_oldPath = std::getenv("PATH");
        const char* cache = std::getenv("XDG_CACHE_HOME");
        m_oldCache = cache != nullptr ? cache : "";
        setenv("PATH", (m_bin.Path() + ":" + m_oldPath).c_str(), 1);
        setenv("XDG_CACHE_HOME", (m_work.Path() + "/cache").c_str(), 1);
        MailProgram("exit 0");
        WriteText(m_document, "the document's bytes");
    }
    void TearDown() override
    {
        setenv("PATH", m_oldPath.c_str(), 1);
        if (m_oldCache.empty())
            unsetenv("XDG_CACHE_HOME");
        else
            setenv("XDG_CACHE_HOME", m_oldCache.c_str(), 1);
    }

    void MailProgram(const std::string& then)
    {
        std::string script = m_bin.Path() + "/xdg-email";
        WriteText(script, "#!/bin/sh\nprintf '%s\\n' \"$@\" > '" + m_record + "'\n" + then + "\n");
        fs::permissions(script, fs::perms::owner_all);
    }

    ULONG Send(std::vector<MapiFileDesc> files, std::vector<MapiRecipDesc> recipients = {},
        const char* subject = "For Revision: plan.trn")
    {
        MapiMessage message {};
        message.lpszSubject = const_cast<LPSTR>(subject);
        message.nFileCount = static_cast<ULONG>(files.size());
        message.lpFiles = files.data();
        message.nRecipCount = static_cast<ULONG>(recipients.size());
        message.lpRecips = recipients.data();
        return MAPISendMail(0, 0, &message, MAPI_LOGON_UI | MAPI_DIALOG, 0);
    }

    MapiFileDesc Attachment(const std::string& path, const char* name = "plan.trn")
    {
        m_names.push_back(path);
        return { 0, 0, static_cast<ULONG>(-1), m_names.back().data(), const_cast<LPSTR>(name), nullptr };
    }

    std::vector<std::string> Launched() const { return Lines(ReadText(m_record)); }

    TempFolder m_bin;
    TempFolder m_work;
    std::string m_record = m_work.Path() + "/launched";
    std::string m_document = m_work.Path() + "/afx1A2B.tmp";
    std::string m_oldPath;
    std::string m_oldCache;
    std::list<std::string> m_names;
};

TEST_F(MapiTest, TheMailProgramGetsACopyThatOutlivesTheSentFile)
{
    ASSERT_EQ(Send({ Attachment(m_document) }), SUCCESS_SUCCESS);
    std::vector<std::string> args = Launched();
    ASSERT_EQ(args.size(), 5u);
    EXPECT_EQ(std::vector<std::string>(args.begin(), args.begin() + 4),
        (std::vector<std::string> { "--utf8", "--subject", "For Revision: plan.trn", "--attach" }));
    fs::path copy = args[4];
    EXPECT_EQ(copy.filename(), "plan.trn");
    EXPECT_EQ(copy.parent_path().parent_path(), m_work.Path() + "/cache/Vantrel/Mail");
    fs::remove(m_document);
    EXPECT_EQ(ReadText(copy.string()), "the document's bytes");
    std::string message = ReadText((copy.parent_path() / "message.eml").string());
    EXPECT_NE(message.find("Subject: For Revision: plan.trn\r\n"), std::string::npos);
    EXPECT_NE(message.find("filename=\"plan.trn\""), std::string::npos);
    EXPECT_NE(message.find("dGhlIGRvY3VtZW50J3MgYnl0ZXM=\r\n"), std::string::npos) << "the bytes in base64";
}

TEST_F(MapiTest, RecipientsAndEightBitTextsReachTheMailProgram)
{
    char to[] = "SMTP:ann@example.org";
    char cc[] = "bob@example.org";
    std::vector<MapiRecipDesc> recipients
        = { { 0, MAPI_TO, nullptr, to, 0, nullptr }, { 0, MAPI_CC, nullptr, cc, 0, nullptr } };
    ASSERT_EQ(Send({}, recipients,
                  "Zur \xDC"
                  "berarbeitung"),
        SUCCESS_SUCCESS);
    EXPECT_EQ(Launched(),
        (std::vector<std::string> { "--utf8", "--subject",
            "Zur \xC3\x9C"
            "berarbeitung",
            "--cc", "bob@example.org", "ann@example.org" }));
}

TEST_F(MapiTest, AttachmentNamesStayPlainAndDistinct)
{
    ASSERT_EQ(Send({ Attachment(m_document, "../../evil\"name"), Attachment(m_document, nullptr),
                  Attachment(m_document, "afx1A2B.tmp") }),
        SUCCESS_SUCCESS);
    std::vector<std::string> args = Launched();
    ASSERT_EQ(args.size(), 9u);
    EXPECT_EQ(fs::path(args[4]).filename(), "evil_name");
    EXPECT_EQ(fs::path(args[6]).filename(), "afx1A2B.tmp");
    EXPECT_EQ(fs::path(args[8]).filename(), "2 afx1A2B.tmp");
    EXPECT_EQ(fs::path(args[4]).parent_path(), fs::path(args[8]).parent_path());
}

TEST_F(MapiTest, BadMessagesAreRefusedBeforeAnythingIsLaunched)
{
    char dash[] = "--attach=/etc/passwd";
    char fine[] = "ann@example.org";
    const std::pair<std::vector<MapiRecipDesc>, ULONG> recipientCases[] = {
        { { { 0, MAPI_TO, nullptr, dash, 0, nullptr } }, MAPI_E_INVALID_RECIPS },
        { { { 0, 7, nullptr, fine, 0, nullptr } }, MAPI_E_BAD_RECIPTYPE },
        { { { 0, MAPI_TO, nullptr, nullptr, 0, nullptr } }, MAPI_E_INVALID_RECIPS },
    };
    for (const auto& [recipients, result] : recipientCases)
        EXPECT_EQ(Send({}, recipients), result);
    EXPECT_EQ(Send({ Attachment(m_work.Path() + "/missing.trn") }), MAPI_E_ATTACHMENT_NOT_FOUND);
    EXPECT_EQ(Send({ Attachment(m_work.Path()) }), MAPI_E_ATTACHMENT_NOT_FOUND);
    EXPECT_EQ(MAPISendMail(0, 0, nullptr, 0, 0), MAPI_E_INVALID_MESSAGE);
    EXPECT_FALSE(fs::exists(m_record));
    EXPECT_FALSE(fs::exists(m_work.Path() + "/cache/Vantrel/Mail")) << "nothing was written";
}

TEST_F(MapiTest, NoMailProgramFails)
{
    MailProgram("exit 3");
    EXPECT_EQ(Send({ Attachment(m_document) }), MAPI_E_FAILURE);
    setenv("PATH", m_work.Path().c_str(), 1);
    EXPECT_EQ(Send({ Attachment(m_document) }), MAPI_E_FAILURE);
}

TEST_F(MapiTest, TheLibraryIsFoundByItsName)
{
    HMODULE library = LoadLibrary("MAPI32.DLL");
    ASSERT_NE(library, nullptr);
    auto send = reinterpret_cast<LPMAPISENDMAIL>(GetProcAddress(library, "MAPISendMail"));
    ASSERT_NE(send, nullptr);
    MapiFileDesc file = Attachment(m_document);
    MapiMessage message {};
    message.lpszSubject = const_cast<LPSTR>("x");
    message.nFileCount = 1;
    message.lpFiles = &file;
    EXPECT_EQ(send(0, 0, &message, MAPI_LOGON_UI | MAPI_DIALOG, 0), SUCCESS_SUCCESS);
    FreeLibrary(library);
}

TEST(MailMessage, IsWrittenAsAStandardMessage)
{
    MailMessage message;
    message.to = { "ann@example.org", "bob@example.org" };
    message.subject = "Plan \xC3\xBC";
    message.body = "Hi";
    message.attachments = { { "plan.trn", "abc" } };
    EXPECT_EQ(FormatMailMessage(message, "=_b"),
        "To: ann@example.org, bob@example.org\r\n"
        "Subject: =?UTF-8?B?UGxhbiDDvA==?=\r\n"
        "X-Unsent: 1\r\n"
        "MIME-Version: 1.0\r\n"
        "Content-Type: multipart/mixed; boundary=\"=_b\"\r\n"
        "\r\n"
        "--=_b\r\n"
        "Content-Type: text/plain; charset=UTF-8\r\n"
        "Content-Transfer-Encoding: base64\r\n"
        "\r\n"
        "SGk=\r\n"
        "--=_b\r\n"
        "Content-Type: application/octet-stream; name=\"plan.trn\"\r\n"
        "Content-Transfer-Encoding: base64\r\n"
        "Content-Disposition: attachment; filename=\"plan.trn\"\r\n"
        "\r\n"
        "YWJj\r\n"
        "--=_b--\r\n");
}

TEST(MailMessage, LongAttachmentsAreCutIntoLinesAndSubjectsCannotBreakHeaders)
{
    MailMessage message;
    message.subject = "x\r\nBcc: spy@example.org";
    message.attachments = { { "big", std::string(100, 'a') } };
    std::string text = FormatMailMessage(message, "b");
    EXPECT_EQ(text.find("\r\nBcc:"), std::string::npos);
    std::string fullLine;
    for (int i = 0; i < 19; ++i)
        fullLine += "YWFh"; // 57 bytes of 'a'
    EXPECT_NE(text.find("\r\n" + fullLine + "\r\n"), std::string::npos);
    for (const std::string& line : Lines(text))
        EXPECT_LE(line.size(), 77u) << line;
}

} // namespace

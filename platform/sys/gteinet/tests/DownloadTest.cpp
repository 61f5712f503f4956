#include "platform/sys/gteinet/InetDownload.h"

#include "platform/sys/Library.h"
#include "platform/sys/gteinet/tests/HttpTestServer.h"
#include "platform/sys/tests/TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct ProgressCall {
    int kind;
    LONG done;
    LONG total;
};

struct Recorder {
    std::vector<ProgressCall> calls;
    int cancelAtKind = 0;
};

int Record(void* context, int kind, LONG done, LONG total)
{
    auto& recorder = *static_cast<Recorder*>(context);
    recorder.calls.push_back({ kind, done, total });
    return kind == recorder.cancelAtKind ? 1 : 0;
}

class DownloadTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_server.Answer("/list.ins", HttpTestServer::Ok(m_body));
        m_server.Answer(
            "/short", "HTTP/1.1 200 OK\r\nContent-Length: 1000\r\nConnection: close\r\n\r\nonly a part");
        m_server.Answer(
            "/huge", "HTTP/1.1 200 OK\r\nContent-Length: 999999999999\r\nConnection: close\r\n\r\nabc");
        m_server.Start();
        WriteText(m_target, "before");
    }

    int Download(const std::string& path, Recorder* recorder = nullptr)
    {
        return Inet_DownloadFile("Lexigard", m_server.Url(path).c_str(), m_target.c_str(), 1,
            recorder != nullptr ? &Record : nullptr, recorder);
    }

    // Only the target itself may be in the folder: no partial file is left beside it.
    size_t FilesInFolder() const
    {
        return static_cast<size_t>(
            std::distance(fs::directory_iterator(m_folder.Path()), fs::directory_iterator()));
    }

    HttpTestServer m_server;
    TempFolder m_folder;
    std::string m_target = m_folder.Path() + "/vuz1A2B.tmp";
    std::string m_body = "; dictionaries\nEnglish.lex,English,1,2,2004,http://x/e.zip,1000\n";
};

TEST_F(DownloadTest, AWholeAnswerReplacesTheFileAndReportsProgress)
{
    Recorder recorder;
    EXPECT_EQ(Download("/list.ins", &recorder), INET_OK);
    EXPECT_EQ(ReadText(m_target), m_body);
    EXPECT_EQ(FilesInFolder(), 1u);
    ASSERT_GE(recorder.calls.size(), 3u);
    EXPECT_EQ(recorder.calls[0].kind, INET_CONNECTING);
    EXPECT_EQ(recorder.calls[1].kind, INET_WAITING);
    const ProgressCall& last = recorder.calls.back();
    EXPECT_EQ(last.kind, INET_RECEIVING);
    EXPECT_EQ(last.done, static_cast<LONG>(m_body.size()));
    EXPECT_EQ(last.total, static_cast<LONG>(m_body.size()));
}

TEST_F(DownloadTest, FailedTransfersLeaveTheFileAsItWas)
{
    const std::pair<const char*, int> cases[] = {
        { "/missing", INET_FAILED },
        { "/short", INET_FAILED },
        { "/huge", INET_FAILED },
    };
    for (const auto& [path, result] : cases) {
        EXPECT_EQ(Download(path), result) << path;
        EXPECT_EQ(ReadText(m_target), "before") << path;
        EXPECT_EQ(FilesInFolder(), 1u) << path;
    }
}

TEST_F(DownloadTest, AnAnswerWithoutALengthIsCutOffAtTheLimit)
{
    std::string endless = "HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n";
    endless.append(static_cast<size_t>(kInetMaxBytes) + 1024 * 1024, 'x');
    m_server.Answer("/endless", endless);
    EXPECT_EQ(Download("/endless"), INET_FAILED);
    EXPECT_EQ(ReadText(m_target), "before");
    EXPECT_EQ(FilesInFolder(), 1u);
}

TEST_F(DownloadTest, ARefusedConnectionCannotConnect)
{
    std::string url;
    {
        HttpTestServer closed;
        url = closed.Url("/list.ins");
    }
    EXPECT_EQ(Inet_DownloadFile("", url.c_str(), m_target.c_str(), 1, nullptr, nullptr), INET_NO_CONNECTION);
    EXPECT_EQ(ReadText(m_target), "before");
}

TEST_F(DownloadTest, TheCallbackCancels)
{
    for (int kind : { INET_CONNECTING, INET_WAITING, INET_RECEIVING }) {
        Recorder recorder;
        recorder.cancelAtKind = kind;
        EXPECT_EQ(Download("/list.ins", &recorder), INET_CANCELLED) << kind;
        EXPECT_EQ(recorder.calls.back().kind, kind);
        EXPECT_EQ(ReadText(m_target), "before");
        EXPECT_EQ(FilesInFolder(), 1u);
    }
}

TEST_F(DownloadTest, OnlyWebAddressesAreFetched)
{
    std::string local = "file://" + m_target;
    EXPECT_EQ(Inet_DownloadFile("", local.c_str(), (m_folder.Path() + "/copy").c_str(), 1, nullptr, nullptr),
        INET_FAILED);
    EXPECT_EQ(Inet_DownloadFile("", "", m_target.c_str(), 1, nullptr, nullptr), INET_FAILED);
    EXPECT_FALSE(fs::exists(m_folder.Path() + "/copy"));
}

TEST_F(DownloadTest, AnUnwritableTargetIsReported)
{
    std::string target = m_folder.Path() + "/no/such/folder/file";
    EXPECT_EQ(Inet_DownloadFile("", m_server.Url("/list.ins").c_str(), target.c_str(), 1, nullptr, nullptr),
        INET_NO_FILE);
}

TEST_F(DownloadTest, TheLibraryIsFoundByItsName)
{
    HMODULE library = LoadLibrary("GTEINET.DLL");
    ASSERT_NE(library, nullptr);
    auto download = reinterpret_cast<INET_DOWNLOADFILE>(GetProcAddress(library, "Inet_DownloadFile"));
    ASSERT_NE(download, nullptr);
    EXPECT_EQ(
        download("", m_server.Url("/list.ins").c_str(), m_target.c_str(), 1, nullptr, nullptr), INET_OK);
    EXPECT_EQ(ReadText(m_target), m_body);
    FreeLibrary(library);
}

} // namespace

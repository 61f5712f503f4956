#include "Fixtures.h"
#include "LoopbackHttpServer.h"

#include "piclib/common/PLTextException.h"
#include "piclib/common/PLURLSource.h"

#include <curl/curl.h>
#include <gtest/gtest.h>

namespace {

TEST(URLSource, AnswersByStatus)
{
    LoopbackHttpServer server({
        {"/ok", {200, "OK", "picture bytes", ""}},
        {"/moved", {302, "Found", "moved body", "Location: /ok\r\n"}},
        {"/missing", {404, "Not Found", "nothing", ""}},
        {"/teapot", {418, "I'm a teapot", "", ""}},
        {"/broken", {500, "Internal Server Error", "", ""}},
    });
    struct Case {
        const char* path;
        int result;
        std::string body;
        int lastError;
        std::string errorText;
    };
    const Case cases[] = {
        {"/ok", 0, "picture bytes", 0, ""},
        {"/moved", 0, "moved body", 0, ""},
        {"/missing", PL_ERRURL_SOURCE, "", 404, "Not Found"},
        {"/teapot", PL_ERRURL_SOURCE, "", 418, "Unknown error"},
        {"/broken", PL_ERRURL_SOURCE, "", 500, "Internal Server Error"},
    };
    for (const Case& c : cases) {
        PLURLSource source;
        const std::string url = server.Url(c.path);
        ASSERT_EQ(source.OpenSource(url.c_str()), c.result) << c.path;
        if (c.result == 0) {
            EXPECT_STREQ(source.GetName(), url.c_str());
            ASSERT_EQ(source.GetFileSize(), static_cast<int>(c.body.size()));
            EXPECT_EQ(std::string(reinterpret_cast<const char*>(source.ReadBytes(source.GetFileSize())), c.body.size()),
                      c.body);
            EXPECT_THROW(source.ReadBytes(1), PLTextException);
        } else {
            EXPECT_FALSE(source.IsOpen());
            EXPECT_EQ(source.GetLastError(), c.lastError) << c.path;
            EXPECT_STREQ(source.GetErrorText(), c.errorText.c_str()) << c.path;
        }
    }
}

TEST(URLSource, RefusedConnectionKeepsCurlsResult)
{
    PLURLSource source;
    const std::string url = "http://127.0.0.1:" + std::to_string(LoopbackHttpServer::ClosedPort()) + "/x";
    EXPECT_EQ(source.OpenSource(url.c_str()), PL_ERRURL_SOURCE);
    EXPECT_EQ(source.GetLastError(), CURLE_COULDNT_CONNECT);
    EXPECT_STRNE(source.GetErrorText(), "");
}

TEST(URLSource, DecodesAPictureFromAUrl)
{
    const auto png = FixtureBytes("rgba.png");
    LoopbackHttpServer server({{"/picture.png", {200, "OK", std::string(png.begin(), png.end()), ""}}});
    PLAnyPicDecoder decoder;
    PLAnyBmp bmp;
    decoder.MakeBmpFromURL(server.Url("/picture.png").c_str(), &bmp);
    EXPECT_EQ(RgbaOf(bmp), FixtureBytes("rgba.png.rgba"));
    try {
        decoder.MakeBmpFromURL(server.Url("/gone.png").c_str(), &bmp);
        FAIL();
    } catch (const PLTextException& e) {
        EXPECT_EQ(e.GetCode(), PL_ERRURL_SOURCE);
        EXPECT_EQ(e.GetExtra(), 404);
        EXPECT_EQ(std::string(e.GetText()),
                  "Decoder error: Reading URL " + server.Url("/gone.png") + " failed, reason: Not Found\n");
    }
}

} // namespace

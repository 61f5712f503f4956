#include "imaging/ipl/IplError.h"
#include "imaging/ipl/tests/ImageFixture.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(ErrorContext, StatusTexts)
{
    const std::pair<int, const char*> cases[] = {
        {0, "No Error"},
        {-1, "Backtrace"},
        {-4, "Out of memory"},
        {-9, "Null pointer to an image header"},
        {-10, "Incorrect image size"},
        {-12, "One from two pointers should be null, and other should be not null, imageData or tileInfo "},
        {-25, "Incorrect size of ROI in the image header"},
        {-26, "Mask image is taled"},
        {-110, "Mask. Incorrect image size"},
        {-117, "Mask. Incorrect depth value in the image header"},
        {-125, "Mask. Incorrect size of ROI in the image header"},
        {-2, "Unknown error or status code"},
        {-109, "Unknown error or status code"},
        {-116, "Unknown error or status code"},
        {-122, "Unknown error or status code"},
        {-123, "Unknown error or status code"},
        {-126, "Unknown error or status code"},
        {5, "Unknown error or status code"},
        {-2147483647 - 1, "Unknown error or status code"},
    };
    for (const auto& [status, text] : cases)
        EXPECT_STREQ(iplStatusText(status), text) << status;
}

std::vector<std::pair<std::string, std::string>>& shown()
{
    static std::vector<std::pair<std::string, std::string>> list;
    return list;
}

void capture(const char* caption, const char* text)
{
    shown().emplace_back(caption, text);
}

struct ModeCase {
    int mode;
    int status;
    const char* expected;
};

TEST(ErrorContext, DefaultReportMessagesInEveryMode)
{
    const ModeCase cases[] = {
        {0, -5, "In function iplBlur(): [file iplblur, line 12]\n(nRows<0)\n\nBad argument\n(status: -5)"
                "\n\nErrMode=IPL_ErrorModeLeaf\n\nTerminate the application?"},
        {1, -1, "Called from Shadow(): [file iplblur, line 12]\n(nRows<0)\n\nBacktrace\n(status: -1)"
                "\n\nErrMode=IPL_ErrorModeParent\n\nContinue?"},
        {2, -5, nullptr},
    };
    IplMessageHandler previous = iplSetMessageHandler(capture);
    for (const auto& c : cases) {
        shown().clear();
        iplSetErrorMode(c.mode);
        const char* func = c.status == -1 ? "Shadow" : "iplBlur";
        EXPECT_EQ(iplDefaultReport(c.status, func, "(nRows<0)", "iplblur", 12), c.status);
        if (!c.expected) {
            EXPECT_TRUE(shown().empty());
            continue;
        }
        ASSERT_EQ(shown().size(), 1u);
        EXPECT_EQ(shown()[0].first, "IPL v2.0 Beta");
        EXPECT_EQ(shown()[0].second, c.expected);
    }
    iplSetErrorMode(0);
    iplSetMessageHandler(previous);
}

TEST(ErrorContext, ReportFillsNullsAndSizesItsBufferFromEveryText)
{
    IplMessageHandler previous = iplSetMessageHandler(capture);
    iplSetErrorMode(1);
    shown().clear();
    iplDefaultReport(-5, nullptr, nullptr, nullptr, -7);
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_EQ(shown()[0].second.rfind("In function <unknown>(): [file , line 0]\n\n\nBad argument", 0), 0u);
    std::string longName(5000, 'f');
    std::string longFile(3000, 'm');
    shown().clear();
    iplDefaultReport(-5, longName.c_str(), "ctx", longFile.c_str(), 2147483647);
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_NE(shown()[0].second.find(longName + "(): [file " + longFile + ", line 2147483647]"), std::string::npos);
    EXPECT_NE(shown()[0].second.find("Continue?"), std::string::npos);
    iplSetErrorMode(0);
    iplSetMessageHandler(previous);
}

int g_calls = 0;
int counting(int status, const char*, const char*, const char*, int)
{
    ++g_calls;
    return status * 10;
}

TEST(ErrorContext, ReportRecordsStatusExceptTraces)
{
    IplErrorCallBack previous = iplRedirectError(counting);
    EXPECT_EQ(previous, iplDefaultReport);
    g_calls = 0;
    EXPECT_EQ(iplReportError(-5, "f", "c", "m", 1), -50);
    EXPECT_EQ(iplGetErrorStatus(), -5);
    EXPECT_EQ(iplReportError(-1, "f", "c", "m", 1), -10);
    EXPECT_EQ(iplGetErrorStatus(), -5);
    EXPECT_EQ(iplReportError(-8, "f", "c", "m", 1), -80);
    EXPECT_EQ(iplGetErrorStatus(), -5);
    EXPECT_EQ(iplReportError(0, "f", "c", "m", 1), 0);
    EXPECT_EQ(iplGetErrorStatus(), 0);
    EXPECT_EQ(g_calls, 3);
    EXPECT_EQ(iplRedirectError(nullptr), counting);
    EXPECT_EQ(iplRedirectError(nullptr), iplDefaultReport);
}

TEST(ErrorContext, SilentReportAndModesNeverEndTheProcess)
{
    for (int mode : {0, 1, 2}) {
        iplSetErrorMode(mode);
        EXPECT_EQ(iplGetErrorMode(), mode);
        EXPECT_EQ(iplSilentReport(-5, "f", "c", "m", 1), -5);
    }
    iplSetErrorMode(0);
    IplErrorContext context{-3, 2, iplSilentReport};
    EXPECT_EQ(iplInitErrorContext(&context), &context);
    EXPECT_EQ(context.status, 0);
    EXPECT_EQ(context.mode, 0);
    EXPECT_EQ(context.report, iplDefaultReport);
    EXPECT_EQ(iplInitErrorContext(nullptr), nullptr);
    EXPECT_NE(ownErrorContext(), nullptr);
}

TEST(ErrorContext, LibraryVersion)
{
    const IplLibVersion* version = iplGetLibVersion();
    EXPECT_EQ(version->major, 2);
    EXPECT_EQ(version->minor, 0);
    EXPECT_EQ(version->build, 2);
    EXPECT_STREQ(version->version, "v2.0 Beta");
    EXPECT_STREQ(version->internalVersion, "[2.0.02]");
}

} // namespace

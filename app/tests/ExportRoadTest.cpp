// A drawn page exported as a web page, a picture and a PDF file, and the saved document sent by mail,
// all from the running program's menus.
#include "app/tests/E2E.h"
#include "app/tests/RoadTest.h"

#include "View/MyView.h"
#include "View/tests/PdfInfo.h"

#include "platform/sys/tests/TestFiles.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

constexpr int kNew = 57600;

std::string Menu(int id)
{
    return "menu " + std::to_string(id) + "\n";
}

// The desktop's mail program is a stand-in on PATH that writes its arguments down.
class ExportRoadTest : public e2e::RoadTest {
protected:
    void SetUp() override
    {
        e2e::RoadTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        oldPath = std::getenv("PATH");
        fs::create_directories(Path("bin"));
        const std::string mail = Path("bin/xdg-email");
        std::ofstream(mail) << "#!/bin/sh\nprintf '%s\\n' \"$@\" > '" << Path("mail-args") << "'\n";
        fs::permissions(mail, fs::perms::owner_all);
        setenv("PATH", (Path("bin") + ":" + oldPath).c_str(), 1);
        setenv("XDG_CACHE_HOME", Path("cache").c_str(), 1);
    }
    void TearDown() override
    {
        if (!oldPath.empty())
            setenv("PATH", oldPath.c_str(), 1);
        unsetenv("XDG_CACHE_HOME");
    }

    std::string oldPath;
};

TEST_F(ExportRoadTest, ADrawnPageBecomesAWebPageAndAPdfAndItsDocumentIsMailed)
{
    fs::create_directories(Path("site"));
    const std::string script = "wait 300\n" + Menu(kNew) + Menu(CMyView::ToolRectangle) +
        "drag view 100 100 300 200\nwait 200\n"
        // The save dialog first, then the export options: Enter takes them as they are.
        "file " + Path("site/plan.html") + "\n" + Menu(CMyView::CmdSaveAsWebsite) + "wait 300\nkey enter\nwait 500\n"
        // The graphic: the export options first, then the save dialog.
        "file " + Path("picture.jpg") + "\n" + Menu(CMyView::CmdExportGraphic) + "wait 300\nkey enter\nwait 500\n"
        "file " + Path("plan.pdf") + "\n" + Menu(CMyView::CmdExportPdf) + "wait 300\n" +
        Save("plan.trn") + Menu(CMyView::CmdMailForRevision) + "wait 500\nquit\n";
    e2e::Run run = e2e::RunVantrel(script, home);
    ASSERT_EQ(run.exitCode, 0) << run.log;
    EXPECT_EQ(run.log.find("box:"), std::string::npos) << run.log;

    const std::string page = ReadText(Path("site/plan.html"));
    EXPECT_NE(page.find("<img border=\"0\" src=\"plan.jpg\" alt=\"plan\" width=\""), std::string::npos) << page;
    EXPECT_EQ(page.find("<map"), std::string::npos) << page;
    EXPECT_EQ(ReadText(Path("site/plan.jpg")).substr(0, 3), "\xFF\xD8\xFF");

    EXPECT_EQ(ReadText(Path("picture.jpg")).substr(0, 3), "\xFF\xD8\xFF");
    EXPECT_EQ(PdfInfoField(Path("plan.pdf"), "Pages"), "1");

    const std::string args = ReadText(Path("mail-args"));
    EXPECT_NE(args.find("--subject\nFor Revision: plan.trn\n"), std::string::npos) << args;
    const size_t attach = args.find("--attach\n");
    ASSERT_NE(attach, std::string::npos) << args;
    const std::string attached = args.substr(attach + 9, args.find('\n', attach + 9) - attach - 9);
    EXPECT_EQ(fs::path(attached).filename(), "plan.trn");
    EXPECT_EQ(ReadText(attached), ReadText(Path("plan.trn")));
}

} // namespace

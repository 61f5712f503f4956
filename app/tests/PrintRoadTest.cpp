// Printing, played into the real program against a print server the test starts: File Print
// sends the chosen pages of a document to a desktop queue, and Cancel on the printing dialog
// stops a long job so that nothing reaches the queue.
#include "app/tests/E2E.h"
#include "app/tests/RoadTest.h"

#include "View/tests/DocumentBytes.h"
#include "View/tests/PdfInfo.h"
#include "View/tests/PrivateCups.h"

#include <gtest/gtest.h>

#include <QImage>

#include <fstream>
#include <memory>

namespace {

const std::string kPrint = "menu 57607\n";

class PrintRoadTest : public e2e::RoadTest {
protected:
    void SetUp() override
    {
        RoadTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        cups = std::make_unique<PrivateCups>();
        if (!cups->Running())
            GTEST_SKIP() << "no print server of our own: " << cups->Error();
        ASSERT_TRUE(cups->AddQueue("Test"));
    }
    void TearDown() override { cups.reset(); }

    // A document of the given number of pages, each with a box, opened through File Open.
    std::string Open(int pages) const
    {
        Bytes file = Concat({FrameRecord(), FirstPage()});
        for (int i = 1; i < pages; ++i)
            file = Concat({file, SecondPage()});
        const std::string path = Path("pages.trn");
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(file.data()),
                                                    static_cast<std::streamsize>(file.size()));
        return "file " + path + "\nmenu 57601\nwait 1500\n";
    }

    std::unique_ptr<PrivateCups> cups;
};

TEST_F(PrintRoadTest, FilePrintSendsTheChosenPagesToTheQueue)
{
    Play("wait 300\n" + Open(3) + "printer Test 2 3 2\n" + kPrint + "wait 6000\nquit\n");
    ASSERT_TRUE(cups->WaitForJob("Test"));
    EXPECT_EQ(PdfInfoField(cups->Output("Test"), "Pages"), "2");
    EXPECT_EQ(cups->Copies("Test"), 2);
}

// The printing dialog's Cancel lies at (120, 121) of its client area.
TEST_F(PrintRoadTest, CancelOnThePrintingDialogStopsALongJob)
{
    const e2e::Run run = Play("wait 300\n" + Open(40) + "printer Test 0 0 1\n" + kPrint + "wait 1500\nsnapshot dialog " +
                              Path("printing.png") + "\nclick dialog 120 121\nwait 1000\nscreenshot " +
                              Path("after.png") + "\nquit\n");
    const QImage printing(QString::fromStdString(Path("printing.png")));
    ASSERT_FALSE(printing.isNull()) << "the printing dialog showed";
    EXPECT_LT(printing.width(), 400);
    EXPECT_EQ(run.log.find("box:"), std::string::npos) << "a cancelled job is not a failure" << run.log;
    EXPECT_TRUE(cups->NoJobArrives("Test"));
}

} // namespace

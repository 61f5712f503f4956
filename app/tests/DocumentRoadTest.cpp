// What a document file keeps, played into the real program: connected Rectangle-tool boxes
// across a save and reopen, one editing view per page record, the frame's size over repeated
// opens and saves, and the numbered titles of new documents.
#include "app/tests/E2E.h"
#include "app/tests/RoadTest.h"
#include "app/tests/SavedPage.h"

#include "View/MyView.h"
#include "View/tests/DocumentBytes.h"
#include "objects/kinds/ConnectOb.h"

#include <gtest/gtest.h>

#include <QImage>

#include <algorithm>
#include <fstream>
#include <iterator>

namespace {

const std::string kNew = "menu 57600\n";
const std::string kClose = "menu 57602\n";
const std::string kRectangle = "menu " + std::to_string(CMyView::ToolRectangle) + "\n";
const std::string kConnector = "menu " + std::to_string(CMyView::ToolConnector) + "\n";

Bytes ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteAll(const std::string& path, const Bytes& bytes)
{
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
}

bool Contains(const Bytes& file, const Bytes& part)
{
    return std::search(file.begin(), file.end(), part.begin(), part.end()) != file.end();
}

// A pixel of a window picture, 0xRRGGBB; -1 outside it.
long long PixelAt(const std::string& path, int x, int y)
{
    QImage image(QString::fromStdString(path));
    if (!image.valid(x, y))
        return -1;
    return image.pixel(x, y) & 0xFFFFFF;
}

bool IsDark(long long pixel)
{
    return pixel >= 0 && ((pixel >> 16) & 0xFF) < 96 && ((pixel >> 8) & 0xFF) < 96 && (pixel & 0xFF) < 96;
}

class DocumentRoadTest : public e2e::RoadTest {
protected:
    void Play(const std::string& script)
    {
        e2e::Run run = e2e::RunVantrel(script, home);
        ASSERT_EQ(run.exitCode, 0) << run.log;
        EXPECT_EQ(run.log.find("error"), std::string::npos) << run.log;
        log = run.log;
    }
    std::string Open(const std::string& path) const { return "file " + path + "\nmenu 57601\nwait 400\n"; }

    std::string log;
};

// Box A at (100, 100, 200, 200), B at (300, 100, 400, 200); the connector runs from A's right
// middle (200, 150) to B's left middle (300, 150).
TEST_F(DocumentRoadTest, ConnectedBoxesStayConnectedAfterSaveCloseAndReopen)
{
    Play("wait 300\n" + kNew + kRectangle + "drag view 100 100 200 200\n" + kRectangle +
         "drag view 300 100 400 200\n" + kConnector + "drag view 200 150 300 150\nwait 100\n" + Save("drawn.trn") +
         kClose + Open(Path("drawn.trn")) + "snapshot view " + Path("reopened.png") + "\n" +
         "drag view 350 120 350 220\nwait 200\nclick view 600 500\nwait 100\n" +
         "snapshot view " + Path("moved.png") + "\n" + Save("moved.trn") + "quit\n");

    CMyView reader;
    ASSERT_TRUE(e2e::ReadSavedPage(Path("moved.trn"), reader));
    ASSERT_EQ(reader.GetObjects().GetSize(), 3);
    auto* connector = dynamic_cast<CConnectOb*>(reader.GetObjectAtIndex(0));
    ASSERT_NE(connector, nullptr);
    EXPECT_EQ(connector->m_ends.m_ends[0].code, CString("Border1"));
    EXPECT_EQ(connector->m_ends.m_ends[1].code, CString("Border2"));
    std::vector<CPoint> path;
    for (int p = 0; p < connector->GetNumberOfPoints(); ++p)
        path.push_back(connector->GetPoint(p));
    EXPECT_EQ(path, (std::vector<CPoint>{{200, 150}, {250, 150}, {250, 250}, {300, 250}}));

    // On screen (the window's edge puts page point (x, y) at pixel (x + 2, y + 2)): the straight
    // connector after reopening, then its bend down to the moved box, below its label.
    EXPECT_TRUE(IsDark(PixelAt(Path("reopened.png"), 296, 152)));
    EXPECT_FALSE(IsDark(PixelAt(Path("reopened.png"), 252, 235)));
    EXPECT_TRUE(IsDark(PixelAt(Path("moved.png"), 252, 235)));
    EXPECT_TRUE(IsDark(PixelAt(Path("moved.png"), 277, 252)));
}

// A box read from a file is selected with a click, resized by its corner handle, and one undo
// takes the size back; on screen the handles show and the right edge moves.
TEST_F(DocumentRoadTest, AReopenedBoxIsSelectedResizedAndTheResizeUndone)
{
    Play("wait 300\n" + kNew + kRectangle + "drag view 100 100 200 200\nwait 100\nclick view 600 500\n" +
         Save("box.trn") + kClose + Open(Path("box.trn")) + "snapshot view " + Path("reopened.png") + "\n" +
         "click view 150 150\nwait 100\nsnapshot view " + Path("selected.png") + "\n" +
         "drag view 200 200 260 240\nwait 200\nsnapshot view " + Path("resized.png") + "\n" + Save("resized.trn") +
         "key ctrl+z\nwait 100\n" + Save("undone.trn") + "quit\n");

    const auto rectOf = [this](const char* name) {
        CMyView reader;
        CRect rect;
        if (e2e::ReadSavedPage(Path(name), reader) && reader.GetObjects().GetSize() == 1)
            reader.GetObjectAtIndex(0)->GetRect(&rect, nullptr);
        return rect;
    };
    EXPECT_EQ(rectOf("box.trn"), CRect(100, 100, 200, 200));
    EXPECT_EQ(rectOf("resized.trn"), CRect(100, 100, 260, 240));
    EXPECT_EQ(rectOf("undone.trn"), CRect(100, 100, 200, 200));

    // Page point (x, y) shows at pixel (x + 2, y + 2): a handle just outside the corner once
    // selected, and the right edge at its new place once resized.
    EXPECT_EQ(PixelAt(Path("reopened.png"), 206, 206), 0xFFFFFF);
    EXPECT_NE(PixelAt(Path("selected.png"), 206, 206), 0xFFFFFF);
    EXPECT_FALSE(IsDark(PixelAt(Path("selected.png"), 261, 172)));
    EXPECT_TRUE(IsDark(PixelAt(Path("resized.png"), 261, 172)));
}

TEST_F(DocumentRoadTest, ATwoPageFileOpensTwoViewsAndSavesBothPages)
{
    WriteAll(Path("two.trn"), Concat({FrameRecord(), FirstPage(), SecondPage()}));
    // Close shuts the first page's window; the second page's view is then in front.
    Play("wait 300\n" + Open(Path("two.trn")) + "snapshot view " + Path("first.png") + "\n" + Save("saved.trn") +
         kClose + "wait 300\nsnapshot view " + Path("second.png") + "\nquit\n");
    EXPECT_EQ(log.find("box:"), std::string::npos) << log;

    const Bytes saved = ReadAll(Path("saved.trn"));
    const Bytes a = BorderGenRecord("A");
    const Bytes b = BorderGenRecord("B", 200);
    ASSERT_TRUE(Contains(saved, a));
    ASSERT_TRUE(Contains(saved, b));
    EXPECT_LT(std::search(saved.begin(), saved.end(), a.begin(), a.end()),
              std::search(saved.begin(), saved.end(), b.begin(), b.end()));

    // Box A fills (10, 20, 110, 80) green, box B (200, 20, 300, 80).
    EXPECT_EQ(PixelAt(Path("first.png"), 60, 50), 0x00FF00);
    EXPECT_NE(PixelAt(Path("first.png"), 250, 50), 0x00FF00);
    EXPECT_EQ(PixelAt(Path("second.png"), 250, 50), 0x00FF00);
    EXPECT_NE(PixelAt(Path("second.png"), 60, 50), 0x00FF00);
}

TEST_F(DocumentRoadTest, FiveOpensAndSavesKeepTheFrameSizeAndNewDocumentsAreNumbered)
{
    WriteAll(Path("size.trn"), Concat({FrameRecord(), FirstPage()}));
    std::string script = "wait 300\n";
    std::string previous = Path("size.trn");
    for (int round = 1; round <= 5; ++round) {
        const std::string name = "size" + std::to_string(round) + ".trn";
        script += Open(previous) + Save(name.c_str()) + kClose;
        previous = Path(name);
    }
    script += kNew + kNew + "wait 300\nscreenshot " + Path("new.png") + "\n" + Save("second.trn") + kClose +
              "wait 200\n" + Save("first.trn") + "quit\n";
    Play(script);
    for (int round = 1; round <= 5; ++round)
        EXPECT_EQ(StoredFrameSize(ReadAll(Path("size" + std::to_string(round) + ".trn"))), std::make_pair(100, 100))
            << round;
    EXPECT_TRUE(Contains(ReadAll(Path("first.trn")), ShortString("Document 1")));
    EXPECT_TRUE(Contains(ReadAll(Path("second.trn")), ShortString("Document 2")));
}

} // namespace

// The shell's panes end to end: the Tasks pane opens a note template, the Learning Center
// opens a link with the desktop's handler, the status bar shows the selected object's place
// and size, and the Options sheet writes its settings on OK.
#include "app/tests/E2E.h"
#include "app/tests/RoadTest.h"
#include "app/tests/SavedPage.h"

#include "View/MyView.h"
#include "objects/HyperViewOb.h"
#include "objects/LayerFmt.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QRect>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

std::string ReadText(const std::string& path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Pixels darker than mid grey in a rectangle of the picture: text drawn there.
int DarkPixels(const QImage& image, int left, int top, int right, int bottom)
{
    int dark = 0;
    for (int y = std::max(top, 0); y < std::min(bottom, image.height()); ++y)
        for (int x = std::max(left, 0); x < std::min(right, image.width()); ++x)
            dark += qGray(image.pixel(x, y)) < 100;
    return dark;
}

class ShellPanesRoadTest : public e2e::RoadTest {
protected:
    void SetUp() override
    {
        e2e::RoadTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        std::filesystem::create_directories(home + "/config/Korvane");
        std::filesystem::create_directories(home + "/web");
        std::filesystem::create_directories(home + "/notes");
        std::filesystem::create_directories(home + "/bin");
        std::ofstream(home + "/config/Korvane/Vantrel Q8.ini")
            << "[Settings]\nStartUpTime=0\nWeb.Directory=" << home << "/web\nNotes.Directory=" << home << "/notes\n";
        std::ofstream(home + "/web/urls.txt") << "1\n\"Start\",\"https://learn.example/\",2\n"
                                                 "\"Intro\",\"intro.html\",0\n\"Tour\",\"tour.html\",1\n";
        // The desktop's handler: notes what it was asked to open.
        std::ofstream(home + "/bin/xdg-open") << "#!/bin/sh\necho \"$@\" >> " << home << "/opened.txt\n";
        std::filesystem::permissions(home + "/bin/xdg-open", std::filesystem::perms::owner_all);
        path = getenv("PATH") ? getenv("PATH") : "";
        setenv("PATH", (home + "/bin:" + path).c_str(), 1);
    }
    void TearDown() override
    {
        if (!home.empty())
            setenv("PATH", path.c_str(), 1);
    }

    std::string path;
};

// Places in the main window under the virtual display's default layout: the panes are tabs
// on the right, the Tour link is the Learning Center's second link and the template box is
// the Tasks pane's second item.
constexpr const char* kTourLink = "778 193";
constexpr const char* kTemplateBox = "805 192";

TEST_F(ShellPanesRoadTest, TemplatesLinksAndTheSelectedObjectsPlaceAreReachable)
{
    const std::string make = "wait 300\nmenu 57600\nmenu " + std::to_string(CMyView::ToolRectangle) +
                             "\ndrag view 60 60 160 120\nwait 200\nfile " + Path("notes/Meeting.trn") +
                             "\nmenu 57604\nquit\n";
    e2e::Run made = e2e::RunVantrel(make, home);
    ASSERT_EQ(made.exitCode, 0) << made.log;

    const std::string script = "wait 300\nmenu 57600\nmenu " + std::to_string(CMyView::ToolRectangle) +
                               "\ndrag view 60 60 160 120\nwait 200\n"
                               "menu 34042\nmenu 34042\nwait 200\nscreenshot " + Path("links.png") +
                               "\nclick main " + kTourLink + "\nwait 300\n"
                               "menu 34043\nmenu 34043\nwait 200\nscreenshot " + Path("tasks.png") +
                               "\nclick main " + kTemplateBox + "\nkey down\nwait 500\n"
                               "file " + Path("from-template.trn") + "\nmenu 57604\n"
                               "answer 7\nquit\n";
    e2e::Run run = e2e::RunVantrel(script, home);
    ASSERT_EQ(run.exitCode, 0) << run.log;
    EXPECT_EQ(run.log.find("error"), std::string::npos) << run.log;

    EXPECT_EQ(ReadText(Path("opened.txt")), "https://learn.example/tour.html\n");

    CMyView reader;
    ASSERT_TRUE(e2e::ReadSavedPage(Path("from-template.trn"), reader)) << "the template opened as a document";
    EXPECT_EQ(reader.GetObjects().GetSize(), 1);

    for (const char* shot : {"links.png", "tasks.png"}) {
        QImage image(QString::fromStdString(Path(shot)));
        ASSERT_FALSE(image.isNull()) << shot;
        const int w = image.width(), h = image.height();
        EXPECT_GT(DarkPixels(image, w - 170, h - 19, w - 2, h - 1), 20) << shot << ": position and size panes";
        EXPECT_GT(DarkPixels(image, w - 196, 130, w - 8, 200), 20) << shot << ": the pane's links";
    }
}

// The Layers pane's tool bar buttons and the first row's visibility icon.
constexpr const char* kAddLayer = "752 134";
constexpr const char* kAddNoticeLayer = "774 134";
// The tool bar's strip and the note-sheet yellow of its Add New Noticelayer picture.
const QRect kLayersToolBar(730, 120, 100, 30);
constexpr QRgb kNoteSheet = qRgb(0xFD, 0xF6, 0xA3);
constexpr const char* kFirstRowVisible = "748 159";

TEST_F(ShellPanesRoadTest, TheLayersPaneAddsLayersAndHidesTheirObjects)
{
    const std::string script = "wait 300\nmenu 57600\nmenu " + std::to_string(CMyView::ToolRectangle) +
                               "\ndrag view 60 60 260 160\nmenu 60441\nwait 300\nscreenshot " + Path("shown.png") +
                               "\nclick main " + kAddLayer + "\nclick main " + kAddNoticeLayer +
                               "\nclick main " + kFirstRowVisible + "\nwait 300\nscreenshot " + Path("hidden.png") +
                               "\nfile " + Path("layers.trn") + "\nmenu 57604\nquit\n";
    e2e::Run run = e2e::RunVantrel(script, home);
    ASSERT_EQ(run.exitCode, 0) << run.log;
    EXPECT_EQ(run.log.find("error"), std::string::npos) << run.log;

    CMyView reader;
    ASSERT_TRUE(e2e::ReadSavedPage(Path("layers.trn"), reader));
    const CLayerFmt* layers = reader.GetPageObject()->GetLayerList();
    ASSERT_NE(layers, nullptr);
    ASSERT_EQ(layers->GetSize(), 4);
    EXPECT_FALSE(layers->GetLayerItem(0)->m_visible);
    EXPECT_LT(layers->GetLayerItem(2)->GetId(), CLayerItem::NoticeBase);
    EXPECT_GE(layers->GetLayerItem(3)->GetId(), CLayerItem::NoticeBase);

    // The rectangle's outline is drawn only while its layer shows; the area holds the page's
    // top left wherever the bars and rulers put it.
    const QImage shown(QString::fromStdString(Path("shown.png"))), hidden(QString::fromStdString(Path("hidden.png")));
    ASSERT_FALSE(shown.isNull());
    ASSERT_FALSE(hidden.isNull());
    EXPECT_GT(DarkPixels(shown, 40, 140, 460, 360) - DarkPixels(hidden, 40, 140, 460, 360), 300);

    int noteSheet = 0;
    for (int y = kLayersToolBar.top(); y <= kLayersToolBar.bottom(); ++y)
        for (int x = kLayersToolBar.left(); x <= kLayersToolBar.right(); ++x)
            noteSheet += (shown.pixel(x, y) & 0xFFFFFF) == (kNoteSheet & 0xFFFFFF);
    EXPECT_GT(noteSheet, 8) << "the pane shows no tool bar pictures";
}

// The Info box's link under the box's own layout: "www.korvane.example" at 76,58 dialog units.
TEST_F(ShellPanesRoadTest, TheInfoBoxLinkOpensTheHomePage)
{
    e2e::Run run = e2e::RunVantrel("wait 300\nmenu 57664\nwait 300\nclick dialog 120 97\nwait 300\n"
                                   "key escape\nwait 100\nquit\n",
                                   home);
    ASSERT_EQ(run.exitCode, 0) << run.log;
    EXPECT_EQ(run.log.find("box:"), std::string::npos) << run.log;
    EXPECT_EQ(ReadText(Path("opened.txt")), "https://www.korvane.example\n");
}

TEST_F(ShellPanesRoadTest, TheCalenderOpensFromTheMenuAndKeepsItsPlace)
{
    e2e::Run run = e2e::RunVantrel("wait 300\nmenu 32824\nwait 300\nmenu 32824\nmenu 32824\nwait 200\nquit\n", home);
    ASSERT_EQ(run.exitCode, 0) << run.log;
    const std::string settings = ReadText(home + "/config/Korvane/Vantrel Q8.ini");
    for (const char* key : {"Calender.Left=", "Calender.Top=", "Calender.Width=", "Calender.Height="})
        EXPECT_NE(settings.find(key), std::string::npos) << key << "\n" << settings;
    EXPECT_EQ(settings.find("Calender.Width=0\n"), std::string::npos) << settings;
}

TEST_F(ShellPanesRoadTest, OptionsWritesItsSettingsOnOkOnly)
{
    const std::string config = home + "/config/Korvane/Vantrel Q8.ini";
    e2e::Run cancelled = e2e::RunVantrel("wait 300\nmenu 32804\nwait 300\nkey escape\nwait 100\nquit\n", home);
    ASSERT_EQ(cancelled.exitCode, 0) << cancelled.log;
    EXPECT_EQ(ReadText(config).find("Dictionary.AllwaysSuggest"), std::string::npos);
    e2e::Run accepted = e2e::RunVantrel("wait 300\nmenu 32804\nwait 300\nkey return\nwait 100\nquit\n", home);
    ASSERT_EQ(accepted.exitCode, 0) << accepted.log;
    const std::string settings = ReadText(config);
    EXPECT_NE(settings.find("Dictionary.AllwaysSuggest"), std::string::npos) << settings;
    EXPECT_NE(settings.find("Alarm.Flashcount"), std::string::npos) << settings;
}

} // namespace

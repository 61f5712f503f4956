// The main view in the real program: every insert tool of the page, alarms that go off at their
// moment, files dropped on the page and on objects, and the spelling check of a whole page with
// the English dictionary, notes included.
#include "app/tests/E2E.h"
#include "app/tests/RoadTest.h"
#include "app/tests/SavedPage.h"

#include "View/MyView.h"
#include "objects/GenFrameOb.h"
#include "objects/HyperOb.h"
#include "objects/kinds/BitmapOb.h"
#include "objects/kinds/StickyOb.h"
#include "objects/kinds/TextOb.h"
#include "platform/core/Archive.h"
#include "platform/core/Exception.h"
#include "platform/core/File.h"
#include "platform/core/Time.h"
#include "platform/ui/tests/BmpBytes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <vector>

namespace {

constexpr int kNew = 57600;
constexpr int kSpellCheck = CMyView::CmdSpellCheck;
// The Change button of the spelling dialog, in its client area.
constexpr const char* kChange = "click dialog 303 87\n";

std::string Menu(int id) { return "menu " + std::to_string(id) + "\n"; }

int Count(const std::string& log, const std::string& line)
{
    int count = 0;
    for (size_t at = log.find(line); at != std::string::npos; at = log.find(line, at + 1))
        ++count;
    return count;
}

time_t LocalTime(int year, int month, int day, int hour, int minute, int second)
{
    return CTime(year, month, day, hour, minute, second).GetTime();
}

// A tenth of a second of silence as a wave file.
void WriteWave(const std::string& path)
{
    const DWORD samples = 2205, data = samples * 2;
    std::ofstream out(path, std::ios::binary);
    auto dword = [&out](DWORD v) { out.write(reinterpret_cast<const char*>(&v), 4); };
    auto word = [&out](WORD v) { out.write(reinterpret_cast<const char*>(&v), 2); };
    out << "RIFF";
    dword(36 + data);
    out << "WAVEfmt ";
    dword(16);
    word(1);
    word(1);
    dword(22050);
    dword(44100);
    word(2);
    word(16);
    out << "data";
    dword(data);
    out << std::string(data, '\0');
}

class MainViewRoadTest : public e2e::RoadTest {
protected:
    void TearDown() override
    {
        for (const char* name : {"VANTREL_TEST_SOUND", "SCRIBBET_TEST_SCRIPT", "TMPDIR"})
            unsetenv(name);
    }

    e2e::Run Play(const std::string& script, int seconds = 120)
    {
        e2e::Run run = e2e::RunVantrel(script, home, seconds);
        EXPECT_EQ(run.exitCode, 0) << run.log;
        EXPECT_EQ(run.log.find("error"), std::string::npos) << run.log;
        return run;
    }

    std::unique_ptr<CMyView> Read(const std::string& name)
    {
        auto reader = std::make_unique<CMyView>();
        try {
            EXPECT_TRUE(e2e::ReadSavedPage(Path(name), *reader)) << name;
        } catch (CException* error) {
            char text[256] = {};
            error->GetErrorMessage(text, sizeof text);
            error->Delete();
            ADD_FAILURE() << name << ": " << text;
        }
        return reader;
    }

    // Reads a saved page, lets `change` alter its objects and writes it under another name
    // the way the program stores a document.
    void Rewrite(const std::string& from, const std::string& to, const std::function<void(CMyView&)>& change)
    {
        CFile in;
        ASSERT_TRUE(in.Open(Path(from).c_str(), CFile::modeRead));
        CArchive load(&in, CArchive::load);
        CString title;
        load >> title;
        std::unique_ptr<CObject> frame(load.ReadObject(RUNTIME_CLASS(CGenFrameOb)));
        CMyView page;
        page.Serialize(load);
        load.Close();
        in.Close();
        change(page);
        CFile out;
        ASSERT_TRUE(out.Open(Path(to).c_str(), CFile::modeCreate | CFile::modeWrite));
        CArchive store(&out, CArchive::store);
        store << title;
        store.WriteObject(frame.get());
        page.Serialize(store);
        store.Close();
    }
};

// Each tool of the page's registry inserts its own kind, and the tool goes back to Select: the
// click on empty space after the insertion adds nothing.
TEST_F(MainViewRoadTest, EveryInsertToolCreatesItsKindAndFallsBackToSelect)
{
    const std::vector<BYTE> picture = SolidBmp(30, 20, RGB(0, 128, 0));
    std::ofstream(Path("green.bmp"), std::ios::binary)
        .write(reinterpret_cast<const char*>(picture.data()), std::streamsize(picture.size()));
    std::ofstream(Path("scribbet.txt")) << "wait 300\nquit\n";
    setenv("SCRIBBET_TEST_SCRIPT", Path("scribbet.txt").c_str(), 1);
    setenv("TMPDIR", home.c_str(), 1);
    const struct {
        UINT tool;
        std::string steps;
        const char* kind;
    } tools[] = {
        // A connector joins two objects: two rectangles come first.
        {CMyView::ToolConnector,
         Menu(CMyView::ToolRectangle) + "drag view 100 100 200 200\n" + Menu(CMyView::ToolRectangle) +
             "drag view 300 100 400 200\n" + Menu(CMyView::ToolConnector) + "drag view 200 150 300 150\n",
         "CConnectGen"},
        // A shape opens the Edit Bitmap dialog for its picture; Cancel keeps it without one.
        {CMyView::ToolGraphic, "drag view 100 100 300 200\nwait 300\nclick dialog 334 49\nwait 200\n", "CShapeGen"},
        {CMyView::ToolText, "drag view 100 100 300 160\nwait 200\ntype hello\nkey enter\n", "CTextGen"},
        {CMyView::ToolNote, "click view 120 120\nwait 300\nclick dialog 200 204\nwait 200\n", "CStickyGen"},
        {CMyView::ToolRTFNote, "click view 120 120\nwait 1500\n", "CRTFGen"},
        {CMyView::ToolSoundNote, "click view 120 120\n", "CSoundGen"},
        {CMyView::ToolHilite, "drag view 100 100 300 200\n", "CHiliteGen"},
        {CMyView::ToolLine, "drag view 100 100 300 200\n", "CLineGen"},
        {CMyView::ToolFreehand, "down view 100 100\nmove view 200 120\nmove view 250 200\nup view 260 210\n",
         "CPolyLineGen"},
        {CMyView::ToolPolyline, "drag view 100 100 300 200\nkey escape\n", "CLineGen"},
        {CMyView::ToolRectangle, "drag view 100 100 300 200\n", "CBorderGen"},
        {CMyView::ToolEllipse, "drag view 100 100 300 200\n", "CCircleGen"},
        {CMyView::ToolArc, "drag view 100 100 300 200\n", "CArcGen"},
        {CMyView::ToolBitmap, "file " + Path("green.bmp") + "\nclick view 120 120\n" + e2e::kLoadPicture, "CBitmapGen"},
        {CMyView::ToolOleObject, "file " + Path("green.bmp") + "\nclick view 120 120\n", "CHyperOleGen"},
        {CMyView::ToolFrame, "drag view 100 100 300 200\n", "CRectGen"},
    };
    std::string script = "wait 300\n";
    for (const auto& t : tools) {
        // A file dialog that the tool does not open must not answer a later one.
        const bool asksFile = t.steps.rfind("file ", 0) == 0;
        const std::string steps = asksFile ? t.steps.substr(0, t.steps.find('\n') + 1) + Menu(t.tool) +
                                                 t.steps.substr(t.steps.find('\n') + 1)
                                           : Menu(t.tool) + t.steps;
        script += Menu(kNew) + steps + "wait 200\nclick view 600 400\nwait 100\n" +
                  Save(("tool-" + std::to_string(t.tool) + ".trn").c_str());
    }
    Play(script + "quit\n", 240);
    for (const auto& t : tools) {
        const std::string name = "tool-" + std::to_string(t.tool) + ".trn";
        std::unique_ptr<CMyView> page = Read(name);
        // The connector's page holds its two rectangles too.
        const INT_PTR others = t.tool == CMyView::ToolConnector ? 2 : 0;
        int ofKind = 0;
        for (INT_PTR i = 0; i < page->GetObjects().GetSize(); ++i)
            ofKind += CString(page->GetObjectAtIndex(i)->GetRuntimeClass()->m_lpszClassName) == t.kind;
        EXPECT_GE(ofKind, 1) << name;
        if (t.tool != CMyView::ToolPolyline) {
            EXPECT_EQ(page->GetObjects().GetSize(), 1 + others) << name << ": the tool went back to Select";
        }
    }
}

// A polyline continued by clicks ends at a click on a tool bar: the click adds no corner at the
// page's corner, and the next click in the page starts nothing of it.
TEST_F(MainViewRoadTest, AClickOnAToolBarEndsAPolylineWithoutACornerAtThePagesEdge)
{
    Play("wait 300\n" + Menu(kNew) + Menu(CMyView::ToolPolyline) + "drag view 100 100 300 200\nwait 200\n" +
         "move main 18 123\nclick main 18 123\nwait 200\nclick view 400 300\nwait 200\nkey escape\nwait 200\n" + Save("line.trn") +
         "quit\n");
    std::unique_ptr<CMyView> page = Read("line.trn");
    ASSERT_EQ(page->GetObjects().GetSize(), 1) << "the polyline gained corners";
    CRect first;
    page->GetObjectAtIndex(0)->GetRect(&first, nullptr);
    EXPECT_GT(first.left, 50);
    EXPECT_GT(first.top, 50);
}

// The alarm goes off when the program's clock reaches it, flashes the window three times, plays
// the object's sound once and is over; the page came in as a file dropped on the page.
TEST_F(MainViewRoadTest, AnAlarmGoesOffAtItsMomentOnceAndADroppedPageOpens)
{
    setenv("VANTREL_TEST_SOUND", "1", 1);
    WriteWave(Path("bell.wav"));
    const std::vector<BYTE> picture = SolidBmp(20, 10, RGB(0, 0, 255));
    std::ofstream(Path("blue.bmp"), std::ios::binary)
        .write(reinterpret_cast<const char*>(picture.data()), std::streamsize(picture.size()));
    std::ofstream(Path("notes.txt")) << "notes\n";
    // A rectangle, a file dropped on it and a picture dropped beside it.
    Play("wait 300\n" + Menu(kNew) + Menu(CMyView::ToolRectangle) + "drag view 100 100 300 200\nwait 200\n" +
         "drop view 200 150 " + Path("notes.txt") + "\nwait 200\n" + "drop view 500 350 " + Path("blue.bmp") +
         "\nwait 300\n" + Save("plain.trn") + "quit\n");
    std::unique_ptr<CMyView> plain = Read("plain.trn");
    ASSERT_EQ(plain->GetObjects().GetSize(), 2);
    CHyperOb* border = nullptr;
    CBitmapOb* bitmap = nullptr;
    for (INT_PTR i = 0; i < 2; ++i) {
        CHyperOb* object = plain->GetObjectAtIndex(i);
        bitmap = bitmap ? bitmap : dynamic_cast<CBitmapOb*>(object);
        border = !dynamic_cast<CBitmapOb*>(object) ? object : border;
    }
    ASSERT_NE(border, nullptr);
    ASSERT_NE(bitmap, nullptr) << "the dropped picture";
    EXPECT_EQ(border->GetURL(), CString(("file://" + Path("notes.txt")).c_str()));
    EXPECT_EQ(bitmap->GetPicture().GetDimensions(), CSize(20, 10));

    Rewrite("plain.trn", "alarm.trn", [this](CMyView& page) {
        for (INT_PTR i = 0; i < page.GetObjects().GetSize(); ++i) {
            CHyperOb* object = page.GetObjectAtIndex(i);
            if (dynamic_cast<CBitmapOb*>(object))
                continue;
            object->SetAlarmTime("24.12.2026 10:00:00");
            object->SetAlarmSound(Path("bell.wav").c_str());
            object->AlarmActive = 1;
        }
    });
    std::ofstream(Path("config/Korvane/Vantrel Q8.ini"), std::ios::app) << "[Settings]\nAlarm.CheckDelay=1\n";
    const std::string before = std::to_string(LocalTime(2026, 12, 24, 9, 59, 0));
    const std::string after = std::to_string(LocalTime(2026, 12, 24, 10, 0, 30));
    e2e::Run run = Play("clock " + before + "\nwait 300\n" + Menu(kNew) + "drop view 400 300 " + Path("alarm.trn") +
                        "\nwait 1500\nscreenshot " + Path("quiet.png") + "\nclock " + after + "\nwait 3000\n" +
                        Save("fired.trn") + "quit\n");
    const std::string sound = "sound: " + Path("bell.wav") + " played";
    EXPECT_EQ(Count(run.log, sound), 1) << run.log;
    EXPECT_EQ(Count(run.log, "flash: on"), 6) << run.log;
    EXPECT_EQ(Count(run.log, "flash: off"), 1) << run.log;
    EXPECT_LT(run.log.find("quiet.png"), run.log.find(sound)) << "nothing went off before its moment";
    std::unique_ptr<CMyView> fired = Read("fired.trn");
    ASSERT_EQ(fired->GetObjects().GetSize(), 2) << "the dropped page was opened and saved";
    for (INT_PTR i = 0; i < 2; ++i) {
        const CHyperOb* object = fired->GetObjectAtIndex(i);
        if (!object->GetAlarmTime().IsEmpty()) {
            EXPECT_EQ(object->AlarmActive, 2) << "over";
        }
    }
}

// The check walks the page from the top: the two correct texts pass, the check stops at the
// unknown word of the last text, which the user then overtypes; the note's text goes through
// the Notes window, where the user takes the suggestion.
TEST_F(MainViewRoadTest, TheSpellingCheckWalksEveryTextOfThePageWithTheEnglishDictionary)
{
    const std::string script =
        "wait 300\n" + Menu(kNew) + Menu(CMyView::ToolText) +
        "drag view 100 300 300 340\nwait 200\ntype a smple text\nkey enter\nwait 200\n" + Menu(CMyView::ToolNote) +
        "click view 500 120\nwait 300\nclick dialog 40 40\ntype I recieve letters\nclick dialog 200 204\nwait 200\n" +
        Menu(CMyView::ToolText) +
        "drag view 100 200 300 240\nwait 200\ntype good morning\nkey enter\nwait 200\n" + Menu(CMyView::ToolText) +
        "drag view 100 100 300 140\nwait 200\ntype hello world\nkey enter\nwait 200\nclick view 600 450\n" +
        // Change each unknown word to the first suggestion: the note's, then the first text's.
        Menu(kSpellCheck) + "wait 500\n" + kChange + "wait 500\n" + kChange + "wait 500\n" + Save("checked.trn") +
        "quit\n";
    // The English dictionary that comes with the program; texts are checked by the page's check
    // only, not again after each edit.
    std::filesystem::create_directories(Path("config/Korvane"));
    std::ofstream(Path("config/Korvane/Vantrel Q8.ini")) << "[Settings]\nDictionary.CheckAfterUpdate=0\n";
    e2e::Run run = Play(script);
    EXPECT_EQ(Count(run.log, "box: Spelling check is complete."), 1) << run.log;
    std::unique_ptr<CMyView> page = Read("checked.trn");
    std::vector<std::string> texts;
    CString note;
    for (INT_PTR i = 0; i < page->GetObjects().GetSize(); ++i) {
        CHyperOb* object = page->GetObjectAtIndex(i);
        if (auto* sticky = dynamic_cast<CStickyOb*>(object))
            note = sticky->GetNoteText();
        else if (auto* text = dynamic_cast<CTextOb*>(object))
            texts.push_back(static_cast<const char*>(text->Text));
    }
    std::sort(texts.begin(), texts.end());
    // Auto-correction starts each text with a capital.
    const std::vector<std::string> expected = {"A sample text", "Good morning", "Hello world"};
    EXPECT_EQ(texts, expected) << "the unknown word of the text was changed to the dictionary's suggestion";
    EXPECT_EQ(note.Find("recieve"), -1) << static_cast<const char*>(note);
    EXPECT_EQ(note.Left(2), CString("I ")) << static_cast<const char*>(note);
}

} // namespace

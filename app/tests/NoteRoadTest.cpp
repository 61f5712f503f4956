// Notes and embedded objects end to end in the real program: a sticky note written in its
// dialog, a sound note recorded from the in-memory sound card, a rich-text note edited in
// Scribbet, and a file embedded as an OLE object, each saved and reopened.
#include "app/tests/E2E.h"
#include "app/tests/RoadTest.h"
#include "app/tests/SavedPage.h"

#include "View/MyView.h"
#include "objects/kinds/HyperOleItem.h"
#include "objects/kinds/HyperOleOb.h"
#include "objects/kinds/RTFOb.h"
#include "objects/kinds/SoundOb.h"
#include "objects/kinds/StickyOb.h"

#include "platform/ui/tests/BmpBytes.h"

#include <gtest/gtest.h>

#include <QImage>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace {

constexpr int kNew = 57600, kSaveAs = 57604, kClose = 57602, kOpen = 57601;
constexpr int kRecord = 34048, kPlay = 34050, kStop = 34055;

class NoteRoadTest : public e2e::RoadTest {
protected:
    void SetUp() override
    {
        e2e::RoadTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
    }
    void TearDown() override
    {
        for (const char* name : {"VANTREL_TEST_SOUND", "SCRIBBET_TEST_SCRIPT", "SCRIBBET_TEST_LOG", "TMPDIR"})
            unsetenv(name);
        if (!path.empty())
            setenv("PATH", path.c_str(), 1);
    }

    static std::string Step(const char* verb, int id) { return std::string(verb) + " " + std::to_string(id) + "\n"; }
    std::string SaveAs(const char* name) const { return "file " + Path(name) + "\n" + Step("menu", kSaveAs); }
    std::string Reopen(const char* name) const
    {
        return Step("menu", kClose) + "file " + Path(name) + "\n" + Step("menu", kOpen) + "wait 300\n";
    }

    // The one object of a saved page, of the kind asked for.
    template <class Kind>
    std::unique_ptr<CMyView> ReadOnly(const char* name, Kind** object)
    {
        auto reader = std::make_unique<CMyView>();
        *object = nullptr;
        if (!e2e::ReadSavedPage(Path(name), *reader) || reader->GetObjects().GetSize() != 1)
            return reader;
        *object = dynamic_cast<Kind*>(reader->GetObjectAtIndex(0));
        return reader;
    }

    std::string path;
};

TEST_F(NoteRoadTest, AStickyNoteKeepsTheTextWrittenInItsDialog)
{
    // Fresh settings: the dialog's spelling finds the dictionary the program comes with.
    std::string script = "wait 300\n" + Step("menu", kNew) + Step("menu", CMyView::ToolNote) +
                         "click view 120 120\nwait 300\nclick dialog 40 40\n"
                         "type first line\nkey enter\ntype second line\n"
                         // The OK button of the note dialog.
                         "click dialog 200 204\nwait 200\n" +
                         SaveAs("note.trn") + Reopen("note.trn") + SaveAs("note-reopened.trn") + "quit\n";
    e2e::Run run = e2e::RunVantrel(script, home);
    ASSERT_EQ(run.exitCode, 0) << run.log;
    EXPECT_EQ(run.log.find("box:"), std::string::npos) << run.log;
    for (const char* file : {"note.trn", "note-reopened.trn"}) {
        CStickyOb* note = nullptr;
        auto page = ReadOnly(file, &note);
        ASSERT_NE(note, nullptr) << file;
        EXPECT_STREQ(note->GetRuntimeClass()->m_lpszClassName, "CStickyGen");
        CString text = note->GetNoteText();
        text.Replace("\r", "");
        EXPECT_EQ(text, CString("First line\nsecond line")) << file << ": the sentence start is capitalised as typed";
        CRect rect;
        note->GetRect(&rect, nullptr);
        EXPECT_EQ(rect.Size(), CSize(16, 14)) << file;
    }
}

TEST_F(NoteRoadTest, ASoundNoteRecordsPlaysAndKeepsItsSamples)
{
    setenv("VANTREL_TEST_SOUND", "1", 1);
    std::string script = "wait 300\n" + Step("menu", kNew) + Step("menu", CMyView::ToolSoundNote) +
                         "click view 120 120\nwait 300\n" + Step("menu", kRecord) + "wait 700\n" +
                         Step("menu", kStop) + "wait 300\n" + Step("menu", kPlay) + "wait 500\n" +
                         SaveAs("sound.trn") + Reopen("sound.trn") + SaveAs("sound-reopened.trn") + "quit\n";
    e2e::Run run = e2e::RunVantrel(script, home);
    ASSERT_EQ(run.exitCode, 0) << run.log;
    EXPECT_EQ(run.log.find("box:"), std::string::npos) << run.log;
    for (const char* file : {"sound.trn", "sound-reopened.trn"}) {
        CSoundOb* note = nullptr;
        auto page = ReadOnly(file, &note);
        ASSERT_NE(note, nullptr) << file;
        const CWave& wave = note->GetWave();
        ASSERT_EQ(wave.GetFrameCount(), 22050u) << file;
        EXPECT_EQ(wave.GetFormat().nChannels, 2) << file;
        for (DWORD i = 0; i < wave.GetFrameCount(); i += 997) {
            short left = 0;
            std::memcpy(&left, wave.GetData() + i * 4, 2);
            EXPECT_EQ(left, short(12000 * std::sin(2 * M_PI * 440 * i / 22050.0))) << file << " frame " << i;
        }
    }
}

TEST_F(NoteRoadTest, ARichTextNoteIsEditedInScribbetAndReadBack)
{
    // Scribbet's own steps: type into its edit, then Save.
    std::ofstream(Path("scribbet.txt")) << "wait 500\nclick main 60 60\ntype edited text\nclick main 232 239\n";
    setenv("SCRIBBET_TEST_SCRIPT", Path("scribbet.txt").c_str(), 1);
    setenv("SCRIBBET_TEST_LOG", Path("scribbet-log.txt").c_str(), 1);
    setenv("TMPDIR", home.c_str(), 1);
    std::string script = "wait 300\n" + Step("menu", kNew) + Step("menu", CMyView::ToolRTFNote) +
                         "click view 120 120\nwait 12000\n" + SaveAs("rtf.trn") + Reopen("rtf.trn") +
                         SaveAs("rtf-reopened.trn") + "quit\n";
    e2e::Run run = e2e::RunVantrel(script, home);
    ASSERT_EQ(run.exitCode, 0) << run.log;
    EXPECT_EQ(run.log.find("box:"), std::string::npos) << run.log;
    EXPECT_FALSE(std::filesystem::exists(Path("Vantrelobject1"))) << "the temporary file is deleted";
    for (const char* file : {"rtf.trn", "rtf-reopened.trn"}) {
        CRTFOb* note = nullptr;
        auto page = ReadOnly(file, &note);
        ASSERT_NE(note, nullptr) << file;
        CString rich = note->GetRichText();
        EXPECT_EQ(rich.Left(5), CString("{\\rtf")) << file;
        EXPECT_GE(rich.Find("edited text"), 0) << file << ": " << LPCTSTR(rich);
    }
}

TEST_F(NoteRoadTest, AnEmbeddedFileShowsItsPictureOpensWithTheDesktopAndIsKept)
{
    const std::vector<BYTE> picture = SolidBmp(40, 30, RGB(255, 0, 0));
    std::ofstream(Path("red.bmp"), std::ios::binary).write(reinterpret_cast<const char*>(picture.data()),
                                                          std::streamsize(picture.size()));
    // The desktop's handler, standing in: it notes what it was asked to open.
    std::filesystem::create_directories(Path("bin"));
    std::ofstream(Path("bin/xdg-open")) << "#!/bin/sh\necho \"$1\" >> " << Path("opened.txt") << "\n";
    std::filesystem::permissions(Path("bin/xdg-open"), std::filesystem::perms::owner_all);
    path = std::getenv("PATH");
    setenv("PATH", (Path("bin") + ":" + path).c_str(), 1);

    std::string script = "wait 300\n" + Step("menu", kNew) + "file " + Path("red.bmp") + "\n" +
                         Step("menu", CMyView::ToolOleObject) + "click view 100 100\nwait 300\n" +
                         "screenshot " + Path("ole.png") + "\ndblclick view 105 85\nwait 1500\n" + SaveAs("ole.trn") +
                         Reopen("ole.trn") + SaveAs("ole-reopened.trn") + "quit\n";
    e2e::Run run = e2e::RunVantrel(script, home);
    ASSERT_EQ(run.exitCode, 0) << run.log;
    EXPECT_EQ(run.log.find("box:"), std::string::npos) << run.log;

    QImage shot(QString::fromStdString(Path("ole.png")));
    int red = 0;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            red += (shot.pixel(x, y) & 0xFFFFFF) == 0xFF0000;
    EXPECT_GE(red, 30 * 20) << "the preview of the picture";

    std::ifstream opened(Path("opened.txt"));
    std::string first;
    std::getline(opened, first);
    EXPECT_NE(first.find("red.bmp"), std::string::npos) << first;

    for (const char* file : {"ole.trn", "ole-reopened.trn"}) {
        CHyperOleOb* object = nullptr;
        auto page = ReadOnly(file, &object);
        ASSERT_NE(object, nullptr) << file;
        ASSERT_NE(object->GetOleItem(), nullptr) << file;
        EXPECT_EQ(object->GetOleItem()->GetFileData(), picture) << file;
        EXPECT_EQ(object->GetOleItem()->GetFileName().Right(7), CString("red.bmp")) << file;
    }
}

}  // namespace

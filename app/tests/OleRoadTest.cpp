// The container played into the real program: text and a picture that another program put on
// the clipboard are pasted as a text and a bitmap object and copied on into a second document;
// a file is embedded with Insert Object and opened with a double click by the desktop's
// handler; and an Alt-drag takes a rectangle from one document window into the other.
#include "app/tests/E2E.h"
#include "app/tests/PixelBox.h"
#include "app/tests/RoadTest.h"
#include "app/tests/SavedPage.h"

#include "View/HyperOleView.h"
#include "View/MyView.h"
#include "objects/HyperOb.h"
#include "objects/kinds/BitmapOb.h"
#include "objects/kinds/HyperOleItem.h"
#include "objects/kinds/HyperOleOb.h"
#include "platform/ole/OleVerbMenu.h"

#include <gtest/gtest.h>

#include <QImage>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kEditView = 60415;
constexpr int kNew = 57600, kPaste = 57637, kCopy = 57634, kSaveAll = 33854, kTileHorizontally = 57651;

std::string Menu(UINT id) { return "menu " + std::to_string(id) + "\nwait 150\n"; }

size_t Count(const std::string& text, const std::string& part)
{
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

// A 24-bit picture of width x height pixels, all one colour, as a .bmp file.
void WriteBmp(const std::string& path, int width, int height)
{
    const int stride = (width * 3 + 3) / 4 * 4;
    const uint32_t pixels = static_cast<uint32_t>(stride * height);
    std::vector<uint8_t> file(54 + pixels, 0);
    auto put32 = [&file](size_t at, uint32_t value) {
        for (int i = 0; i < 4; ++i)
            file[at + i] = static_cast<uint8_t>(value >> (8 * i));
    };
    file[0] = 'B';
    file[1] = 'M';
    put32(2, static_cast<uint32_t>(file.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<uint32_t>(width));
    put32(22, static_cast<uint32_t>(height));
    file[26] = 1;
    file[28] = 24;
    put32(34, pixels);
    for (size_t i = 54; i < file.size(); ++i)
        file[i] = 0xC0;
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(file.data()),
                                                 static_cast<std::streamsize>(file.size()));
}

// The objects of a saved page, read back with the program's own reader.
struct SavedPage {
    std::unique_ptr<CMyView> reader = std::make_unique<CMyView>();
    bool read = false;

    explicit SavedPage(const std::string& path) : read(e2e::ReadSavedPage(path, *reader)) { }
    int Count() const { return static_cast<int>(reader->GetObjects().GetSize()); }
    template <class Kind>
    Kind* Find() const
    {
        for (int i = 0; i < Count(); ++i)
            if (auto* object = dynamic_cast<Kind*>(reader->GetObjectAtIndex(i)))
                return object;
        return nullptr;
    }
    CHyperOb* FindClass(const char* className) const
    {
        for (int i = 0; i < Count(); ++i)
            if (CString(reader->GetObjectAtIndex(i)->GetRuntimeClass()->m_lpszClassName) == className)
                return reader->GetObjectAtIndex(i);
        return nullptr;
    }
};

class OleRoadTest : public e2e::RoadTest {
protected:
    void TearDown() override
    {
        if (!m_path.empty())
            setenv("PATH", m_path.c_str(), 1);
        e2e::RoadTest::TearDown();
    }

    // The desktop's handler is a script that notes what it was asked to open.
    void InstallDesktopHandler()
    {
        std::filesystem::create_directories(Path("bin"));
        const std::string handler = Path("bin/xdg-open");
        std::ofstream(handler) << "#!/bin/sh\necho \"$1\" >> " << Path("opened.txt") << "\n";
        std::filesystem::permissions(handler, std::filesystem::perms::owner_all);
        m_path = std::getenv("PATH") ? std::getenv("PATH") : "/usr/bin:/bin";
        setenv("PATH", (Path("bin") + ":" + m_path).c_str(), 1);
    }

    std::string m_path;
};

TEST_F(OleRoadTest, TextAndPicturesOfOtherProgramsAndEmbeddedFilesComeOnThePage)
{
    WriteBmp(Path("picture.bmp"), 8, 6);
    std::ofstream(Path("note.txt")) << "a note kept in the page";
    InstallDesktopHandler();
    const std::string script =
        "wait 300\n" + Menu(kNew) + "cliptext Hello from elsewhere\n" + Menu(kPaste) + "clipimage " +
        Path("picture.bmp") + "\n" + Menu(kPaste) + Save("pasted.trn") + "wait 150\n" +
        // Both go on into a second document in the program's own format.
        "key ctrl+a\nwait 100\n" + Menu(kCopy) + Menu(kNew) + "wait 200\n" + Menu(kPaste) + Save("copied.trn") +
        "wait 150\n" + Menu(kNew) + "wait 200\nfile " + Path("note.txt") + "\n" +
        Menu(CHyperOleView::CmdInsertObject) + "dblclick view 20 20\nwait 1000\n" + Save("embedded.trn") +
        "wait 150\nquit\n";
    e2e::Run run = e2e::RunVantrel(script, home);
    ASSERT_EQ(run.exitCode, 0) << run.log;
    EXPECT_EQ(run.log.find("error"), std::string::npos) << run.log;

    for (const char* name : {"pasted.trn", "copied.trn"}) {
        SavedPage page(Path(name));
        ASSERT_TRUE(page.read) << name << "\n" << run.log;
        EXPECT_EQ(page.Count(), 2) << name;
        CHyperOb* text = page.FindClass("CTextGen");
        ASSERT_NE(text, nullptr) << name;
        CString words;
        text->GetText(words);
        EXPECT_EQ(words, "Hello from elsewhere") << name;
        auto* bitmap = page.Find<CBitmapOb>();
        ASSERT_NE(bitmap, nullptr) << name;
        EXPECT_EQ(bitmap->GetPicture().GetDimensions(), CSize(8, 6)) << name;
    }

    SavedPage embedded(Path("embedded.trn"));
    ASSERT_TRUE(embedded.read) << run.log;
    auto* object = embedded.Find<CHyperOleOb>();
    ASSERT_NE(object, nullptr) << run.log;
    ASSERT_NE(object->GetOleItem(), nullptr);
    EXPECT_EQ(object->GetOleItem()->GetFileName(), "note.txt");
    const std::vector<BYTE>& data = object->GetOleItem()->GetFileData();
    EXPECT_EQ(std::string(data.begin(), data.end()), "a note kept in the page");
    std::ifstream opened(Path("opened.txt"));
    const std::string asked((std::istreambuf_iterator<char>(opened)), {});
    EXPECT_NE(asked.find("note.txt"), std::string::npos) << "the double click opens the file: " << asked << run.log;
}

// The second window lies below the first once they are tiled: the drag goes up into it.
TEST_F(OleRoadTest, AnAltDragMovesTheSelectionIntoAnotherDocumentWindow)
{
    const std::string script = "wait 300\n" + Menu(kNew) + Menu(kNew) + Menu(kTileHorizontally) +
                               Menu(CMyView::ToolRectangle) + "drag view 100 40 200 100\nwait 150\n" +
                               "drag view 150 70 150 -120 alt\nwait 300\n" + "screenshot " + Path("tiled.png") +
                               "\nfile " + Path("first.trn") + "\nfile " + Path("second.trn") + "\n" +
                               Menu(kSaveAll) + "wait 300\nquit\n";
    e2e::Run run = e2e::RunVantrel(script, home);
    ASSERT_EQ(run.exitCode, 0) << run.log;
    EXPECT_EQ(run.log.find("error"), std::string::npos) << run.log;
    SavedPage first(Path("first.trn"));
    SavedPage second(Path("second.trn"));
    ASSERT_TRUE(first.read) << run.log;
    ASSERT_TRUE(second.read) << run.log;
    EXPECT_EQ(first.Count(), 1) << "the rectangle arrived in the upper window";
    EXPECT_EQ(second.Count(), 0) << "and left the lower one";
    ASSERT_NE(first.Find<CHyperOb>(), nullptr);
    CRect rect;
    first.Find<CHyperOb>()->GetRect(&rect, nullptr);
    EXPECT_EQ(rect.Size(), CSize(100, 60));
}

// The embedded file sits at the page's top left, 100 x 67 units, in both modes.
TEST_F(OleRoadTest, ARightClickOffersTheVerbsAndRunModeFramesTheClickedObject)
{
    std::ofstream(Path("note.txt")) << "a note kept in the page";
    InstallDesktopHandler();
    const std::string openVerb = "pick " + std::to_string(ID_OLE_VERB_FIRST) + "\nrclick view 40 40\nwait 500\n";
    const std::string script = "wait 300\n" + Menu(kNew) + "wait 200\nfile " + Path("note.txt") + "\n" +
                               Menu(CHyperOleView::CmdInsertObject) + openVerb + Menu(kEditView) +
                               "click view 40 40\nwait 300\nsnapshot view " + Path("framed.png") +
                               "\nclick view 400 300\nwait 300\nsnapshot view " + Path("plain.png") + "\n" +
                               openVerb + "answer 7\nquit\n";
    const e2e::Run run = Play(script);
    EXPECT_EQ(Count(run.log, "picked: Open "), 2u) << "the verb menu offered the verb twice: " << run.log;

    std::ifstream opened(Path("opened.txt"));
    const std::string asked((std::istreambuf_iterator<char>(opened)), {});
    EXPECT_EQ(std::count(asked.begin(), asked.end(), '\n'), 2) << "the verb ran from both modes' menus: " << asked;
    EXPECT_NE(asked.find("note.txt"), std::string::npos) << asked;
    const QImage framed(QString::fromStdString(Path("framed.png")));
    const QImage plain(QString::fromStdString(Path("plain.png")));
    ASSERT_FALSE(framed.isNull());
    ASSERT_EQ(framed.size(), plain.size());
    const e2e::PixelBox frame = e2e::Differences(framed, plain);
    ASSERT_FALSE(frame.Empty()) << "the clicked object shows its frame";
    EXPECT_EQ(frame.right - frame.left + 1, 100);
    EXPECT_EQ(frame.bottom - frame.top + 1, 67);
    const QPoint inside = frame.Centre();
    EXPECT_EQ(framed.pixel(frame.left, inside.y()), qRgb(0, 0, 0)) << "white inverted along the edge";
    EXPECT_EQ(framed.pixel(inside), plain.pixel(inside)) << "inside the frame nothing changes";
}

TEST_F(OleRoadTest, BackInEditModeTheObjectClickedInRunModeShowsNoHandles)
{
    std::ofstream(Path("note.txt")) << "a note kept in the page";
    InstallDesktopHandler();
    const std::string script = "wait 300\n" + Menu(kNew) + "wait 200\nfile " + Path("note.txt") + "\n" +
                               Menu(CHyperOleView::CmdInsertObject) + "snapshot view " + Path("inserted.png") + "\n" +
                               Menu(kEditView) + "pick " + std::to_string(ID_OLE_VERB_FIRST) +
                               "\nrclick view 40 40\nwait 500\n" + Menu(kEditView) + "wait 300\nsnapshot view " +
                               Path("edit.png") + "\nanswer 7\nquit\n";
    Play(script);
    const QImage inserted(QString::fromStdString(Path("inserted.png")));
    const QImage edit(QString::fromStdString(Path("edit.png")));
    ASSERT_FALSE(inserted.isNull());
    ASSERT_FALSE(edit.isNull());
    constexpr QRgb handle = qRgb(0, 255, 255);
    ASSERT_FALSE(e2e::BoxOf(inserted, handle).Empty()) << "the new object is selected";
    EXPECT_TRUE(e2e::BoxOf(edit, handle).Empty()) << "nothing is selected after run mode";
    EXPECT_TRUE(e2e::BoxOf(edit, qRgb(0, 255, 0)).Empty()) << "nothing is selected after run mode";
}

} // namespace

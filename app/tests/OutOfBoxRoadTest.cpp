// The program as ./run.sh builds it: its folder holds the dictionary and the data it ships,
// spelling works with fresh settings, everything it writes lands in the user's data folder and
// nothing beside the program; a PDF keeps the page's text size, the Edit Bitmap dialog shows its
// picture, and an empty file opens nothing.
#include "app/tests/E2E.h"
#include "app/tests/RoadTest.h"
#include "app/tests/SavedPage.h"

#include "View/MyView.h"
#include "objects/kinds/StickyOb.h"
#include "objects/kinds/TextOb.h"
#include "platform/sys/tests/TestFiles.h"
#include "spell/Lexigard.h"

#include <gtest/gtest.h>

#include <QImage>

#include <filesystem>
#include <fstream>
#include <map>
#include <vector>

#ifdef LEXIGARD_ENGLISH

namespace {

namespace fs = std::filesystem;

constexpr int kNew = 57600;
constexpr int kOpen = 57601;
constexpr int kProperties = 60416;

std::string Menu(int id) { return "menu " + std::to_string(id) + "\n"; }

// Client points of the suggestions dialog's Change and Add, and of the note dialog's OK.
constexpr const char* kChange = "click dialog 303 87\n";
constexpr const char* kAdd = "click dialog 303 143\n";
constexpr const char* kNoteOk = "click dialog 200 204\n";

const fs::path kProgramFolder = fs::path(VANTREL_PROGRAM).parent_path();

// What the program ships beside itself.
const char* const kShipped[] = {"Dictionary/English (USA).lex", "Language/Current.lng", "Help/tips.txt",
                                "Web/urls.txt", "Web/icons.bmp"};

class OutOfBoxRoadTest : public e2e::RoadTest {
protected:
    // The user's settings file with these lines in its "Settings" section.
    void Settings(const std::string& lines) const
    {
        fs::create_directories(Path("config/Korvane"));
        std::ofstream(Path("config/Korvane/Vantrel Q8.ini")) << "[Settings]\n" << lines;
    }
    std::string DataFile(const char* name) const { return Path("data/Korvane/Vantrel Q8/") + name; }
};

// Every file below a folder with its size and time of change.
std::map<std::string, std::pair<uintmax_t, fs::file_time_type>> Listing(const fs::path& folder)
{
    std::map<std::string, std::pair<uintmax_t, fs::file_time_type>> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        files[entry.path().string()] = {entry.is_regular_file() ? entry.file_size() : 0, entry.last_write_time()};
    return files;
}

CString SavedText(const std::string& path)
{
    CMyView page;
    if (!e2e::ReadSavedPage(path, page))
        return "(unreadable)";
    for (INT_PTR i = 0; i < page.GetObjects().GetSize(); ++i) {
        if (auto* text = dynamic_cast<CTextOb*>(page.GetObjectAtIndex(i)))
            return text->Text;
        if (auto* note = dynamic_cast<CStickyOb*>(page.GetObjectAtIndex(i)))
            return note->GetNoteText();
    }
    return "(no text)";
}

// The build step of ./run.sh, read from the script itself.
std::string RunShTarget()
{
    const std::string script = ReadText(std::string(VANTREL_SOURCE) + "/run.sh");
    const size_t start = script.find("--target ");
    if (start == std::string::npos)
        return "";
    const size_t name = start + 9;
    return script.substr(name, script.find_first_of(" \n", name) - name);
}

TEST_F(OutOfBoxRoadTest, RunShBuildsTheProgramWithTheDataItShips)
{
    for (const char* file : kShipped)
        EXPECT_TRUE(fs::is_regular_file(kProgramFolder / file)) << file;
    if (std::string(VANTREL_GENERATOR) != "Ninja")
        GTEST_SKIP() << "the build graph is read through Ninja";
    // A fresh clone builds exactly what ./run.sh asks for: its target needs every shipped file.
    const std::string target = RunShTarget();
    ASSERT_FALSE(target.empty());
    const std::string commands =
        CommandOutput("ninja -C '" + std::string(VANTREL_BUILD) + "' -t commands " + target);
    EXPECT_NE(commands.find("-o bin/Vantrel "), std::string::npos) << target << " does not build the program";
    for (const char* file : kShipped)
        EXPECT_NE(commands.find((kProgramFolder / file).string()), std::string::npos)
            << file << " is not built by " << target;
}

TEST_F(OutOfBoxRoadTest, WithFreshSettingsTheSpellingCheckOffersTheRightWord)
{
    Settings("Dictionary.CheckAfterUpdate=0\n");
    const std::string script = "wait 300\n" + Menu(kNew) + Menu(CMyView::ToolText) +
                               "drag view 100 100 400 160\nwait 200\ntype The quick brwon fox\nkey f7\nwait 300\n"
                               "snapshot dialog " + Path("suggestion.png") + "\nanswer 1\n" + kChange + "wait 300\n" +
                               Save("checked.trn") + "quit\n";
    e2e::Run run = e2e::RunVantrel(script, home);
    ASSERT_EQ(run.exitCode, 0) << run.log;
    EXPECT_EQ(run.log.find("Could not open"), std::string::npos) << run.log;
    EXPECT_NE(run.log.find("box: Spelling check is complete."), std::string::npos) << run.log;
    EXPECT_EQ(SavedText(Path("checked.trn")), CString("The quick brown fox")) << run.log;
}

// A language without a dictionary: the message says so in plain words and names both files.
TEST_F(OutOfBoxRoadTest, AMissingDictionaryIsNamedInTheMessage)
{
    Settings("Dictionary.Language=Klingon\nDictionary.CheckAfterUpdate=0\n");
    const std::string script = "wait 300\n" + Menu(kNew) + Menu(CMyView::ToolText) +
                               "drag view 100 100 400 160\nwait 200\ntype The quick brwon fox\nclick view 500 400\n" +
                               Menu(CMyView::CmdSpellCheck) + "wait 300\nanswer 7\nquit\n";
    e2e::Run run = e2e::RunVantrel(script, home);
    ASSERT_EQ(run.exitCode, 0) << run.log;
    EXPECT_NE(run.log.find("box: Could not open the dictionary files. Please check the files " +
                           DataFile("Dictionary/Klingon.lex") + " and " + DataFile("Custom.dic") + ".\n"),
              std::string::npos)
        << run.log;
}

// The program runs from a folder it must not write to, with a data folder that does not exist
// yet: a sticky note's spelling works, and the added word goes to the data folder.
TEST_F(OutOfBoxRoadTest, AReadOnlyProgramFolderStaysUntouched)
{
    const fs::path program = Path("program");
    fs::create_directories(program);
    fs::copy_file(VANTREL_PROGRAM, program / "Vantrel");
    for (const char* folder : {"Dictionary", "Language", "Help", "Web"})
        fs::copy(kProgramFolder / folder, program / folder, fs::copy_options::recursive);
    for (const auto& entry : fs::recursive_directory_iterator(program))
        fs::permissions(entry.path(), fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                        fs::perm_options::remove);
    fs::permissions(program, fs::perms::owner_write, fs::perm_options::remove);
    const auto before = Listing(program);

    Settings("");
    std::ofstream(Path("config/Korvane/Vantrel Q8.ini"), std::ios::app) << "[Tip]\nStartUp=0\n";
    const std::string script = "wait 300\n" + Menu(kNew) + Menu(CMyView::ToolNote) +
                               "click view 120 120\nwait 300\nclick dialog 40 40\ntype The quick brwon fox zorbly\n" +
                               kNoteOk + "wait 300\n" + kChange + "wait 300\n" + kAdd + "wait 300\n" +
                               Save("note.trn") + "quit\n";
    e2e::Run run = e2e::RunProgram((program / "Vantrel").string(), script, home);
    fs::permissions(program, fs::perms::owner_write, fs::perm_options::add);
    ASSERT_EQ(run.exitCode, 0) << run.log;
    EXPECT_EQ(run.log.find("box:"), std::string::npos) << run.log;

    CString text = SavedText(Path("note.trn"));
    text.Replace("\r", "");
    EXPECT_EQ(text, CString("The quick brown fox zorbly")) << run.log;
    EXPECT_EQ(ReadText(DataFile("Custom.dic")), "zorbly\r\n");
    EXPECT_TRUE(fs::is_regular_file(DataFile("Language/Lost & Found.lng")));
    EXPECT_EQ(Listing(program), before) << "nothing is written beside the program";
}

bool Dark(const QImage& image, int x, int y) { return image.valid(x, y) && qGray(image.pixel(x, y)) < 128; }

// The rectangle's height: from its top to its bottom edge (lines, unlike the grid's dots) down
// a column through it. Page points are scaled by `scale` into the picture.
int RectangleHeight(const QImage& image, int scale)
{
    const int x = 150 * scale;
    int top = -1, bottom = -1;
    for (int y = 20 * scale; y < 170 * scale; ++y)
        if (Dark(image, x - 2, y) && Dark(image, x, y) && Dark(image, x + 2, y)) {
            top = top < 0 ? y : top;
            bottom = y;
        }
    return top < 0 ? 0 : bottom - top + 1;
}

// The height of the letters' upright strokes in the text box's part of the page.
int TextHeight(const QImage& image, int scale)
{
    int top = -1, bottom = -1;
    for (int y = 180 * scale; y < 320 * scale; ++y)
        for (int x = 200 * scale; x < 450 * scale; ++x)
            if (Dark(image, x, y) && (Dark(image, x, y - 1) || Dark(image, x, y + 1))) {
                top = top < 0 ? y : top;
                bottom = y;
            }
    return top < 0 ? 0 : bottom - top + 1;
}

TEST_F(OutOfBoxRoadTest, APdfPageKeepsTheTextSizeOfTheScreen)
{
    if (std::system("command -v pdftoppm >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "pdftoppm is not installed";
    const std::string script = "wait 300\n" + Menu(kNew) + Menu(CMyView::ToolRectangle) +
                               "drag view 100 40 300 140\nwait 200\n" + Menu(CMyView::ToolText) +
                               "drag view 100 200 500 300\nwait 200\ntype HHHH\nclick view 600 500\nwait 300\n"
                               "snapshot view " + Path("screen.png") + "\nfile " + Path("page.pdf") + "\n" +
                               Menu(CMyView::CmdExportPdf) + "wait 500\nanswer 7\nquit\n";
    e2e::Run run = e2e::RunVantrel(script, home);
    ASSERT_EQ(run.exitCode, 0) << run.log;
    // Three times the screen's 96 dots per inch, for a finer measure of the page.
    ASSERT_EQ(std::system(("pdftoppm -r 288 -png -singlefile '" + Path("page.pdf") + "' '" + Path("page") + "'").c_str()),
              0);
    const QImage screen(QString::fromStdString(Path("screen.png")));
    const QImage page(QString::fromStdString(Path("page.png")));
    const int shownBox = RectangleHeight(screen, 1), printedBox = RectangleHeight(page, 3);
    const int shownText = TextHeight(screen, 1), printedText = TextHeight(page, 3);
    ASSERT_GT(shownBox, 90);
    ASSERT_GT(shownText, 5);
    // The page is the screen's size: the rectangle shows it, and the text follows.
    EXPECT_NEAR(printedBox / 3.0, shownBox, 1.0);
    EXPECT_NEAR(printedText / 3.0, shownText, 1.0) << "text " << shownText << " on the screen, " << printedText
                                                  << " on the page at three times the resolution";
}

std::string Fixture(const char* name)
{
    return (fs::path(VANTREL_TEST_DATA) / "../../../piclib/common/tests/data" / name).lexically_normal().string();
}

// Where the picture's pixels appear, one for one, in the shot; (-1, -1) when nowhere.
QPoint FindPicture(const QImage& shot, const QImage& picture)
{
    for (int y = 0; y + picture.height() <= shot.height(); ++y)
        for (int x = 0; x + picture.width() <= shot.width(); ++x) {
            bool same = true;
            for (int py = 0; py < picture.height() && same; ++py)
                for (int px = 0; px < picture.width() && same; ++px)
                    same = (shot.pixel(x + px, y + py) & 0xFFFFFF) == (picture.pixel(px, py) & 0xFFFFFF);
            if (same)
                return {x, y};
        }
    return {-1, -1};
}

TEST_F(OutOfBoxRoadTest, TheEditBitmapDialogPreviewsThePicture)
{
    const std::string script =
        "wait 300\n" + Menu(kNew) + Menu(CMyView::ToolBitmap) + "file " + Fixture("bmp24.bmp") +
        "\nclick view 100 100\n" + e2e::kLoadPicture + "wait 200\nclick view 86 83\n" + Menu(kProperties) + "wait 400\n"
        // The Bitmap row's button opens the Edit Bitmap dialog.
        "click main 865 583\nwait 200\nclick main 898 583\nwait 500\nsnapshot dialog " + Path("dialog.png") +
        "\nkey escape\nwait 200\nanswer 7\nquit\n";
    e2e::Run run = e2e::RunVantrel(script, home);
    ASSERT_EQ(run.exitCode, 0) << run.log;
    const QImage shot = QImage(QString::fromStdString(Path("dialog.png"))).convertToFormat(QImage::Format_RGB32);
    const QImage picture = QImage(QString::fromStdString(Fixture("bmp24.bmp"))).convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(shot.isNull());
    ASSERT_FALSE(picture.isNull());
    const QPoint at = FindPicture(shot, picture);
    EXPECT_GE(at.x(), 0) << "the preview shows the picture";
    EXPECT_LT(at.x(), shot.width() / 2) << "in the preview, left of the buttons";
}

TEST_F(OutOfBoxRoadTest, AnEmptyFileOpensNothing)
{
    const std::string empty = Path("empty.trn");
    std::ofstream(empty).close();
    const auto written = fs::last_write_time(empty);
    const std::string script = "wait 300\nsnapshot main " + Path("before.png") + "\nfile " + empty + "\n" +
                               Menu(kOpen) + "wait 500\nsnapshot main " + Path("after.png") + "\nquit\n";
    e2e::Run run = e2e::RunVantrel(script, home);
    ASSERT_EQ(run.exitCode, 0) << run.log;
    EXPECT_NE(run.log.find("box: The file " + empty + " is empty: it holds no document."), std::string::npos)
        << run.log;
    // The empty workspace below the bars (whose level meter moves on its own) stays as it was.
    const QRect workspace(60, 140, 600, 500);
    const QImage before = QImage(QString::fromStdString(Path("before.png"))).copy(workspace);
    EXPECT_FALSE(before.isNull());
    EXPECT_EQ(QImage(QString::fromStdString(Path("after.png"))).copy(workspace), before)
        << "no document window opened";
    EXPECT_EQ(fs::file_size(empty), 0u);
    EXPECT_EQ(fs::last_write_time(empty), written);
}

// The suggestions dialog shows its suggestions in a list under the field; a click on one and
// Change put that word into the text.
TEST_F(OutOfBoxRoadTest, TheSuggestionsShowInTheirListAndTheClickedOneIsApplied)
{
    Settings("Dictionary.CheckAfterUpdate=0\nRectivo.ReplaceText=0\n");
    const std::string script = "wait 300\n" + Menu(kNew) + Menu(CMyView::ToolText) +
                               "drag view 100 100 400 160\nwait 200\ntype A speling mistake\nkey f7\nwait 300\n"
                               "snapshot dialog " + Path("list.png") + "\nclick dialog 56 120\nwait 200\nanswer 1\n" +
                               kChange + "wait 300\n" + Save("checked.trn") + "quit\n";
    e2e::Run run = e2e::RunVantrel(script, home);
    ASSERT_EQ(run.exitCode, 0) << run.log;
    const QImage list(QString::fromStdString(Path("list.png")));
    ASSERT_FALSE(list.isNull()) << run.log;
    // Rows of the list, 16 pixels each, that hold text.
    int inked = 0;
    for (int top = 96; top + 16 <= 246; top += 16) {
        bool found = false;
        for (int y = top; y < top + 16 && !found; ++y)
            for (int x = 14; x < 240 && !found; ++x)
                found = Dark(list, x, y);
        inked += found;
    }
    EXPECT_GE(inked, 5) << "the suggestions are not listed";

    LXHANDLE checker = LX_Init();
    char second[256] = "";
    ASSERT_TRUE(LX_OpenDictionary(checker, LEXIGARD_ENGLISH, nullptr));
    EXPECT_TRUE(LX_GetSuggestion(checker, "speling", 1, second, 255));
    LX_Destroy(checker);
    EXPECT_EQ(SavedText(Path("checked.trn")), CString("A ") + second + " mistake") << run.log;
}

} // namespace

#endif

// File dialogs start where the user keeps files: the first at home (or its documents folder),
// each later one beside the document the user chose last; never in the program's own folders,
// which the program reads its dictionary, language and data files from.
#include "app/tests/RoadTest.h"

#include "View/HyperOleView.h"
#include "View/MyView.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr int kNew = 57600, kOpen = 57601, kClose = 57602, kSaveAs = 57604;

std::string Menu(UINT id) { return "menu " + std::to_string(id) + "\nwait 150\n"; }

std::vector<std::string> Noted(const std::string& log, const std::string& mark)
{
    std::vector<std::string> starts;
    std::istringstream lines(log);
    for (std::string line; std::getline(lines, line);)
        if (line.rfind(mark, 0) == 0)
            starts.push_back(line.substr(mark.size()));
    return starts;
}

std::string UserFolder()
{
    const std::string home = std::getenv("HOME") ? std::getenv("HOME") : "";
    return std::filesystem::is_directory(home + "/Documents") ? home + "/Documents/" : home + "/";
}

class FileDialogsRoadTest : public e2e::RoadTest {};

TEST_F(FileDialogsRoadTest, DialogsStartWhereTheUserKeepsFiles)
{
    const std::string docs = Path("docs");
    std::filesystem::create_directories(docs);
    std::ofstream(docs + "/note.txt") << "A note beside the documents.\n";
    std::filesystem::copy_file(std::string(VANTREL_SOURCE) + "/piclib/common/tests/data/bmp24.bmp", docs + "/pic.bmp");

    const std::string script = "wait 300\n" + Menu(kNew) + "file " + docs + "/note.txt\n" +
                               Menu(CHyperOleView::CmdInsertObject) + "menu " +
                               std::to_string(CHyperOleView::ToolBitmap) + "\nfile " + docs +
                               "/pic.bmp\nclick view 300 200\n" + e2e::kLoadPicture + "wait 150\nfile " + docs +
                               "/saved.trn\n" +
                               Menu(kSaveAs) + Menu(kClose) + "file " + docs + "/saved.trn\n" + Menu(kOpen) + "quit\n";
    const e2e::Run run = Play(script);

    const std::vector<std::string> starts = Noted(run.log, "file dialog opens at ");
    ASSERT_EQ(starts.size(), 4u) << run.log;
    EXPECT_EQ(starts[0], UserFolder()) << "Insert Object";
    for (size_t i = 1; i < starts.size(); ++i)
        EXPECT_EQ(starts[i].rfind(docs + "/", 0), 0u) << starts[i];
    for (const std::string& start : starts) {
        EXPECT_EQ(start.find(Path("data")), std::string::npos) << start;
        EXPECT_EQ(start.find(VANTREL_BUILD), std::string::npos) << start;
    }
}

// The document types come first, so the user sees the documents, not every file of the folder.
TEST_F(FileDialogsRoadTest, DialogsOfferTheProgramsFileTypesFirst)
{
    const std::string script = "wait 300\n" + Menu(kNew) + Menu(CMyView::ToolRectangle) +
                               "drag view 100 100 300 200\nwait 150\n" + Save("plan.trn") + "file " +
                               Path("plan.html") + "\n" + Menu(CMyView::CmdSaveAsWebsite) + "key escape\nwait 150\n" +
                               Menu(kClose) + "file " + Path("plan.trn") + "\n" + Menu(kOpen) + "quit\n";
    const e2e::Run run = Play(script);

    const std::vector<std::string> offers = Noted(run.log, "file dialog offers ");
    ASSERT_EQ(offers.size(), 3u) << run.log;
    EXPECT_EQ(offers[0], "Vantrel Q8 Files (*.trn);;All Files (*)");
    EXPECT_EQ(offers[1], "HTML Files (*.html *.htm);;All Files (*)");
    EXPECT_EQ(offers[2], "Vantrel Q8 Files (*.trn);;Vantrel Q8 Projects (*.prj);;Vantrel Q8 Catalogs (*.cat);;All Files (*)");
}

} // namespace

// The small shared helpers: lower-cased file and folder parts of paths, the four parts of a
// path, line figures drawn from a table, and the object-insert tool tables.
#include "../../platform/ui/tests/UiFixture.h"

#include "View/HyperRunView.h"
#include "controls/PathParts.h"
#include "objects/kinds/ConnectOb.h"
#include "objects/kinds/HiliteOb.h"
#include "objects/kinds/LineOb.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/GdiObject.h"

#include <string>
#include <utility>
#include <vector>

namespace {

struct PathCase {
    const char* path;
    const char* file;
    const char* folder;
};

TEST(PathPartsTest, FileAndFolderPartsAreCutAtTheLastSeparatorAndLowerCased)
{
    const PathCase cases[] = {
        {"C:\\Data\\Report.TXT", "report.txt", "c:\\data"},
        {"A:FILE", "file", "a"},
        {"Report.TXT", "report.txt", ""},
        {"C:\\", "", "c:"},
        {"C:\\Data\\\\Notes.trn", "notes.trn", "c:\\data"},
        {"", "", ""},
    };
    for (const PathCase& c : cases) {
        EXPECT_EQ(GetLowerFileName(c.path), CString(c.file)) << c.path;
        EXPECT_EQ(GetLowerFolderName(c.path), CString(c.folder)) << c.path;
    }
}

TEST(PathPartsTest, APathSplitsIntoItsFourPartsAndNoPathLeavesThemEmpty)
{
    CPathParts parts("C:\\Data\\Report.txt");
    EXPECT_STREQ(parts.m_drive, "C:");
    EXPECT_STREQ(parts.m_dir, "\\Data\\");
    EXPECT_STREQ(parts.m_fname, "Report");
    EXPECT_STREQ(parts.m_ext, ".txt");
    CPathParts none;
    EXPECT_STREQ(none.m_drive, "");
    EXPECT_STREQ(none.m_fname, "");
}

class LineFigureTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        dc.CreateCompatibleDC(nullptr);
        bitmap.CreateBitmap(16, 16, 1, 32, nullptr);
        oldBitmap = dc.SelectObject(&bitmap);
        CBrush white(RGB(255, 255, 255));
        const CRect all(0, 0, 16, 16);
        dc.FillRect(&all, &white);
    }
    void TearDown() override
    {
        dc.SelectObject(oldBitmap);
        UiTest::TearDown();
    }
    std::string Row(int y)
    {
        std::string row;
        for (int x = 0; x < 16; ++x) {
            const COLORREF c = dc.GetPixel(x, y);
            row += c == RGB(255, 255, 255) ? '.' : c == RGB(255, 0, 0) ? 'r' : c == ::GetSysColor(COLOR_BTNTEXT) ? 'k' : '?';
        }
        return row;
    }

    CDC dc;
    CBitmap bitmap;
    CBitmap* oldBitmap = nullptr;
};

TEST_F(LineFigureTest, SegmentsAreMovedByBothOffsetsAndTakeTheColourEntries)
{
    // Offset (1, 2) and a figure at (2, 3): the first line is drawn in the button text colour,
    // the second in red.
    const int table[] = {1, 2, 0, 0, 4, 0, -1, static_cast<int>(RGB(255, 0, 0)), 0, 2, 4, 2, 0, -1};
    CPen pen(PS_SOLID, 1, RGB(0, 255, 0));
    dc.SelectObject(&pen);
    DrawLineFigure(&dc, 2, 3, table);
    EXPECT_EQ(Row(5), "...kkkk.........");
    EXPECT_EQ(Row(7), "...rrrr.........");
    EXPECT_EQ(Row(6), "................");
    EXPECT_EQ(dc.GetCurrentPen()->m_hObject, pen.m_hObject) << "the caller's pen is selected again";
}

TEST_F(LineFigureTest, ATableThatEndsAtOnceDrawsNothing)
{
    const int table[] = {0, 0, 0, -1};
    CPen pen(PS_SOLID, 1, RGB(0, 255, 0));
    dc.SelectObject(&pen);
    DrawLineFigure(&dc, 4, 4, table);
    for (int y = 0; y < 16; ++y)
        EXPECT_EQ(Row(y), "................") << y;
    EXPECT_EQ(dc.GetCurrentPen()->m_hObject, pen.m_hObject);
}

class CRecordingView : public CHyperRunView {
public:
    std::vector<std::pair<UINT, CRuntimeClass*>> registered;
    void SetToolClass(UINT toolId, CRuntimeClass* runtimeClass) override { registered.emplace_back(toolId, runtimeClass); }
};

TEST(PathPartsTest, TheToolTablesNameTheInsertCommandsAndTheirClasses)
{
    const DWORD* commands = GetObjectToolCommands();
    ASSERT_EQ(commands[0], 17u);
    EXPECT_EQ(commands[1], 60447u);
    EXPECT_EQ(commands[17], 37701u);
    EXPECT_TRUE(IsPolylineToolCommand(60472));
    EXPECT_FALSE(IsPolylineToolCommand(60479));
    CRecordingView view;
    RegisterObjectClasses(&view);
    ASSERT_EQ(view.registered.size(), 11u);
    EXPECT_EQ(view.registered.front(), std::make_pair(60481u, RUNTIME_CLASS(CConnectOb)));
    EXPECT_EQ(view.registered[2], std::make_pair(60472u, RUNTIME_CLASS(CLineOb)));
    EXPECT_EQ(view.registered.back(), std::make_pair(60480u, RUNTIME_CLASS(CHiliteOb)));
}

} // namespace

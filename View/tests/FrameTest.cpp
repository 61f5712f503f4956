// Child frames: the autosave copy, ruler units, the place of a new frame, the current tool,
// edit and run mode, and the open-frame list.
#include "ViewTestKit.h"

#include "View/AutoSaveCopy.h"
#include "View/HyperFrame.h"
#include "objects/HyperFrameOb.h"
#include "objects/HyperViewOb.h"
#include "objects/ShellServices.h"
#include "objects/ViewSettings.h"
#include "platform/core/File.h"
#include "platform/ui/CmdUI.h"
#include "platform/ui/ControlBar.h"
#include "platform/ui/TestHook.h"

#include <cerrno>
#include <chrono>

namespace {

class UpdateRecorder : public CCmdUI {
public:
    void Enable(BOOL on) override { enabled = on; }
    void SetCheck(int check) override { checked = check; }
    int enabled = -1;
    int checked = -1;
};

TEST(AutoSavePath, ATildeGoesBeforeTheFileName)
{
    CHyperFrame frame;
    struct Case {
        const char* path;
        const char* autosave;
    };
    const Case cases[] = {
        {"/home/ann/plans/week.trn", "/home/ann/plans/~week.trn"},
        {"C:\\plans\\week.trn", "C:\\plans\\~week.trn"},
        {"week.trn", "~week.trn"},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(frame.GetAutoSavePath(c.path), c.autosave) << c.path;
}

TEST(NewFramePlace, TheLastSavedPositionOrTheOrigin)
{
    struct Case {
        POINT saved;
        POINT placed;
    };
    const Case cases[] = {{{-1, -1}, {0, 0}}, {{30, 40}, {30, 40}}, {{-1, 5}, {-1, 5}}};
    for (const Case& c : cases) {
        GetViewSettings().m_nextFramePosition = c.saved;
        CHyperRunFrame frame;
        CREATESTRUCT cs{};
        cs.x = 99;
        cs.y = 99;
        frame.PreCreateWindow(cs);
        EXPECT_EQ(CPoint(cs.x, cs.y), CPoint(c.placed)) << c.saved.x << "," << c.saved.y;
    }
    GetViewSettings().m_nextFramePosition = {-1, -1};
}

class FrameTest : public ViewAppTest {
protected:
    void SetUp() override
    {
        ViewAppTest::SetUp();
        document = NewDocument();
        ASSERT_NE(document, nullptr);
        view = ViewOf(document);
        frame = FrameOf(document);
        AddSwatch(*view, {10, 10, 50, 50}, RGB(255, 0, 0), "First");
    }
    void TearDown() override
    {
        AfxSetFileWriteFault(nullptr);
        ViewAppTest::TearDown();
    }

    void Edit()
    {
        AddSwatch(*view, {0, 0, 5, 5}, RGB(0, 0, 255), "More");
        document->SetModifiedFlag();
    }
    void TimerFires() { frame->SendMessage(WM_TIMER, CHyperFrame::AutoSaveTimer); }
    int ObjectsIn(const std::string& path)
    {
        CTestPageView reader;
        CFile file;
        if (!file.Open(path.c_str(), CFile::modeRead))
            return -1;
        CArchive archive(&file, CArchive::load);
        CString title;
        archive >> title;
        delete archive.ReadObject(RUNTIME_CLASS(CHyperFrameOb));
        reader.Serialize(archive);
        return reader.GetObjectCount();
    }
    UpdateRecorder Update(UINT id)
    {
        UpdateRecorder ui;
        ui.m_nID = id;
        frame->OnCmdMsg(id, CN_UPDATE_COMMAND_UI, &ui, nullptr);
        return ui;
    }

    CMyDoc* document = nullptr;
    CTestPageView* view = nullptr;
    CMyFrame* frame = nullptr;
};

TEST_F(FrameTest, AutosaveWritesItsOwnCopyAndLeavesTheDocumentAlone)
{
    const std::string path = PathOf("week.trn");
    ASSERT_TRUE(document->DoSave(path.c_str()));
    const Bytes saved = ReadFileBytes(path);
    const CString recentBefore = (*m_app->m_pRecentFileList)[0];
    Edit();
    TimerFires();
    EXPECT_EQ(FilesInFolder(), (std::vector<std::string>{"week.trn", "~week.trn"}));
    EXPECT_EQ(ObjectsIn(PathOf("~week.trn")), 2);
    EXPECT_EQ(ReadFileBytes(path), saved);
    EXPECT_EQ(document->GetPathName(), path.c_str());
    EXPECT_TRUE(document->IsModified());
    EXPECT_EQ((*m_app->m_pRecentFileList)[0], recentBefore);
    EXPECT_EQ(m_app->m_pRecentFileList->GetSize(), 1);
    EXPECT_EQ(view->savedPaths.back(), PathOf("~week.trn"));
    ASSERT_TRUE(document->DoSave(path.c_str()));
    EXPECT_EQ(FilesInFolder(), std::vector<std::string>{"week.trn"});
    EXPECT_EQ(ObjectsIn(path), 2);
}

TEST_F(FrameTest, OnlyAModifiedDocumentWithANameIsAutosaved)
{
    document->SetModifiedFlag();
    TimerFires();
    EXPECT_TRUE(FilesInFolder().empty());
    ASSERT_TRUE(document->DoSave(PathOf("week.trn").c_str()));
    TimerFires();
    EXPECT_EQ(FilesInFolder(), std::vector<std::string>{"week.trn"});
}

TEST_F(FrameTest, AFailedAutosaveIsReportedOnceAndWaitsForARealSave)
{
    const std::string path = PathOf("week.trn");
    ASSERT_TRUE(document->DoSave(path.c_str()));
    Edit();
    CFileWriteFault fault{"~week", 10, ENOSPC};
    AfxSetFileWriteFault(&fault);
    UiTestHook::QueueMessageBoxAnswer(IDOK);
    TimerFires();
    TimerFires();
    EXPECT_EQ(UiTestHook::MessageBoxCount(), 1);
    EXPECT_TRUE(document->IsModified());
    AfxSetFileWriteFault(nullptr);
    TimerFires();
    EXPECT_EQ(FilesInFolder(), std::vector<std::string>{"week.trn"});
    ASSERT_TRUE(document->DoSave(path.c_str()));
    Edit();
    TimerFires();
    EXPECT_EQ(FilesInFolder(), (std::vector<std::string>{"week.trn", "~week.trn"}));
    EXPECT_EQ(UiTestHook::MessageBoxCount(), 1);
}

TEST_F(FrameTest, ClosingRemovesTheAutosaveCopyWhileAutosaveIsOn)
{
    for (int seconds : {120, 0, -5}) {
        m_app->WriteProfileInt("Settings", "AutoSave", seconds);
        CMyDoc* other = NewDocument();
        const std::string path = PathOf("plan.trn");
        ASSERT_TRUE(other->DoSave(path.c_str()));
        WriteFileBytes(PathOf("~plan.trn"), {1, 2, 3});
        other->OnCloseDocument();
        EXPECT_EQ(std::filesystem::exists(PathOf("~plan.trn")), seconds <= 0) << seconds;
    }
}

// What a crash leaves: the autosave copy of the document, written and then left behind.
class RecoveryTest : public FrameTest {
protected:
    class FolderServices : public CShellServices {
    public:
        CString GetAutoSaveFolder() const override { return folder; }
        CString folder;
    };

    void SetUp() override
    {
        FrameTest::SetUp();
        std::filesystem::create_directories(PathOf("Autosave"));
        services.folder = PathOf("Autosave").c_str();
        SetShellServices(&services);
    }
    void TearDown() override
    {
        SetShellServices(nullptr);
        FrameTest::TearDown();
    }

    // No copies left, and a new document for the fixture's tear-down.
    void StartAfresh()
    {
        for (const CString& left : LeftUnsavedCopies())
            CFile::Remove(left);
        document = NewDocument();
        view = ViewOf(document);
        frame = FrameOf(document);
    }

    // week.trn with one object and a copy with two, as a killed program leaves them.
    void CrashWithCopy()
    {
        ASSERT_TRUE(document->DoSave(PathOf("week.trn").c_str()));
        Edit();
        TimerFires();
        const Bytes copy = ReadFileBytes(PathOf("~week.trn"));
        document->OnCloseDocument();
        WriteFileBytes(PathOf("~week.trn"), copy);
    }
    CMyDoc* Open(const char* name, int answer)
    {
        UiTestHook::QueueMessageBoxAnswer(answer);
        return static_cast<CMyDoc*>(m_template->OpenDocumentFile(PathOf(name).c_str()));
    }
    // The copy a document without a path leaves in the autosave folder.
    std::string CrashUnsaved()
    {
        Edit();
        TimerFires();
        const std::vector<CString> copies = LeftUnsavedCopies();
        EXPECT_EQ(copies.size(), 1u);
        if (copies.empty())
            return std::string();
        const std::string copy = static_cast<LPCTSTR>(copies[0]);
        const Bytes bytes = ReadFileBytes(copy);
        document->OnCloseDocument();
        WriteFileBytes(copy, bytes);
        return copy;
    }

    FolderServices services;
};

TEST_F(RecoveryTest, OpeningOffersANewerAutosaveCopy)
{
    CrashWithCopy();
    CMyDoc* taken = Open("week.trn", IDYES);
    ASSERT_NE(taken, nullptr);
    EXPECT_NE(UiTestHook::LastMessageBoxText().find("autosave copy"), std::string::npos);
    EXPECT_EQ(ViewOf(taken)->GetObjectCount(), 2) << "the copy's page";
    EXPECT_TRUE(taken->IsModified());
    EXPECT_EQ(taken->GetPathName(), PathOf("week.trn").c_str());
    EXPECT_EQ(ObjectsIn(PathOf("week.trn")), 1) << "both files are kept until a save";
    EXPECT_EQ(ObjectsIn(PathOf("~week.trn")), 2);
    ASSERT_TRUE(taken->DoSave(PathOf("week.trn").c_str()));
    EXPECT_EQ(ObjectsIn(PathOf("week.trn")), 2);
    EXPECT_EQ(FilesInFolder(), std::vector<std::string>{"week.trn"});
}

TEST_F(RecoveryTest, ADeclinedCopyStaysUntilTheNextSave)
{
    CrashWithCopy();
    const Bytes copy = ReadFileBytes(PathOf("~week.trn"));
    CMyDoc* declined = Open("week.trn", IDNO);
    ASSERT_NE(declined, nullptr);
    EXPECT_EQ(ViewOf(declined)->GetObjectCount(), 1);
    EXPECT_FALSE(declined->IsModified());
    AddSwatch(*ViewOf(declined), {0, 0, 5, 5}, RGB(0, 0, 255), "Later");
    declined->SetModifiedFlag();
    FrameOf(declined)->SendMessage(WM_TIMER, CHyperFrame::AutoSaveTimer);
    EXPECT_EQ(ReadFileBytes(PathOf("~week.trn")), copy) << "no autosave over the kept copy";
    declined->SetModifiedFlag(FALSE);
    declined->OnCloseDocument();
    EXPECT_EQ(ReadFileBytes(PathOf("~week.trn")), copy) << "closing keeps it";

    CMyDoc* again = Open("week.trn", IDNO);
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(UiTestHook::MessageBoxCount(), 2) << "offered again";
    ASSERT_TRUE(again->DoSave(PathOf("week.trn").c_str()));
    EXPECT_FALSE(std::filesystem::exists(PathOf("~week.trn")));
}

TEST_F(RecoveryTest, OnlyACopyAsNewAsTheDocumentIsOffered)
{
    struct Case {
        const char* name;
        std::chrono::seconds age;
        bool empty;
        int offers;
    };
    const Case cases[] = {
        {"older copy", std::chrono::seconds(-60), false, 0},
        {"empty copy", std::chrono::seconds(0), true, 0},
        {"newer copy", std::chrono::seconds(60), false, 1},
    };
    CrashWithCopy();
    const Bytes copy = ReadFileBytes(PathOf("~week.trn"));
    for (const Case& c : cases) {
        UiTestHook::Reset();
        WriteFileBytes(PathOf("~week.trn"), c.empty ? Bytes{} : copy);
        std::filesystem::last_write_time(PathOf("~week.trn"),
                                         std::filesystem::last_write_time(PathOf("week.trn")) + c.age);
        CMyDoc* opened = Open("week.trn", IDNO);
        ASSERT_NE(opened, nullptr) << c.name;
        EXPECT_EQ(UiTestHook::MessageBoxCount(), c.offers) << c.name;
        EXPECT_EQ(ViewOf(opened)->GetObjectCount(), 1) << c.name;
        opened->OnCloseDocument();
    }
    StartAfresh();
}

TEST_F(RecoveryTest, ADocumentWithoutAPathKeepsItsCopyInTheAutosaveFolder)
{
    Edit();
    TimerFires();
    const std::vector<CString> copies = LeftUnsavedCopies();
    ASSERT_EQ(copies.size(), 1u);
    EXPECT_EQ(ObjectsIn(static_cast<LPCTSTR>(copies[0])), 2);
    EXPECT_EQ(frame->GetAutoSavePath(), copies[0]);
    EXPECT_TRUE(document->GetPathName().IsEmpty());
    EXPECT_TRUE(document->IsModified());
    Edit();
    TimerFires();
    EXPECT_EQ(LeftUnsavedCopies(), copies) << "the same copy, written again";
    EXPECT_EQ(ObjectsIn(static_cast<LPCTSTR>(copies[0])), 3);
    ASSERT_TRUE(document->DoSave(PathOf("named.trn").c_str()));
    EXPECT_TRUE(LeftUnsavedCopies().empty());
}

TEST_F(RecoveryTest, CopiesOfAProgramStillRunningAreNotLeftBehind)
{
    const std::string running = PathOf("Autosave/~unsaved-20260101-120000-1-1.trn");
    const std::string ended = PathOf("Autosave/~unsaved-20260101-120000-4194000-1.trn");
    const std::string empty = PathOf("Autosave/~unsaved-20260101-120000-4194000-2.trn");
    WriteFileBytes(running, {1, 2, 3});
    WriteFileBytes(ended, {1, 2, 3});
    WriteFileBytes(empty, {});
    EXPECT_EQ(LeftUnsavedCopies(), std::vector<CString>{ended.c_str()});
    for (const std::string& path : {running, ended, empty})
        std::filesystem::remove(path);
}

TEST_F(RecoveryTest, LeftCopiesAreOfferedAtStartUp)
{
    struct Case {
        int answer;
        BOOL opened;
        BOOL kept;
    };
    document->OnCloseDocument();
    for (const Case& c : {Case{IDYES, TRUE, TRUE}, Case{IDNO, FALSE, FALSE}, Case{IDCANCEL, FALSE, TRUE}}) {
        document = NewDocument();
        frame = FrameOf(document);
        view = ViewOf(document);
        const std::string copy = CrashUnsaved();
        ASSERT_FALSE(copy.empty());
        ASSERT_EQ(m_template->GetFirstDocPosition(), nullptr);
        UiTestHook::QueueMessageBoxAnswer(c.answer);
        OfferUnsavedCopies();
        EXPECT_EQ(std::filesystem::exists(copy), static_cast<bool>(c.kept)) << c.answer;
        POSITION pos = m_template->GetFirstDocPosition();
        CDocument* opened = pos ? m_template->GetNextDoc(pos) : nullptr;
        EXPECT_EQ(opened != nullptr, static_cast<bool>(c.opened)) << c.answer;
        if (!opened)
            continue;
        EXPECT_TRUE(opened->GetPathName().IsEmpty());
        EXPECT_TRUE(opened->IsModified());
        EXPECT_EQ(ViewOf(opened)->GetObjectCount(), 1) << "the object added before the crash";
        EXPECT_EQ(FrameOf(opened)->GetAutoSavePath(), copy.c_str()) << "autosaves go on in the copy";
        ASSERT_TRUE(opened->DoSave(PathOf("rescued.trn").c_str()));
        EXPECT_FALSE(std::filesystem::exists(copy));
        opened->OnCloseDocument();
    }
    StartAfresh();
}

TEST_F(FrameTest, EveryOpenViewHearsOfASave)
{
    CMyDoc* other = NewDocument();
    ASSERT_TRUE(document->DoSave(PathOf("a.trn").c_str()));
    EXPECT_EQ(view->savedPaths, std::vector<std::string>{PathOf("a.trn")});
    EXPECT_EQ(ViewOf(other)->savedPaths, std::vector<std::string>{PathOf("a.trn")});
}

TEST_F(FrameTest, RulerUnitsAreStoredInTheProfile)
{
    struct Case {
        WPARAM wParam;
        int units;
    };
    for (const Case& c : {Case{1, 100}, Case{0, 254}, Case{7, 100}}) {
        frame->SendMessage(CHyperFrame::WM_TOOL_OR_UNITS, c.wParam, 0);
        EXPECT_EQ(static_cast<int>(m_app->GetProfileInt("Settings", "RulerUnits", -1)), c.units) << c.wParam;
    }
}

TEST_F(FrameTest, ToolsAreChosenFromTheFramesListInEditMode)
{
    EXPECT_EQ(frame->GetCurrentTool(), CHyperFrame::ToolSelect);
    struct Case {
        UINT id;
        BOOL taken;
        UINT current;
    };
    const Case cases[] = {{60451, TRUE, 60451}, {12345, FALSE, 60451}, {60500, TRUE, 60500},
                          {60527, TRUE, 60527}, {60528, FALSE, 60527}, {60447, TRUE, 60447}};
    for (const Case& c : cases) {
        EXPECT_EQ(frame->SelectTool(c.id), c.taken) << c.id;
        EXPECT_EQ(frame->GetCurrentTool(), c.current) << c.id;
    }
    frame->SendMessage(WM_COMMAND, 33807);
    EXPECT_EQ(frame->GetCurrentTool(), 33807u);
    view->m_editMode = FALSE;
    frame->SendMessage(WM_COMMAND, 60451);
    EXPECT_EQ(frame->GetCurrentTool(), 33807u);
}

TEST_F(FrameTest, AToolIsUsableInEditModeWhenItHasAClassOrNeedsNone)
{
    frame->SelectTool(60447);
    struct Case {
        UINT id;
        int enabled;
        int checked;
    };
    const Case cases[] = {{60447, TRUE, TRUE}, {60451, FALSE, FALSE}, {34052, TRUE, FALSE}, {37701, TRUE, FALSE}};
    for (const Case& c : cases) {
        UpdateRecorder ui = Update(c.id);
        EXPECT_EQ(ui.enabled, c.enabled) << c.id;
        EXPECT_EQ(ui.checked, c.checked) << c.id;
    }
    view->SetToolClass(60451, RUNTIME_CLASS(CSwatchOb));
    EXPECT_EQ(Update(60451).enabled, TRUE);
    view->m_editMode = FALSE;
    EXPECT_EQ(Update(60447).enabled, FALSE);
    EXPECT_EQ(Update(60451).enabled, FALSE);
}

TEST_F(FrameTest, EditViewSwitchesEveryViewOfTheFrame)
{
    EXPECT_EQ(Update(CHyperFrame::CmdEditView).checked, TRUE);
    frame->SendMessage(WM_COMMAND, CHyperFrame::CmdEditView);
    EXPECT_FALSE(view->IsEditMode());
    EXPECT_EQ(Update(CHyperFrame::CmdEditView).checked, FALSE);
    frame->SendMessage(WM_COMMAND, CHyperFrame::CmdEditView);
    EXPECT_TRUE(view->IsEditMode());
}

TEST_F(FrameTest, FramesEnterTheOpenListOnceAndLeaveItWhenDestroyed)
{
    const CObArray& frames = GetViewSettings().m_openFrames;
    const int counter = GetViewSettings().m_frameCounter;
    auto listed = [&](CWnd* wnd) {
        for (INT_PTR i = 0; i < frames.GetSize(); ++i) {
            if (frames[i] == wnd)
                return true;
        }
        return false;
    };
    EXPECT_TRUE(listed(frame));
    frame->ActivateFrame();
    EXPECT_EQ(GetViewSettings().m_frameCounter, counter);
    CMyDoc* other = NewDocument();
    CMyFrame* otherFrame = FrameOf(other);
    EXPECT_EQ(GetViewSettings().m_frameCounter, counter + 1);
    other->OnCloseDocument();
    EXPECT_FALSE(listed(otherFrame));
    EXPECT_TRUE(listed(frame));
}

TEST_F(FrameTest, TheFrameObjectGoesFirstAndKnowsItsView)
{
    CHyperFrameOb* frameObject = frame->GetFrameObject();
    ASSERT_NE(frameObject, nullptr);
    EXPECT_EQ(frameObject->GetView(), view);
    EXPECT_NE(frameObject->GetParentFrame(), nullptr);
    frameObject->Title = "Plan";
    document->SetTitle("ignored");
    EXPECT_EQ(document->GetTitle(), "Plan");
}

TEST_F(FrameTest, HelpOnAPointNamesTheObjectUnderItOrThePage)
{
    view->GetObjectAtIndex(0)->HelpContextID = 11;
    view->GetPageObject()->HelpContextID = 99;
    struct Case {
        CPoint client;
        DWORD_PTR helpId;
    };
    for (const Case& c : {Case{{32, 32}, 11}, Case{{202, 202}, 99}}) {
        CPoint screen = c.client;
        view->ClientToScreen(&screen);
        HELPINFO info{sizeof(HELPINFO), 1, 0, nullptr, 0, screen};
        frame->SendMessage(WM_HELPINFO, 0, reinterpret_cast<LPARAM>(&info));
        ASSERT_FALSE(m_app->helpRequests.empty());
        EXPECT_EQ(m_app->helpRequests.back(), (std::pair<DWORD_PTR, UINT>{c.helpId, 1})) << c.client.x;
    }
    view->GetPageObject()->HelpContextID = 0;
    const size_t asked = m_app->helpRequests.size();
    CPoint screen(202, 202);
    view->ClientToScreen(&screen);
    HELPINFO info{sizeof(HELPINFO), 1, 0, nullptr, 0, screen};
    frame->SendMessage(WM_HELPINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(m_app->helpRequests.size(), asked);
}

TEST_F(FrameTest, TheWindowNumberAnswersItsMessageAndCommands)
{
    EXPECT_EQ(static_cast<UINT>(frame->SendMessage(CMDIChildWndEx::WM_GETWINDOWNUMBER)), frame->GetWindowNumber());
    frame->SendMessage(WM_COMMAND, 803);
    EXPECT_EQ(frame->SendMessage(CMDIChildWndEx::WM_GETWINDOWNUMBER), 0x1000006);
    EXPECT_EQ(Update(803).checked, TRUE);
    EXPECT_EQ(Update(804).checked, FALSE);
    frame->SendMessage(WM_COMMAND, 808);
    EXPECT_EQ(frame->SendMessage(CMDIChildWndEx::WM_GETWINDOWNUMBER), 0xFFFFFF);
    EXPECT_EQ(Update(808).checked, TRUE);
}

TEST_F(FrameTest, AChildFrameIsAlwaysShownMaximised)
{
    for (int show : {SW_SHOWNORMAL, SW_SHOWMINIMIZED, SW_RESTORE}) {
        frame->ActivateFrame(show);
        EXPECT_TRUE(frame->IsZoomed()) << show;
        EXPECT_FALSE(frame->IsIconic()) << show;
    }
}

// The main frame's tool bar, recording what the frames tell it.
class CRecordingToolBar : public CToolBar {
public:
    LRESULT OnToolOrSize(WPARAM wParam, LPARAM lParam)
    {
        if (wParam == 1)
            sizes.push_back(*reinterpret_cast<const RECT*>(lParam));
        else
            tools.push_back(static_cast<UINT>(lParam));
        return 0;
    }
    std::vector<UINT> tools;
    std::vector<CRect> sizes;
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CRecordingToolBar, CToolBar)
    ON_MESSAGE(CHyperFrame::WM_TOOL_OR_UNITS, OnToolOrSize)
END_MESSAGE_MAP()

class ToolBarFrameTest : public FrameTest {
protected:
    void SetUp() override
    {
        FrameTest::SetUp();
        ASSERT_TRUE(toolBar.Create(m_main, WS_CHILD | WS_VISIBLE | CBRS_TOP, CHyperFrame::ToolBarId));
    }
    CRecordingToolBar toolBar;
};

TEST_F(ToolBarFrameTest, TheToolBarHearsTheCurrentTool)
{
    UiTestHook::PumpPending();
    toolBar.tools.clear();
    frame->SelectTool(60451);
    frame->SelectTool(60447);
    UiTestHook::PumpPending();
    EXPECT_EQ(toolBar.tools, (std::vector<UINT>{60451, 60447}));
}

TEST_F(ToolBarFrameTest, ThePageSizeIsShownInUnitsOrGridCells)
{
    view->GetPageObject()->SetScrollWidth(655);
    view->GetPageObject()->SetScrollHeight(800);
    frame->ShowPageSize();
    view->m_pageFlags = CHyperRunView::GridCellMode;
    view->m_gridStep = MAKELONG(20, 30);
    frame->ShowPageSize();
    ASSERT_EQ(toolBar.sizes.size(), 2u);
    EXPECT_TRUE(toolBar.sizes[0] == CRect(0, 0, 655, 800));
    EXPECT_TRUE(toolBar.sizes[1] == CRect(1, 1, 32, 26));
    view->m_gridStep = 0;
    frame->ShowPageSize();
    EXPECT_EQ(toolBar.sizes.size(), 3u);
}

} // namespace

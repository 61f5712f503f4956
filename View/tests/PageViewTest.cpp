// What the page view answers its objects, its object queries and names, keeping objects on
// the page, and reading the objects of another document file.
#include "ViewTestKit.h"

#include "View/ChildHostWnd.h"
#include "platform/ui/CmdUI.h"
#include "platform/ui/Edit.h"
#include "platform/ui/TestHook.h"

#include "objects/HyperFrameOb.h"
#include "objects/HyperViewOb.h"
#include "objects/LayerFmt.h"
#include "objects/ViewSettings.h"
#include "platform/core/File.h"

#include <unistd.h>

namespace {

class UpdateRecorder : public CCmdUI {
public:
    void Enable(BOOL on) override { enabled = on; }
    int enabled = -1;
};

std::vector<std::string> CodesOf(const CObArray& objects)
{
    std::vector<std::string> codes;
    for (INT_PTR i = 0; i < objects.GetSize(); ++i)
        codes.emplace_back(static_cast<CHyperOb*>(objects[i])->Code);
    return codes;
}

class PageViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        view.CreatePageObject();
        c = AddSwatch(view, {200, 200, 260, 240}, RGB(0, 255, 0), "C");
        b = AddSwatch(view, {100, 100, 150, 150}, RGB(0, 0, 255), "B");
        a = AddSwatch(view, {0, 0, 50, 50}, RGB(255, 0, 0), "A");
    }

    CTestPageView view;
    CSwatchOb* a = nullptr;
    CSwatchOb* b = nullptr;
    CSwatchOb* c = nullptr;
};

TEST_F(PageViewTest, ObjectsAskTheirViewThroughTheHostSeam)
{
    EXPECT_EQ(GetObjectHost(&view), static_cast<CObjectHost*>(&view));
    EXPECT_EQ(GetObjectHost(nullptr), nullptr);
    view.GetPageObject()->Color = RGB(1, 2, 3);
    EXPECT_EQ(a->GetPageColor(), RGB(1, 2, 3));
    EXPECT_EQ(a->GetCustomColors(), view.m_customColors);
    EXPECT_EQ(view.FindObject("B", nullptr), b);
    EXPECT_EQ(view.FindObject("B", b), nullptr);
    CStringArray codes;
    view.GetCodesInUse(codes, b);
    std::vector<std::string> inUse;
    for (INT_PTR i = 0; i < codes.GetSize(); ++i)
        inUse.emplace_back(codes[i]);
    EXPECT_EQ(inUse, (std::vector<std::string>{"Form", "A", "C"}));
    CTestPageView other;
    EXPECT_EQ(other.GetPageObjectColor(), static_cast<COLORREF>(-1));
}

TEST_F(PageViewTest, AHiddenLayerHidesItsObjectsAndALockedOneLocksThem)
{
    CLayerFmt* layers = view.GetPageObject()->GetLayerList();
    ASSERT_NE(layers, nullptr);
    CLayerItem* standard = layers->GetLayer(0);
    ASSERT_NE(standard, nullptr);
    b->LayerID = standard->GetId();
    EXPECT_TRUE(b->IsVisible());
    standard->m_locked = 1;
    EXPECT_TRUE(b->IsLocked());
    standard->m_visible = 0;
    view.m_editMode = FALSE;
    EXPECT_FALSE(b->IsVisible());
    b->LayerID = 4321;
    EXPECT_TRUE(b->IsVisible());
}

TEST_F(PageViewTest, ObjectsInARectangleInListOrder)
{
    CSwatchOb* line = AddSwatch(view, {120, 300, 120, 300}, RGB(0, 0, 0), "Flat");
    struct Case {
        CRect rect;
        std::vector<std::string> codes;
    };
    const Case cases[] = {
        {{0, 0, 1000, 1000}, {"Flat", "A", "B", "C"}},
        {{40, 40, 110, 110}, {"A", "B"}},
        {{300, 300, 400, 400}, {}},
        {{120, 300, 130, 310}, {"Flat"}}, // an empty rectangle counts one unit around it
    };
    for (const Case& c : cases) {
        CObArray found;
        EXPECT_EQ(view.GetObjectsInRect(found, c.rect, FALSE), static_cast<int>(c.codes.size()));
        EXPECT_EQ(CodesOf(found), c.codes);
    }
    (void)line;
}

TEST_F(PageViewTest, AselectionInStackingOrderRunsFromTheBottomUp)
{
    CObArray subset;
    subset.Add(a);
    subset.Add(c);
    CObArray ordered;
    EXPECT_EQ(CHyperRunView::OrderByStacking(view.GetObjects(), subset, ordered), 2);
    EXPECT_EQ(CodesOf(ordered), (std::vector<std::string>{"C", "A"}));
}

TEST_F(PageViewTest, GroupQueries)
{
    a->GroupID = 3;
    c->GroupID = 3;
    b->GroupID = 0;
    CObArray group;
    EXPECT_EQ(view.GetGroupObjects(3, group), 2);
    EXPECT_EQ(CodesOf(group), (std::vector<std::string>{"A", "C"}));
    CObArray grouped;
    EXPECT_EQ(CHyperRunView::GetGroupedObjects(view.GetObjects(), grouped), 3);
    b->GroupID = -1;
    grouped.RemoveAll();
    EXPECT_EQ(CHyperRunView::GetGroupedObjects(view.GetObjects(), grouped), 2);
}

// Reports what it was given and declines.
class CReportingView : public CTestPageView {
public:
    BOOL ReportDuplicateNames(const CString& report, CObArray& holders) override
    {
        text = report;
        collected = CodesOf(holders);
        return FALSE;
    }
    CString text;
    std::vector<std::string> collected;
};

TEST(DuplicateNames, EveryHolderIsCollectedAndEachNameReportedOnce)
{
    CReportingView view;
    view.CreatePageObject();
    for (const char* code : {"Box", "Other", "Box", "Note", "Box", "Note"})
        AddSwatch(view, {0, 0, 5, 5}, 0, code);
    EXPECT_FALSE(view.CheckDuplicateNames());
    EXPECT_EQ(view.text, " \"Note\" \"Box\"");
    EXPECT_EQ(view.collected, (std::vector<std::string>{"Note", "Note", "Box", "Box", "Box"}));
    CReportingView clean;
    AddSwatch(clean, {0, 0, 5, 5}, 0, "One");
    AddSwatch(clean, {0, 0, 5, 5}, 0, "Two");
    EXPECT_TRUE(clean.CheckDuplicateNames());
    EXPECT_TRUE(clean.collected.empty());
}

TEST_F(PageViewTest, TheToolRegistryNamesTheToolOfAnObject)
{
    EXPECT_EQ(view.GetObjectId(a), -1);
    view.SetToolClass(60451, RUNTIME_CLASS(CSwatchOb));
    EXPECT_EQ(view.GetObjectId(a), 60451);
    CString name;
    view.GetObjectTypeName(name, a);
    EXPECT_EQ(name, "CSwatchOb");
    EXPECT_EQ(view.FindObjectByName("B"), b);
    EXPECT_EQ(view.FindObjectByName("Nobody"), nullptr);
    view.MapObjectName("", c);
    EXPECT_EQ(view.FindObjectByName(""), nullptr);
}

TEST_F(PageViewTest, AutomationNamesThePageTheFrameAndTheObjects)
{
    CHyperFrameOb frame;
    frame.SetView(&view);
    view.SetFrameObject(&frame);
    view.InitAutomation(TRUE);
    std::vector<std::string> names;
    for (int i = 0; i < view.GetAutomationNameCount(); ++i)
        names.emplace_back(view.GetAutomationName(i));
    EXPECT_EQ(names, (std::vector<std::string>{"Form", "Frame", "A", "B", "C"}));
    EXPECT_EQ(view.GetAutomationItem(2), a);
    view.InitAutomation(FALSE);
    EXPECT_EQ(view.GetAutomationNameCount(), 0);
    for (int i = 0; i < 800; ++i)
        AddSwatch(view, {0, 0, 5, 5}, 0, "Many");
    view.InitAutomation(TRUE);
    EXPECT_EQ(view.GetAutomationNameCount(), 770);
    view.SetFrameObject(nullptr);
}

// Page 0..500 x 0..400 less margins of 10: the usable page is 10..490 x 10..390.
TEST(ClampToPage, ObjectsComeBackInsideTheUsablePage)
{
    struct Case {
        const char* name;
        std::vector<CRect> before;
        std::vector<CRect> after;
    };
    const Case cases[] = {
        {"inside", {{20, 20, 60, 60}}, {{20, 20, 60, 60}}},
        {"set over the left edge moves right together",
         {{0, 50, 40, 90}, {5, 100, 45, 140}},
         {{10, 50, 50, 90}, {15, 100, 55, 140}}},
        {"set over the bottom edge moves up together", {{100, 370, 140, 395}}, {{100, 365, 140, 390}}},
        {"set over both sides: each object alone",
         {{0, 50, 40, 90}, {470, 50, 500, 90}},
         {{10, 50, 50, 90}, {460, 50, 490, 90}}},
        {"wider than the page ends on its right edge", {{0, 20, 600, 60}}, {{-110, 20, 490, 60}}},
    };
    for (const Case& c : cases) {
        CTestPageView view;
        view.CreatePageObject();
        view.GetPageObject()->SetScrollWidth(500);
        view.GetPageObject()->SetScrollHeight(400);
        CObArray objects;
        for (const CRect& rect : c.before)
            objects.Add(AddSwatch(view, rect, 0, "Box"));
        view.ClampObjectsToPage(objects, FALSE);
        for (size_t i = 0; i < c.after.size(); ++i) {
            CRect rect;
            static_cast<CHyperOb*>(objects[static_cast<INT_PTR>(i)])->GetRect(&rect, nullptr);
            EXPECT_TRUE(rect == c.after[i]) << c.name << " #" << i << ": " << rect.left << "," << rect.top << ","
                                            << rect.right << "," << rect.bottom;
        }
    }
}

TEST(PageRect, ThePageLessItsMargins)
{
    CTestPageView view;
    view.CreatePageObject();
    view.GetPageObject()->SetScrollWidth(500);
    view.GetPageObject()->SetScrollHeight(400);
    view.m_margins.SetRect(10, 20, 30, 40);
    CRect rect;
    view.GetPageRect(&rect, TRUE);
    EXPECT_EQ(rect, CRect(10, 20, 470, 360));
}

class PageFileTest : public ViewAppTest { };

TEST_F(PageFileTest, ObjectsOfAnotherFileAreReadWithoutTouchingThePage)
{
    CMyDoc* source = NewDocument();
    AddSwatch(*ViewOf(source), {1, 2, 3, 4}, RGB(9, 9, 9), "Imported");
    ASSERT_TRUE(source->DoSave(PathOf("source.trn").c_str()));
    CMyDoc* document = NewDocument();
    CTestPageView* view = ViewOf(document);
    CSwatchOb* own = AddSwatch(*view, {5, 5, 9, 9}, 0, "Own");
    CHyperViewOb* page = view->GetPageObject();
    std::unique_ptr<CHyperObArray> loaded(view->LoadObjectsFromFile(PathOf("source.trn").c_str(), document));
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(CodesOf(*loaded), std::vector<std::string>{"Imported"});
    EXPECT_EQ(view->GetObjectCount(), 1);
    EXPECT_EQ(view->GetObjectAtIndex(0), own);
    EXPECT_EQ(view->GetPageObject(), page);
    EXPECT_EQ(view->LoadObjectsFromFile(PathOf("missing.trn").c_str(), document), nullptr);
}

TEST_F(PageFileTest, TheBareFileNameIsTriedOnlyWhenReading)
{
    CMyDoc* document = NewDocument();
    CTestPageView* view = ViewOf(document);
    AddSwatch(*view, {1, 2, 3, 4}, 0, "Kept");
    char previous[4096];
    ASSERT_NE(getcwd(previous, sizeof previous), nullptr);
    ASSERT_EQ(chdir(m_folder.c_str()), 0);
    const std::string elsewhere = "/no/such/folder/Page.TRN";
    EXPECT_FALSE(view->SerializeDocToFile(elsewhere.c_str(), 0));
    EXPECT_TRUE(FilesInFolder().empty());
    EXPECT_TRUE(view->SerializeDocToFile("page.trn", 0));
    view->GetObjects().DeleteAll();
    EXPECT_TRUE(view->SerializeDocToFile("/no/such/folder\\Page.TRN", CHyperRunView::ReadDocument));
    EXPECT_EQ(view->GetObjectCount(), 1);
    ASSERT_EQ(chdir(previous), 0);
}

TEST_F(PageFileTest, OpeningByNameLooksInTheDocumentFolderFirst)
{
    CMyDoc* document = NewDocument();
    ASSERT_TRUE(document->DoSave(PathOf("plan.trn").c_str()));
    document->OnCloseDocument();
    CMyDoc* current = NewDocument();
    CTestPageView* view = ViewOf(current);
    GetViewSettings().m_documentFolder = m_folder.c_str();
    GetViewSettings().m_nextFramePosition = {12, 34};
    EXPECT_TRUE(view->OpenDocumentByName("C:\\elsewhere\\PLAN.trn"));
    EXPECT_EQ(m_app->GetOpenDocumentCount(), 2);
    EXPECT_EQ(CPoint(GetViewSettings().m_nextFramePosition), CPoint(-1, -1));
    EXPECT_FALSE(view->OpenDocumentByName("C:\\elsewhere\\absent.trn"));
    GetViewSettings().m_documentFolder.Empty();
}

} // namespace

namespace {

class ViewWindowTest : public ViewAppTest {
protected:
    void SetUp() override
    {
        ViewAppTest::SetUp();
        document = NewDocument();
        ASSERT_NE(document, nullptr);
        view = ViewOf(document);
        m_main->ShowWindow(SW_SHOW);
        UiTestHook::PumpPending();
    }
    CRect Pending()
    {
        CRect rect;
        view->GetUpdateRect(&rect, FALSE);
        return rect;
    }

    CMyDoc* document = nullptr;
    CTestPageView* view = nullptr;
};

// Objects invalidate their area in device units; a batched layout update invalidates nothing.
TEST_F(ViewWindowTest, ObjectsInvalidateTheirZoomedAreaUnlessRepaintIsBatched)
{
    CSwatchOb* box = AddSwatch(*view, {10, 10, 30, 20}, RGB(255, 0, 0), "Box");
    view->m_editMode = FALSE;
    view->SetZoom(200);
    view->ValidateRect(nullptr);
    box->InvalidateArea(nullptr);
    const CRect pending = Pending();
    EXPECT_TRUE(pending == CRect(20, 20, 60, 40))
        << pending.left << "," << pending.top << "," << pending.right << "," << pending.bottom;
    view->ValidateRect(nullptr);
    view->m_batchedRepaint = 1;
    view->m_layoutUpdate = 1;
    EXPECT_TRUE(view->IsRepaintBatched());
    box->InvalidateArea(nullptr);
    EXPECT_TRUE(Pending().IsRectEmpty());
    view->m_layoutUpdate = 0;
    EXPECT_FALSE(view->IsRepaintBatched());
}

TEST_F(ViewWindowTest, CopyFromAnEditBoxNeedsASelection)
{
    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 20), view, 100));
    edit.SetWindowText("some text");
    edit.SetFocus();
    struct Case {
        int start;
        int end;
        int enabled;
    };
    for (const Case& c : {Case{0, 0, FALSE}, Case{2, 6, TRUE}, Case{3, 3, FALSE}}) {
        edit.SetSel(c.start, c.end);
        UpdateRecorder ui;
        view->UpdateEditCopy(&ui);
        EXPECT_EQ(ui.enabled, c.enabled) << c.start << "-" << c.end;
    }
    view->SetFocus();
    UpdateRecorder ui;
    view->UpdateEditCopy(&ui);
    EXPECT_EQ(ui.enabled, FALSE);
}

TEST_F(ViewWindowTest, TheHostKeepsItsChildFillingIt)
{
    CChildHostWnd host;
    ASSERT_TRUE(host.Create(nullptr, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, CRect(0, 0, 50, 40), view, 7));
    auto* child = new CWnd;
    ASSERT_TRUE(child->Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 5, 5), &host, 8));
    host.SetChild(child);
    host.SetWindowPos(nullptr, 0, 0, 120, 90, SWP_NOMOVE | SWP_NOZORDER);
    CRect client;
    child->GetClientRect(&client);
    EXPECT_TRUE(client == CRect(0, 0, 120, 90));
    host.DestroyWindow();
}

// A swatch that holds a picture.
class CPictureSwatchOb : public CSwatchOb {
public:
    void CollectBitmaps(CObArray* pictures) override { pictures->Add(this); }
};

TEST_F(ViewWindowTest, RefreshingPictureViewsRedrawsTheObjectsWithPictures)
{
    AddSwatch(*view, {100, 100, 120, 120}, RGB(0, 0, 255), "Plain");
    auto* pictured = new CPictureSwatchOb;
    const RECT rect{10, 10, 30, 20};
    pictured->Init(view, &rect, FALSE);
    view->GetObjects().InsertAt(0, pictured);
    view->m_editMode = FALSE;
    view->ValidateRect(nullptr);
    view->RefreshPictureViews();
    const CRect pending = Pending();
    EXPECT_TRUE(pending == CRect(10, 10, 30, 20))
        << pending.left << "," << pending.top << "," << pending.right << "," << pending.bottom;
}

} // namespace

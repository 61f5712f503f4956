// What the page view answers its objects, its object queries and names, keeping objects on
// the page, and reading the objects of another document file.
#include "ViewTestKit.h"

#include "objects/HyperFrameOb.h"
#include "objects/HyperViewOb.h"
#include "objects/LayerFmt.h"
#include "objects/ViewSettings.h"
#include "platform/core/File.h"

#include <unistd.h>

namespace {

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

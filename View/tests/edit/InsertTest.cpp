// Inserting objects with a tool: the rectangle the drag gives, the default size of a click,
// naming, layers, stacking, and the bad paths (Escape, leaving the window, a tool command
// while a drag runs) that must leave the page as it was.
#include "EditViewFixture.h"

#include "objects/HyperViewOb.h"
#include "objects/LayerFmt.h"
#include "objects/kinds/BorderGen.h"
#include "objects/kinds/RectGen.h"
#include "platform/core/StringTable.h"

#include <string>

namespace {

constexpr UINT kRectangle = CMyView::ToolRectangle;
constexpr UINT kSelect = CHyperView::ToolSelect;

TEST_F(EditViewTest, ADragWithTheRectangleToolInsertsANamedSelectedBorderAndFallsBackToSelect)
{
    PickTool(kRectangle);
    ASSERT_EQ(CurrentTool(), kRectangle);
    Drag({100, 100}, {300, 200});

    ASSERT_EQ(ObjectCount(), 1);
    EXPECT_EQ(Object(0)->GetRuntimeClass()->m_lpszClassName, CString("CBorderGen"));
    EXPECT_EQ(RectOf(0), CRect(100, 100, 300, 200));
    EXPECT_EQ(NameOf(0), CString("Border1"));
    EXPECT_EQ(Object(0)->LayerID, view->GetPageObject()->GetLayerList()->GetCurrentLayerId());
    EXPECT_EQ(view->GetCurrentIndex(), 0);
    EXPECT_TRUE(Object(0)->IsSelected());
    EXPECT_EQ(view->GetUndoCount(), 1);
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(CurrentTool(), kSelect);
}

TEST_F(EditViewTest, TheFrameToolInsertsAFrameLabelledWithItsName)
{
    PickTool(CMyView::ToolFrame);
    Drag({100, 100}, {300, 200});
    ASSERT_EQ(ObjectCount(), 1);
    auto* frameObject = dynamic_cast<CRectGen*>(Object(0));
    ASSERT_NE(frameObject, nullptr);
    EXPECT_EQ(NameOf(0), CString("Frame1"));
    CString label;
    EXPECT_TRUE(frameObject->GetText(label));
    EXPECT_EQ(label, CString("Frame1"));
    EXPECT_EQ(CurrentTool(), kSelect);
}

TEST_F(EditViewTest, AClickOrATinyDragGivesTheDefaultSizeCentredOnThePressAndSnapped)
{
    struct Case {
        POINT press;
        POINT release;
        CRect expected;
    };
    // 80 x 80 by default, the grid step is 10 and the page margins keep 10 units free.
    const Case cases[] = {
        {{55, 47}, {55, 47}, CRect(20, 10, 100, 90)},
        {{100, 100}, {102, 101}, CRect(60, 60, 140, 140)},
        {{3, 3}, {3, 3}, CRect(10, 10, 90, 90)},
    };
    for (const Case& c : cases) {
        view->GetObjects().DeleteAll();
        view->SetCurrentIndex(-1);
        PickTool(kRectangle);
        Drag(c.press, c.release, 1);
        ASSERT_EQ(ObjectCount(), 1) << c.press.x;
        EXPECT_EQ(RectOf(0), c.expected) << c.press.x << "," << c.press.y;
        EXPECT_EQ(CurrentTool(), kSelect);
    }
}

TEST_F(EditViewTest, EscapeDuringTheDragInsertsNothingAndRecordsNoStep)
{
    PickTool(kRectangle);
    Post(WM_LBUTTONDOWN, {100, 100}, MK_LBUTTON);
    Post(WM_MOUSEMOVE, {150, 150}, MK_LBUTTON);
    Post(WM_MOUSEMOVE, {200, 180}, MK_LBUTTON);
    PostKey(VK_ESCAPE);
    Post(WM_LBUTTONUP, {200, 180});
    Pump();
    EXPECT_EQ(ObjectCount(), 0);
    EXPECT_EQ(view->GetUndoCount(), 0);
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(CurrentTool(), kSelect);
}

TEST_F(EditViewTest, ADragThatLeavesTheWindowEndsWithAnObjectOnThePage)
{
    PickTool(kRectangle);
    Post(WM_LBUTTONDOWN, {100, 100}, MK_LBUTTON);
    Post(WM_MOUSEMOVE, {-400, 250}, MK_LBUTTON);
    Post(WM_MOUSEMOVE, {-900, 4000}, MK_LBUTTON);
    Post(WM_LBUTTONUP, {-900, 4000});
    Pump();
    ASSERT_EQ(ObjectCount(), 1);
    CRect page;
    view->GetPageRect(&page, TRUE);
    CRect rect = RectOf(0);
    EXPECT_GE(rect.left, page.left);
    EXPECT_GE(rect.top, page.top);
    EXPECT_EQ(view->GetUndoCount(), 1);
}

TEST_F(EditViewTest, AToolCommandDuringADragDoesNotStartASecondInsertion)
{
    PickTool(kRectangle);
    Post(WM_LBUTTONDOWN, {100, 100}, MK_LBUTTON);
    Post(WM_MOUSEMOVE, {200, 150}, MK_LBUTTON);
    ::PostMessage(frame->m_hWnd, WM_COMMAND, kRectangle, 0);
    Post(WM_MOUSEMOVE, {300, 200}, MK_LBUTTON);
    Post(WM_LBUTTONUP, {300, 200});
    Pump();
    ASSERT_EQ(ObjectCount(), 1);
    EXPECT_EQ(RectOf(0), CRect(100, 100, 300, 200));
    EXPECT_EQ(view->GetUndoCount(), 1);
    EXPECT_EQ(CurrentTool(), kSelect);
}

TEST_F(EditViewTest, NamesCountPerKindAndALoadedPageStartsAgainSkippingNamesInUse)
{
    for (int i = 0; i < 2; ++i) {
        PickTool(kRectangle);
        Drag({100 + 100 * i, 300}, {180 + 100 * i, 380});
    }
    ASSERT_EQ(ObjectCount(), 2);
    EXPECT_EQ(NameOf(1), CString("Border1"));
    EXPECT_EQ(NameOf(0), CString("Border2"));

    LoadPage(PageBytes());
    ASSERT_EQ(ObjectCount(), 2);
    PickTool(kRectangle);
    Drag({400, 100}, {480, 180});
    ASSERT_EQ(ObjectCount(), 3);
    EXPECT_EQ(NameOf(0), CString("Border3"));
}

TEST_F(EditViewTest, LoadingNamesObjectsThatHaveNoNameAndMarksTheDocumentModified)
{
    AddBorder(CRect(10, 10, 60, 60))->Code = "";
    AddBorder(CRect(100, 10, 160, 60))->Code = " \t";
    AddBorder(CRect(200, 10, 260, 60))->Code = "Border1";
    const std::vector<BYTE> page = PageBytes();
    doc->SetModifiedFlag(FALSE);
    LoadPage(page);
    ASSERT_EQ(ObjectCount(), 3);
    EXPECT_EQ(NameOf(0), CString("Border1"));
    EXPECT_EQ(NameOf(1), CString("Border2"));
    EXPECT_EQ(NameOf(2), CString("Border3"));
    EXPECT_TRUE(doc->IsModified());

    doc->SetModifiedFlag(FALSE);
    LoadPage(PageBytes());
    EXPECT_FALSE(doc->IsModified()) << "a page whose objects all have names loads unchanged";
}

TEST_F(EditViewTest, APageOfManyUnnamedObjectsNamesThemAllInOrder)
{
    constexpr int kCount = 400;
    for (int i = 0; i < kCount; ++i)
        AddBorder(CRect(i, 10, i + 20, 60))->Code = i == 7 ? "Border5" : "";
    LoadPage(PageBytes());
    ASSERT_EQ(ObjectCount(), kCount);
    int n = 0;
    for (int i = 0; i < kCount; ++i) {
        if (NameOf(i) == CString("Border5"))
            continue;
        n += n == 4 ? 2 : 1;  // the fifth name is taken
        EXPECT_EQ(NameOf(i), CString(("Border" + std::to_string(n)).c_str())) << i;
    }
}

TEST_F(EditViewTest, ClassesShowTheShortNameOfTheirTool)
{
    RegisterStringResource(kRectangle, "Insert a rectangle\nRectangle");
    CString text;
    view->GetClassDisplayName(text, RUNTIME_CLASS(CBorderGen));
    EXPECT_EQ(text, CString("Rectangle"));
    view->GetClassDisplayName(text, RUNTIME_CLASS(CBorderOb));
    EXPECT_EQ(text, CString("CBorderOb"));
}

TEST_F(EditViewTest, MakingALockedLayerCurrentDropsTheSelectionAndTheTool)
{
    CLayerFmt* layers = view->GetPageObject()->GetLayerList();
    AddBorder(CRect(100, 100, 200, 200));
    Click({150, 150});
    ASSERT_EQ(view->GetCurrentIndex(), 0);
    PickTool(kRectangle);
    const int index = layers->GetCurrentIndex() == 0 ? 1 : 0;
    layers->GetLayerItem(index)->m_locked = 1;
    view->SendMessage(0x8211, 0, layers->GetLayerItem(index)->GetId());
    EXPECT_EQ(layers->GetCurrentIndex(), index);
    EXPECT_EQ(view->GetCurrentIndex(), -1);
    EXPECT_FALSE(Object(0)->IsSelected());
    EXPECT_EQ(CurrentTool(), kSelect);
    EXPECT_FALSE(view->IsCurrentLayerEditable());
}

TEST_F(EditViewTest, ANewObjectStandsBelowObjectsThatStayInFront)
{
    CHyperOb* front = AddBorder(CRect(10, 10, 60, 60));
    front->m_stayInFront = TRUE;
    view->GetObjects().RemoveAt(0);
    view->GetObjects().InsertAt(0, front);
    AddBorder(CRect(100, 100, 160, 160));
    ASSERT_EQ(ObjectCount(), 2);
    EXPECT_EQ(Object(0), front);

    PickTool(kRectangle);
    Drag({200, 200}, {300, 300});
    ASSERT_EQ(ObjectCount(), 3);
    EXPECT_EQ(Object(0), front);
    EXPECT_EQ(RectOf(1), CRect(200, 200, 300, 300));
    EXPECT_EQ(view->GetCurrentIndex(), 1);
}

TEST_F(EditViewTest, ObjectsGoToTheCurrentLayerUnlessTheirOwnIsANoticeLayer)
{
    CLayerFmt* layers = view->GetPageObject()->GetLayerList();
    const int current = layers->GetCurrentLayerId();
    int noticeIndex = -1;
    for (INT_PTR i = 0; i < layers->GetSize() && noticeIndex < 0; ++i)
        if (layers->GetLayerItem(i)->IsNoticeLayer())
            noticeIndex = static_cast<int>(i);
    ASSERT_GE(noticeIndex, 0) << "a new page has a notice layer";
    ASSERT_NE(noticeIndex, layers->GetCurrentIndex());
    const int notice = layers->GetLayerItem(noticeIndex)->GetId();

    CHyperOb* ordinary = AddBorder(CRect(10, 10, 60, 60));
    EXPECT_EQ(ordinary->LayerID, current);
    auto* pasted = new CBorderGen;
    const CRect place(100, 100, 150, 150);
    pasted->Init(view, &place, TRUE);
    pasted->LayerID = notice;
    ASSERT_TRUE(view->AddObject(pasted, FALSE, TRUE));
    EXPECT_EQ(pasted->LayerID, notice);

    layers->SetCurrentIndex(noticeIndex);
    PickTool(kRectangle);
    Drag({200, 200}, {300, 300});
    EXPECT_EQ(Object(0)->LayerID, notice);
}

TEST_F(EditViewTest, AnObjectOfAtMostOneUnitIsRefusedWithoutAStep)
{
    auto* dot = new CBorderGen;
    const CRect tiny(5, 5, 6, 6);
    dot->Init(view, &tiny, TRUE);
    dot->SetRect(tiny);
    EXPECT_FALSE(view->AddObject(dot, TRUE, FALSE));
    EXPECT_EQ(ObjectCount(), 0);
    EXPECT_EQ(view->GetUndoCount(), 0);
}

TEST_F(EditViewTest, DeletingKeepsTheCurrentIndexOnItsObject)
{
    for (int i = 0; i < 3; ++i)
        AddBorder(CRect(10 + 60 * i, 10, 60 + 60 * i, 60));
    CHyperOb* current = Object(2);
    view->SetCurrentIndex(2);
    ASSERT_TRUE(view->DeleteObject(0));
    EXPECT_EQ(view->GetCurrentIndex(), 1);
    EXPECT_EQ(view->GetCurrentObject(), current);
    ASSERT_TRUE(view->DeleteObject(1));
    EXPECT_EQ(view->GetCurrentIndex(), -1);
    EXPECT_FALSE(view->DeleteObject(5));
    EXPECT_FALSE(view->DeleteObject(-1));
}

} // namespace

// A connector's end dragged with the mouse on the editing view: it lands on the nearest snap
// point of the object under it, is one undo step, and Escape or empty page change nothing.
#include "EditCommandFixture.h"

#include "objects/kinds/ConnectOb.h"

#include <vector>

namespace {

class ConnectorEndTest : public EditCommandTest {
protected:
    void SetUp() override
    {
        EditCommandTest::SetUp();
        Add("A", CRect(100, 100, 200, 200));
        Add("B", CRect(300, 100, 400, 200));
        Add("C", CRect(300, 300, 400, 400));
        PickTool(CMyView::ToolConnector);
        Drag({200, 150}, {300, 150});
        ASSERT_NE(Connector(), nullptr);
        Click({250, 150});
        ASSERT_EQ(view->GetCurrentObject(), Connector());
    }
};

TEST_F(ConnectorEndTest, ADraggedEndTakesTheNearestSnapPointOfTheObjectUnderIt)
{
    const int undoBefore = view->GetUndoCount();
    // Let go inside C, nearer its top middle (350, 300) than any other of its snap points.
    Drag({300, 150}, {340, 320});
    ASSERT_NE(Connector(), nullptr);
    EXPECT_EQ(Connector()->m_ends.m_ends[0].code, CString("A"));
    EXPECT_EQ(Connector()->m_ends.m_ends[1].code, CString("C"));
    const std::vector<CPoint> moved = ConnectorPath();
    EXPECT_EQ(moved.front(), CPoint(200, 150));
    EXPECT_EQ(moved.back(), CPoint(350, 300));
    EXPECT_EQ(view->GetUndoCount(), undoBefore + 1);

    ASSERT_TRUE(Run(CHyperView::CmdUndo));
    ASSERT_NE(Connector(), nullptr);
    EXPECT_EQ(Connector()->m_ends.m_ends[1].code, CString("B"));
    EXPECT_EQ(ConnectorPath(), (std::vector<CPoint>{{200, 150}, {300, 150}}));
    ASSERT_TRUE(Run(CHyperView::CmdRedo));
    ASSERT_NE(Connector(), nullptr);
    EXPECT_EQ(Connector()->m_ends.m_ends[1].code, CString("C"));
    EXPECT_EQ(ConnectorPath(), moved);
}

TEST_F(ConnectorEndTest, TheFirstEndMovesToo)
{
    Drag({200, 150}, {320, 390});
    ASSERT_NE(Connector(), nullptr);
    EXPECT_EQ(Connector()->m_ends.m_ends[0].code, CString("C"));
    EXPECT_EQ(Connector()->m_ends.m_ends[1].code, CString("B"));
    EXPECT_EQ(ConnectorPath().front(), CPoint(350, 400));
    EXPECT_EQ(ConnectorPath().back(), CPoint(300, 150));
}

TEST_F(ConnectorEndTest, EscapeOrEmptyPageLeaveTheConnectorAndNoUndoStep)
{
    const std::vector<CPoint> before = ConnectorPath();
    const int undoBefore = view->GetUndoCount();
    Post(WM_LBUTTONDOWN, {300, 150}, MK_LBUTTON);
    Post(WM_MOUSEMOVE, {320, 250}, MK_LBUTTON);
    Post(WM_MOUSEMOVE, {340, 320}, MK_LBUTTON);
    PostKey(VK_ESCAPE);
    Post(WM_LBUTTONUP, {340, 320});
    Pump();
    ASSERT_NE(Connector(), nullptr) << "escape";
    EXPECT_EQ(ConnectorPath(), before) << "escape";
    EXPECT_EQ(view->GetUndoCount(), undoBefore) << "escape";

    Drag({300, 150}, {600, 500});
    ASSERT_NE(Connector(), nullptr) << "empty page";
    EXPECT_EQ(ConnectorPath(), before) << "empty page";
    EXPECT_EQ(Connector()->m_ends.m_ends[1].code, CString("B")) << "empty page";
    EXPECT_EQ(view->GetUndoCount(), undoBefore) << "empty page";
}

} // namespace

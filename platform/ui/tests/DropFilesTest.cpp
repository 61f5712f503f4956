// Files let go over a window reach the nearest window under the point that accepts them, with
// the drop point in its client coordinates.
#include "UiFixture.h"

#include "platform/core/GlobalMemory.h"
#include "platform/ui/TestHook.h"
#include "platform/ui/WindowTable.h"
#include "platform/ui/Wnd.h"

#include <string>
#include <vector>

namespace {

class CDropCatcher : public CWnd {
public:
    void OnDropFiles(HDROP drop)
    {
        ++drops;
        placed = ::DragQueryPoint(drop, &point);
        char name[64] = {};
        ::DragQueryFile(drop, 0, name, sizeof name);
        first = name;
        ::DragFinish(drop);
    }
    int drops = 0;
    BOOL placed = FALSE;
    POINT point{};
    std::string first;
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CDropCatcher, CWnd)
    ON_WM_DROPFILES()
END_MESSAGE_MAP()

class DropFilesTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        ASSERT_TRUE(top.CreateEx(0, AfxRegisterWndClass(0), "", WS_OVERLAPPED | WS_VISIBLE, 10, 20, 300, 200, nullptr,
                                 nullptr));
        ASSERT_TRUE(child.Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(50, 40, 250, 140), &top, 7));
        ASSERT_TRUE(inner.Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(10, 10, 60, 60), &child, 8));
    }
    void TearDown() override
    {
        top.DestroyWindow();
        UiTest::TearDown();
    }
    POINT Screen(CWnd& wnd, POINT client)
    {
        ::ClientToScreen(wnd.m_hWnd, &client);
        return client;
    }

    CDropCatcher top, child, inner;
};

TEST_F(DropFilesTest, TheDropGoesToTheNearestWindowThatAcceptsFilesWithItsClientPoint)
{
    child.DragAcceptFiles(TRUE);
    // Over the inner window, which does not take files: its parent does.
    ui::PostDroppedFiles(top.m_hWnd, Screen(inner, {5, 6}), {"/tmp/a.trn", "/tmp/b.bmp"});
    UiTestHook::PumpPending();
    EXPECT_EQ(child.drops, 1);
    EXPECT_EQ(inner.drops + top.drops, 0);
    EXPECT_TRUE(child.placed);
    EXPECT_EQ(child.point.x, 15);
    EXPECT_EQ(child.point.y, 16);
    EXPECT_EQ(child.first, "/tmp/a.trn");
}

TEST_F(DropFilesTest, WithoutAWindowThatAcceptsFilesTheFallbackTakesTheDrop)
{
    ui::PostDroppedFiles(top.m_hWnd, Screen(inner, {5, 6}), {"/tmp/a.trn"});
    UiTestHook::PumpPending();
    EXPECT_EQ(top.drops, 1);
    EXPECT_EQ(child.drops + inner.drops, 0);
}

TEST_F(DropFilesTest, ADamagedDropBlockHasNoPoint)
{
    HGLOBAL tiny = GlobalAlloc(GMEM_MOVEABLE, 8);
    POINT point{1, 1};
    EXPECT_FALSE(::DragQueryPoint(static_cast<HDROP>(tiny), &point));
    EXPECT_EQ(point.x, 1);
    GlobalFree(tiny);
}

} // namespace

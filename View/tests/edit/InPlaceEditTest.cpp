// The in-place edit and button over a list row: what they tell their owner, when they hide and
// where the focus goes.
#include "platform/ui/tests/UiFixture.h"

#include "View/InPlaceEdit.h"
#include "platform/ui/Wnd.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

const UINT g_notify = InPlaceCtrl::NotifyMessage();

// The window the controls are made in: it keeps every record and answers as told; while it
// handles one it may move the focus elsewhere.
class COwnerWnd : public CWnd {
public:
    std::vector<InPlaceCtrlNotify> records;
    LRESULT answer = 1;
    HWND focusWhileNotified = nullptr;

    LRESULT OnCtrlNotify(WPARAM, LPARAM lParam)
    {
        records.push_back(*reinterpret_cast<const InPlaceCtrlNotify*>(lParam));
        if (focusWhileNotified)
            ::SetFocus(focusWhileNotified);
        return answer;
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(COwnerWnd, CWnd)
    ON_REGISTERED_MESSAGE(g_notify, OnCtrlNotify)
END_MESSAGE_MAP()

class InPlaceEditTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        ASSERT_TRUE(owner.CreateEx(0, PlainClass(), "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200, nullptr,
                                   nullptr));
        other = MakeWindow(WS_CHILD | WS_VISIBLE, RECT{0, 150, 50, 170}, owner.m_hWnd, 7);
        ASSERT_TRUE(edit.Create(WS_BORDER, CRect(), &owner, 1));
        ASSERT_TRUE(button.Create("...", BS_PUSHBUTTON, CRect(), &owner, 2));
        edit.SetWindowText("layer");
    }
    void TearDown() override
    {
        edit.DestroyWindow();
        button.DestroyWindow();
        owner.DestroyWindow();
        UiTest::TearDown();
    }
    // A key as the message loop delivers it: the control sees it before it is dispatched.
    static void Press(CWnd& control, UINT key)
    {
        MSG msg{control.m_hWnd, WM_KEYDOWN, key, 0, 0, {}};
        if (!control.PreTranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            control.SendMessage(WM_KEYDOWN, key);
            UiTestHook::PumpPending();
        }
    }

    COwnerWnd owner;
    HWND other = nullptr;
    CInPlaceEdit edit;
    CInPlaceButton button;
};

TEST_F(InPlaceEditTest, TheControlsAreMadeByClassWithTheirStylesAndTheirParentAsOwner)
{
    std::unique_ptr<CObject> made(RUNTIME_CLASS(CInPlaceEdit)->CreateObject());
    EXPECT_TRUE(made && made->IsKindOf(RUNTIME_CLASS(CEdit)));
    EXPECT_STREQ(RUNTIME_CLASS(CInPlaceButton)->m_lpszClassName, "CInPlaceButton");
    constexpr DWORD styles = WS_CHILD | ES_MULTILINE | ES_AUTOHSCROLL | ES_NOHIDESEL | ES_WANTRETURN;
    EXPECT_EQ(edit.GetStyle() & styles, styles);
    EXPECT_FALSE(edit.IsWindowVisible());
    EXPECT_EQ(edit.GetOwnerWindow(), owner.m_hWnd);
}

TEST_F(InPlaceEditTest, ShowAtPlacesTheHiddenEditSelectsItsTextAndTakesTheFocus)
{
    edit.ShowAt(CRect(10, 20, 110, 40));
    ASSERT_TRUE(edit.IsWindowVisible());
    CRect placed;
    edit.GetWindowRect(&placed);
    owner.ScreenToClient(&placed);
    EXPECT_EQ(placed, CRect(10, 20, 110, 40));
    int start = -1, end = -1;
    edit.GetSel(start, end);
    EXPECT_EQ(start, 0);
    EXPECT_EQ(end, 5);
    EXPECT_EQ(LOWORD(edit.SendMessage(EM_GETMARGINS)), 2);
    EXPECT_EQ(::GetFocus(), edit.m_hWnd);

    edit.ShowAt(CRect(50, 60, 150, 80));
    edit.GetWindowRect(&placed);
    owner.ScreenToClient(&placed);
    EXPECT_EQ(placed, CRect(10, 20, 110, 40)) << "a shown edit stays where it is";
}

TEST_F(InPlaceEditTest, ShowAtAnEmptyRectangleLeavesTheEditHidden)
{
    edit.ShowAt(CRect(10, 20, 10, 40));
    EXPECT_FALSE(edit.IsWindowVisible());
}

TEST_F(InPlaceEditTest, TheEditReportsKeysAndFocusLossAndHidesWhenTheOwnerSaysSo)
{
    struct Case {
        const char* name;
        std::function<void(CInPlaceEdit&, HWND other)> act;
        LRESULT answer;
        UINT code;
        bool valueIsOther; // else the value is the key
        UINT key;
        bool visibleAfter;
        bool focusOnOther; // else on the owner (hidden) or the edit (shown)
    };
    const Case cases[] = {
        {"return ends the edit", [](CInPlaceEdit& edit, HWND) { Press(edit, VK_RETURN); }, 1, 1, false, VK_RETURN, false,
         false},
        {"escape ends the edit", [](CInPlaceEdit& edit, HWND) { Press(edit, VK_ESCAPE); }, 1, 1, false, VK_ESCAPE, false,
         false},
        {"the owner may keep the edit", [](CInPlaceEdit& edit, HWND) { Press(edit, VK_RETURN); }, 0, 1, false, VK_RETURN,
         true, false},
        {"the focus moving away reports its new window and stays there",
         [](CInPlaceEdit&, HWND other) { ::SetFocus(other); }, 1, 3, true, 0, false, true},
    };
    for (const Case& c : cases) {
        owner.records.clear();
        owner.answer = c.answer;
        edit.SetWindowText("layer");
        edit.ShowAt(CRect(10, 20, 110, 40));
        c.act(edit, other);
        ASSERT_EQ(owner.records.size(), 1u) << c.name;
        const InPlaceCtrlNotify& record = owner.records[0];
        EXPECT_EQ(record.window, edit.m_hWnd) << c.name;
        EXPECT_EQ(record.code, c.code) << c.name;
        EXPECT_EQ(record.value, c.valueIsOther ? reinterpret_cast<UINT_PTR>(other) : c.key) << c.name;
        EXPECT_EQ(edit.IsWindowVisible() != FALSE, c.visibleAfter) << c.name;
        const HWND expectedFocus = c.focusOnOther ? other : c.visibleAfter ? edit.m_hWnd : owner.m_hWnd;
        EXPECT_EQ(::GetFocus(), expectedFocus) << c.name;
        CString text;
        edit.GetWindowText(text);
        EXPECT_EQ(std::string(text), "layer") << c.name << ": the key never reaches the text";
        edit.Hide();
    }
}

TEST_F(InPlaceEditTest, AHiddenEditLosingTheFocusTellsNothing)
{
    edit.SetFocus();
    ::SetFocus(other);
    EXPECT_TRUE(owner.records.empty());
}

TEST_F(InPlaceEditTest, AClickOnTheButtonIsReportedWithItsIdAndItsAnswerAndNoFocusLossMeanwhile)
{
    button.SetWindowPos(nullptr, 120, 20, 20, 20, SWP_NOZORDER | SWP_SHOWWINDOW);
    button.SetFocus();
    owner.answer = 1;
    owner.focusWhileNotified = other;
    button.SendMessage(BM_CLICK);
    ASSERT_EQ(owner.records.size(), 1u);
    EXPECT_EQ(owner.records[0].window, nullptr);
    EXPECT_EQ(owner.records[0].code, InPlaceCtrl::CodeClicked);
    EXPECT_EQ(owner.records[0].value, 2u);
    EXPECT_EQ(::GetFocus(), other);
    EXPECT_FALSE(button.IsClicking());
    EXPECT_TRUE(button.IsWindowVisible()) << "a click never hides the button";
}

TEST_F(InPlaceEditTest, TheButtonReportsEscapeAndFocusLoss)
{
    button.SetWindowPos(nullptr, 120, 20, 20, 20, SWP_NOZORDER | SWP_SHOWWINDOW);
    button.SetFocus();
    owner.answer = 1;
    Press(button, VK_ESCAPE);
    ASSERT_EQ(owner.records.size(), 1u);
    EXPECT_EQ(owner.records[0].window, button.m_hWnd);
    EXPECT_EQ(owner.records[0].code, InPlaceCtrl::CodeKey);
    EXPECT_EQ(owner.records[0].value, static_cast<UINT_PTR>(VK_ESCAPE));
    EXPECT_TRUE(button.IsWindowVisible()) << "the answer to Escape is not asked";

    ::SetFocus(other);
    ASSERT_EQ(owner.records.size(), 2u);
    EXPECT_EQ(owner.records[1].window, nullptr);
    EXPECT_EQ(owner.records[1].code, InPlaceCtrl::CodeFocusLost);
    EXPECT_EQ(owner.records[1].value, reinterpret_cast<UINT_PTR>(other));
    EXPECT_FALSE(button.IsWindowVisible());
    EXPECT_EQ(::GetFocus(), other);
}

} // namespace

// What the editing view hands on from the mouse and keyboard: the page's click and key hooks
// see every click and character with its keys, the rulers mark the mouse, resting shows the
// tool tip of the object or the page, and an object's Layer choices are the page's layers.
#include "EditViewFixture.h"

#include "View/RulerBar.h"
#include "objects/HyperViewOb.h"
#include "objects/LayerFmt.h"
#include "objects/PropCombo.h"

#include <chrono>
#include <memory>
#include <vector>

namespace {

struct Heard {
    int x, y;
    BOOL doubleClick, right, shift, control;
    bool operator==(const Heard&) const = default;
};

class CListeningView : public CMyView {
    DECLARE_DYNCREATE(CListeningView)
public:
    void OnViewClick(int x, int y, BOOL doubleClick, BOOL right, BOOL shift, BOOL control) override
    {
        clicks.push_back({x, y, doubleClick, right, shift, control});
    }
    void OnViewKey(UINT ch, BOOL control, BOOL shift) override { keys.push_back({static_cast<int>(ch), 0, 0, 0, shift, control}); }

    std::vector<Heard> clicks;
    std::vector<Heard> keys;
};
IMPLEMENT_DYNCREATE(CListeningView, CMyView)

class ViewInputTest : public EditViewTest {
protected:
    CRuntimeClass* ViewClass() const override { return RUNTIME_CLASS(CListeningView); }
    CListeningView* Listener() const { return static_cast<CListeningView*>(view); }
};

TEST_F(ViewInputTest, TheClickHookHearsEveryButtonWithItsKeysInPageUnits)
{
    struct Case {
        const char* name;
        UINT message;
        UINT keys;
        Heard expected;
    };
    const Case cases[] = {
        {"left", WM_LBUTTONDOWN, MK_LBUTTON, {30, 40, FALSE, FALSE, FALSE, FALSE}},
        {"left with shift", WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, {30, 40, FALSE, FALSE, TRUE, FALSE}},
        {"double", WM_LBUTTONDBLCLK, MK_LBUTTON | MK_CONTROL, {30, 40, TRUE, FALSE, FALSE, TRUE}},
        {"right", WM_RBUTTONDOWN, MK_RBUTTON, {30, 40, FALSE, TRUE, FALSE, FALSE}},
        {"right double", WM_RBUTTONDBLCLK, MK_RBUTTON | MK_SHIFT, {30, 40, TRUE, TRUE, TRUE, FALSE}},
    };
    view->SetZoom(200);
    const CPoint origin = view->GetScrollPosition();
    for (const Case& c : cases) {
        Listener()->clicks.clear();
        Post(c.message, {60 - origin.x, 80 - origin.y}, c.keys);
        Post(c.message == WM_RBUTTONDOWN || c.message == WM_RBUTTONDBLCLK ? WM_RBUTTONUP : WM_LBUTTONUP,
             {60 - origin.x, 80 - origin.y});
        Pump();
        ASSERT_EQ(Listener()->clicks.size(), 1u) << c.name;
        EXPECT_EQ(Listener()->clicks[0], c.expected) << c.name;
    }
}

TEST_F(ViewInputTest, HooksHearTheUserInRunModeToo)
{
    view->SetEditMode(FALSE);
    Post(WM_LBUTTONDOWN, {50, 50}, MK_LBUTTON);
    Post(WM_LBUTTONUP, {50, 50});
    ::PostMessage(view->m_hWnd, WM_CHAR, 'q', 1);
    Pump();
    EXPECT_EQ(Listener()->clicks.size(), 1u);
    ASSERT_EQ(Listener()->keys.size(), 1u);
    EXPECT_EQ(Listener()->keys[0].x, 'q');
}

TEST_F(ViewInputTest, TheRulersMarkWhereTheMouseIs)
{
    CRulerWnd* horizontal = static_cast<CRulerBar*>(frame->GetHorzRuler())->GetRuler();
    CRulerWnd* vertical = static_cast<CRulerBar*>(frame->GetVertRuler())->GetRuler();
    Post(WM_MOUSEMOVE, {150, 70});
    Pump();
    EXPECT_EQ(horizontal->m_indicator.left, 150 + horizontal->GetLead());
    EXPECT_EQ(horizontal->m_indicator.Width(), 1);
    EXPECT_EQ(vertical->m_indicator.top, 70 + vertical->GetLead());
    EXPECT_EQ(vertical->m_indicator.Height(), 1);
}

TEST_F(ViewInputTest, RestingShowsTheToolTipOfTheObjectOrElseOfThePage)
{
    CHyperOb* tipped = AddBorder(CRect(10, 10, 60, 60));
    tipped->SetToolTipText("Tipped box");
    AddBorder(CRect(100, 10, 150, 60));
    view->GetPageObject()->ToolTipText = "The page";
    struct Case {
        const char* name;
        POINT at;
        const char* text;
    };
    const Case cases[] = {
        {"object with a tip", {30, 30}, "Tipped box"},
        {"object without one", {120, 30}, "The page"},
        {"empty page", {300, 300}, "The page"},
    };
    for (const Case& c : cases) {
        Post(WM_MOUSEMOVE, c.at);
        Pump();
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(2);
        while (std::chrono::steady_clock::now() < until && !view->m_toolTips.IsWindowVisible())
            Pump();
        ASSERT_TRUE(view->m_toolTips.IsWindowVisible()) << c.name;
        CString text;
        view->m_toolTips.GetText(text, view);
        EXPECT_EQ(text, CString(c.text)) << c.name;
    }
    Post(WM_LBUTTONDOWN, {300, 300}, MK_LBUTTON);
    Post(WM_LBUTTONUP, {300, 300});
    Pump();
    EXPECT_FALSE(view->m_toolTips.IsWindowVisible()) << "a click closes the tip";
}

TEST_F(ViewInputTest, TheLayerChoicesAreThePagesLayers)
{
    CHyperOb* border = AddBorder(CRect(10, 10, 60, 60));
    const CLayerFmt* layers = view->GetPageObject()->GetLayerList();
    ASSERT_NE(layers, nullptr);
    ASSERT_GE(layers->GetSize(), 2);
    std::unique_ptr<CPropOb> property(border->CreateProperty(27455, TRUE));
    auto* combo = dynamic_cast<CPropCombo*>(property.get());
    ASSERT_NE(combo, nullptr);
    ASSERT_EQ(combo->m_choices.GetSize(), layers->GetSize());
    for (INT_PTR i = 0; i < layers->GetSize(); ++i) {
        EXPECT_EQ(combo->m_choices.GetChoice(i)->text, layers->GetLayerItem(i)->m_name);
        EXPECT_EQ(combo->m_choices.GetChoice(i)->value, static_cast<DWORD>(layers->GetLayerItem(i)->GetId()));
    }
}

} // namespace

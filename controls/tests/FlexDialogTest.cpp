// The resizable dialog base: controls follow the size by their rules, the template size is
// the minimum, and sizes are remembered per template in the process and in the profile.
#include "../../platform/ui/tests/UiFixture.h"

#include "controls/FlexSizeDialog.h"
#include "platform/ui/Resources.h"
#include "platform/sys/Profile.h"
#include "platform/ui/WinApp.h"

#include <cstdlib>
#include <string>
#include <filesystem>
#include <unistd.h>

namespace {

constexpr UINT IDD_FLEX = 9301, IDD_OTHER = 9302, IDD_BROKEN = 9303;
enum : UINT { IDC_MOVE_FIXED = 101, IDC_FIXED_MOVE, IDC_STRETCH_BOTH, IDC_MOVE_MOVE, IDC_STRETCH_MOVE, IDC_STRETCH_FIXED,
              IDC_COMBO, IDC_MISSING };

DialogItemTemplate item(const char* cls, UINT id, short x, short y, short cx, short cy, DWORD style = 0)
{
    return DialogItemTemplate{cls, "", id, style, 0, x, y, cx, cy};
}

void registerTemplates()
{
    DialogTemplate t;
    t.style = WS_POPUP | WS_CAPTION | WS_THICKFRAME;
    t.cx = 200;
    t.cy = 120;
    t.caption = "Flex";
    t.items = {item("button", IDC_MOVE_FIXED, 150, 5, 40, 14),   item("button", IDC_FIXED_MOVE, 5, 100, 40, 14),
               item("listbox", IDC_STRETCH_BOTH, 5, 5, 100, 40), item("button", IDC_MOVE_MOVE, 150, 100, 40, 14),
               item("edit", IDC_STRETCH_MOVE, 50, 100, 90, 12),  item("edit", IDC_STRETCH_FIXED, 5, 50, 100, 12),
               item("combobox", IDC_COMBO, 5, 66, 100, 30, CBS_DROPDOWNLIST)};
    RegisterDialogResource(IDD_FLEX, t);
    RegisterDialogResource(IDD_OTHER, t);
    RegisterDialogResource(IDD_BROKEN, t);
}

struct Rule {
    UINT id;
    const CFlexHorzConstraint& horz;
    const CFlexVertConstraint& vert;
};
const Rule rules[] = {
    {IDC_MOVE_FIXED, CFlexHorzConstraint::Move, CFlexVertConstraint::Fixed},
    {IDC_FIXED_MOVE, CFlexHorzConstraint::Fixed, CFlexVertConstraint::Move},
    {IDC_STRETCH_BOTH, CFlexHorzConstraint::Stretch, CFlexVertConstraint::Stretch},
    {IDC_MOVE_MOVE, CFlexHorzConstraint::Move, CFlexVertConstraint::Move},
    {IDC_STRETCH_MOVE, CFlexHorzConstraint::Stretch, CFlexVertConstraint::Move},
    {IDC_STRETCH_FIXED, CFlexHorzConstraint::Stretch, CFlexVertConstraint::Fixed},
    {IDC_COMBO, CFlexHorzConstraint::Stretch, CFlexVertConstraint::Stretch},
};

class FlexDialog : public CFlexSizeDialog {
public:
    explicit FlexDialog(UINT id = IDD_FLEX, bool withMissing = false) : CFlexSizeDialog(id)
    {
        for (const Rule& r : rules)
            AddFlexControl(r.id, r.horz, r.vert);
        if (withMissing)
            AddFlexControl(IDC_MISSING, CFlexHorzConstraint::Move, CFlexVertConstraint::Move);
    }
    BOOL Open() { return Create(m_nIDTemplate); }

    CRect ControlRect(UINT id) const
    {
        CRect r;
        GetDlgItem(id)->GetWindowRect(&r);
        ScreenToClient(&r);
        return r;
    }
    CRect DroppedRect(UINT id) const
    {
        CRect r;
        ::SendMessage(GetDlgItem(id)->GetSafeHwnd(), CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&r));
        return r;
    }
    CSize OuterSize() const
    {
        CRect r;
        GetWindowRect(&r);
        return r.Size();
    }
    void GrowBy(int dx, int dy)
    {
        CSize s = OuterSize();
        SetWindowPos(nullptr, 0, 0, s.cx + dx, s.cy + dy, SWP_NOMOVE | SWP_NOZORDER);
    }
};

class FlexDialogTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        registerTemplates();
        folder = std::filesystem::temp_directory_path() / ("vantrel-flex-" + std::to_string(::getpid()));
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
        app = new CWinApp("FlexTest");
        app->SetRegistryKey("Tester");
        CFlexSizeDialog::ClearSizeCache();
    }
    void TearDown() override
    {
        delete app;
        CFlexSizeDialog::ClearSizeCache();
        std::filesystem::remove_all(folder);
        UiTest::TearDown();
    }
    // A new application reads the profile from its file again.
    void RestartApp()
    {
        delete app;
        CFlexSizeDialog::ClearSizeCache();
        app = new CWinApp("FlexTest");
        app->SetRegistryKey("Tester");
    }

    std::filesystem::path folder;
    CWinApp* app = nullptr;
};

TEST_F(FlexDialogTest, ControlsFollowTheirRulesFromTheInitialRectangles)
{
    FlexDialog dialog;
    ASSERT_TRUE(dialog.Open());
    std::map<UINT, CRect> initial;
    for (const Rule& r : rules)
        initial[r.id] = dialog.ControlRect(r.id);
    CRect initialDrop = dialog.DroppedRect(IDC_COMBO);

    // Twice the same size: positions come from the initial rectangles, never accumulate.
    for (int round = 0; round < 2; ++round) {
        dialog.GrowBy(round == 0 ? 37 : 0, round == 0 ? 20 : 0);
        for (const Rule& r : rules) {
            if (r.id == IDC_COMBO)
                continue;
            CRect want = initial[r.id];
            want.left += static_cast<int>(r.horz.NearShift(37));
            want.right += static_cast<int>(r.horz.FarShift(37));
            want.top += static_cast<int>(r.vert.NearShift(20));
            want.bottom += static_cast<int>(r.vert.FarShift(20));
            EXPECT_EQ(dialog.ControlRect(r.id), want) << "control " << r.id << " round " << round;
        }
    }
    EXPECT_EQ(dialog.ControlRect(IDC_MOVE_FIXED).left, initial[IDC_MOVE_FIXED].left + 37);
    EXPECT_EQ(dialog.ControlRect(IDC_MOVE_FIXED).top, initial[IDC_MOVE_FIXED].top);
    EXPECT_EQ(dialog.ControlRect(IDC_STRETCH_BOTH).Size(), initial[IDC_STRETCH_BOTH].Size() + CSize(37, 20));
    // The combo keeps its field height while its dropped-down height grows with the dialog.
    EXPECT_EQ(dialog.ControlRect(IDC_COMBO).Height(), initial[IDC_COMBO].Height());
    EXPECT_EQ(dialog.DroppedRect(IDC_COMBO).Height(), initialDrop.Height() + 20);
    EXPECT_EQ(dialog.ControlRect(IDC_COMBO).Width(), initial[IDC_COMBO].Width() + 37);
    dialog.DestroyWindow();
}

TEST_F(FlexDialogTest, SmallerThanTheTemplateKeepsControlsInPlaceAndTheTemplateIsTheMinimum)
{
    FlexDialog dialog;
    ASSERT_TRUE(dialog.Open());
    CSize start = dialog.OuterSize();
    EXPECT_EQ(dialog.GetMinTrackSize(), start);
    MINMAXINFO mmi{};
    dialog.SendMessage(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
    EXPECT_EQ(mmi.ptMinTrackSize.x, start.cx);
    EXPECT_EQ(mmi.ptMinTrackSize.y, start.cy);

    CRect button = dialog.ControlRect(IDC_MOVE_MOVE);
    CRect client;
    dialog.GetClientRect(&client);
    dialog.SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.Width() + 30, client.Height() - 25));
    EXPECT_EQ(dialog.ControlRect(IDC_MOVE_MOVE), CRect(button.left + 30, button.top, button.right + 30, button.bottom));
    dialog.DestroyWindow();
}

TEST_F(FlexDialogTest, MinimisingTouchesNeitherLayoutNorStoredSize)
{
    FlexDialog dialog;
    ASSERT_TRUE(dialog.Open());
    dialog.GrowBy(10, 10);
    CRect button = dialog.ControlRect(IDC_MOVE_MOVE);
    CSize stored = dialog.GetStoredSize();
    dialog.SendMessage(WM_SIZE, SIZE_MINIMIZED, 0);
    EXPECT_EQ(dialog.ControlRect(IDC_MOVE_MOVE), button);
    EXPECT_EQ(dialog.GetStoredSize(), stored);
    dialog.DestroyWindow();
}

TEST_F(FlexDialogTest, AMissingControlStopsEveryControlFromMoving)
{
    FlexDialog dialog(IDD_BROKEN, true);
    ASSERT_TRUE(dialog.Open());
    CRect button = dialog.ControlRect(IDC_MOVE_MOVE);
    dialog.GrowBy(40, 40);
    EXPECT_EQ(dialog.ControlRect(IDC_MOVE_MOVE), button);
    dialog.DestroyWindow();
}

TEST_F(FlexDialogTest, ReopensAtTheStoredSizeFromCacheAndProfile)
{
    CSize templateSize;
    {
        FlexDialog dialog;
        ASSERT_TRUE(dialog.Open());
        templateSize = dialog.OuterSize();
        dialog.SetWindowPos(nullptr, 0, 0, 500, 400, SWP_NOMOVE | SWP_NOZORDER);
        dialog.DestroyWindow();
    }
    {
        FlexDialog same; // same template: cached
        ASSERT_TRUE(same.Open());
        EXPECT_EQ(same.OuterSize(), CSize(500, 400));
        CRect moved = same.ControlRect(IDC_MOVE_MOVE);
        EXPECT_GT(moved.left, 150);
        same.DestroyWindow();
        FlexDialog other(IDD_OTHER);
        ASSERT_TRUE(other.Open());
        EXPECT_EQ(other.OuterSize(), templateSize);
        other.DestroyWindow();
    }
    EXPECT_EQ(app->GetProfileInt("DLGRES9301", "Width", -1), 500u);
    EXPECT_EQ(app->GetProfileInt("DLGRES9301", "Height", -1), 400u);
    RestartApp();
    FlexDialog later;
    ASSERT_TRUE(later.Open());
    EXPECT_EQ(later.OuterSize(), CSize(500, 400));
    later.DestroyWindow();
}

// Run by the test below in a process of its own: the stored size comes from the profile file.
TEST_F(FlexDialogTest, ChildProcessOpensAtTheStoredSize)
{
    const char* expected = std::getenv("VANTREL_FLEX_CHILD_EXPECT");
    const char* home = std::getenv("VANTREL_FLEX_CHILD_HOME");
    if (!expected || !home)
        GTEST_SKIP() << "run by ReopensAtTheStoredSizeInANewProcess";
    setenv("XDG_CONFIG_HOME", home, 1);
    RestartApp();
    FlexDialog dialog;
    ASSERT_TRUE(dialog.Open());
    CSize size = dialog.OuterSize();
    EXPECT_EQ(std::to_string(size.cx) + "x" + std::to_string(size.cy), expected);
    dialog.DestroyWindow();
}

TEST_F(FlexDialogTest, ReopensAtTheStoredSizeInANewProcess)
{
    if (std::getenv("VANTREL_FLEX_CHILD_EXPECT"))
        GTEST_SKIP();
    {
        FlexDialog dialog;
        ASSERT_TRUE(dialog.Open());
        dialog.SetWindowPos(nullptr, 0, 0, 510, 390, SWP_NOMOVE | SWP_NOZORDER);
        dialog.DestroyWindow();
    }
    app->GetProfile().Flush();
    const std::string command = "ASAN_OPTIONS=detect_leaks=0 VANTREL_FLEX_CHILD_EXPECT=510x390 VANTREL_FLEX_CHILD_HOME='" + folder.string() +
                                "' /proc/" + std::to_string(::getpid()) +
                                "/exe --gtest_filter=FlexDialogTest.ChildProcessOpensAtTheStoredSize >/dev/null 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0);
}

TEST_F(FlexDialogTest, BadStoredSizesAreIgnored)
{
    struct Case {
        int width, height;
    };
    const Case cases[] = {{-5, 300}, {300, -1}, {0, 0}, {100000, 300}, {300, 100000}, {-1, -1}};
    for (const Case& c : cases) {
        app->WriteProfileInt("DLGRES9301", "Width", c.width);
        app->WriteProfileInt("DLGRES9301", "Height", c.height);
        RestartApp();
        FlexDialog dialog;
        ASSERT_TRUE(dialog.Open());
        EXPECT_EQ(dialog.OuterSize(), dialog.GetMinTrackSize()) << c.width << " x " << c.height;
        dialog.DestroyWindow();
    }
}

TEST_F(FlexDialogTest, ApplyDisablesTheApplyButtonOnlyWhenItSucceeds)
{
    DialogTemplate t = *FindDialogResource(IDD_FLEX);
    t.items.push_back(DialogItemTemplate{"button", "Apply", ID_FLEX_APPLY, 0, 0, 100, 100, 40, 14});
    RegisterDialogResource(IDD_OTHER, t);
    struct Applying : FlexDialog {
        Applying() : FlexDialog(IDD_OTHER) {}
        BOOL result = TRUE;
        int calls = 0;
        BOOL Apply(UINT) override { ++calls; return result; }
    } dialog;
    ASSERT_TRUE(dialog.Open());
    CWnd* apply = dialog.GetDlgItem(ID_FLEX_APPLY);
    EXPECT_FALSE(apply->IsWindowEnabled());
    dialog.SetModified(TRUE);
    EXPECT_TRUE(apply->IsWindowEnabled());
    dialog.result = FALSE;
    dialog.SendMessage(WM_COMMAND, ID_FLEX_APPLY);
    EXPECT_TRUE(dialog.IsModified());
    dialog.result = TRUE;
    dialog.SendMessage(WM_COMMAND, ID_FLEX_APPLY);
    EXPECT_FALSE(dialog.IsModified());
    EXPECT_FALSE(apply->IsWindowEnabled());
    EXPECT_EQ(dialog.calls, 2);
    dialog.DestroyWindow();
}

} // namespace

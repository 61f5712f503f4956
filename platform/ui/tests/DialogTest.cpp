// Dialogs from templates: layout, data exchange both ways, validation messages and focus,
// the dialog keyboard in a modal loop.
#include "UiFixture.h"

#include "platform/ui/ComboBox.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Edit.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/Resources.h"

#include <functional>
#include <vector>

namespace {

constexpr UINT IDD_SAMPLE = 9001;
enum : UINT {
    IDC_COUNT = 101, IDC_NAME, IDC_RATIO, IDC_FLAG, IDC_RADIO1, IDC_RADIO2, IDC_RADIO3, IDC_KIND, IDC_COLOUR,
    IDC_LIST, IDC_LEVEL, IDC_LABEL
};

DialogItemTemplate item(const char* cls, const char* text, UINT id, DWORD style, short x, short y, short cx, short cy)
{
    return DialogItemTemplate{cls, text, id, style, 0, x, y, cx, cy};
}

void registerSample()
{
    DialogTemplate t;
    t.style = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    t.cx = 200;
    t.cy = 160;
    t.caption = "Sample";
    t.fontName = "Sans";
    t.fontSize = 8;
    t.items = {
        item("edit", "", IDC_COUNT, WS_TABSTOP | WS_BORDER, 10, 10, 40, 12),
        item("edit", "", IDC_NAME, WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, 60, 10, 60, 12),
        item("edit", "", IDC_RATIO, WS_TABSTOP | WS_BORDER, 130, 10, 40, 12),
        item("button", "Flag", IDC_FLAG, WS_TABSTOP | BS_AUTOCHECKBOX, 10, 30, 50, 10),
        item("button", "One", IDC_RADIO1, WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON, 10, 45, 40, 10),
        item("button", "Two", IDC_RADIO2, BS_AUTORADIOBUTTON, 55, 45, 40, 10),
        item("button", "Three", IDC_RADIO3, BS_AUTORADIOBUTTON, 100, 45, 40, 10),
        item("combobox", "", IDC_KIND, WS_TABSTOP | WS_GROUP | CBS_DROPDOWNLIST, 10, 60, 60, 50),
        item("combobox", "", IDC_COLOUR, WS_TABSTOP | CBS_DROPDOWN | CBS_SORT, 80, 60, 60, 50),
        item("listbox", "", IDC_LIST, WS_TABSTOP | WS_BORDER | LBS_NOTIFY, 10, 80, 60, 40),
        item(TRACKBAR_CLASS, "", IDC_LEVEL, WS_TABSTOP, 80, 80, 80, 15),
        item("static", "Label", IDC_LABEL, SS_LEFT, 80, 100, 60, 10),
        item("button", "OK", IDOK, WS_TABSTOP | BS_DEFPUSHBUTTON, 40, 135, 50, 14),
        item("button", "Cancel", IDCANCEL, WS_TABSTOP | BS_PUSHBUTTON, 100, 135, 50, 14),
    };
    RegisterDialogResource(IDD_SAMPLE, t);
}

struct Values {
    int count = 3;
    CString name = "abc";
    double ratio = 0.25;
    int flag = 1;
    int radio = 2;
    int kind = 1;
    CString colour = "Green";
    int list = 2;
    int level = 40;
};

class SampleDialog : public CDialog {
public:
    Values v;
    CComboBox m_kind;
    CComboBox m_colour;
    CListBox m_list;
    // Steps run one after another once the modal loop is running.
    std::vector<std::function<void(SampleDialog&)>> steps;
    size_t next = 0;

    SampleDialog() : CDialog(IDD_SAMPLE) {}

    BOOL OnInitDialog() override
    {
        fill();
        BOOL focus = CDialog::OnInitDialog();
        SetTimer(1, 5000);
        PostMessage(WM_APP);
        return focus;
    }

    void fill()
    {
        auto kind = ::GetDlgItem(m_hWnd, IDC_KIND);
        auto colour = ::GetDlgItem(m_hWnd, IDC_COLOUR);
        auto list = ::GetDlgItem(m_hWnd, IDC_LIST);
        for (const char* s : {"Circle", "Square", "Line"}) {
            ::SendMessage(kind, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
            ::SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
        }
        for (const char* s : {"Red", "Green", "Blue"})
            ::SendMessage(colour, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
        ::SendMessage(::GetDlgItem(m_hWnd, IDC_LEVEL), TBM_SETRANGEMAX, 0, 100);
    }

protected:
    void DoDataExchange(CDataExchange* dx) override
    {
        DDX_Control(dx, IDC_KIND, m_kind);
        DDX_Control(dx, IDC_COLOUR, m_colour);
        DDX_Control(dx, IDC_LIST, m_list);
        DDX_Text(dx, IDC_COUNT, v.count);
        DDV_MinMaxInt(dx, v.count, 1, 10);
        DDX_Text(dx, IDC_NAME, v.name);
        DDV_MaxChars(dx, v.name, 5);
        DDX_Text(dx, IDC_RATIO, v.ratio);
        DDV_MinMaxDouble(dx, v.ratio, 0.0, 1.0);
        DDX_Check(dx, IDC_FLAG, v.flag);
        DDX_Radio(dx, IDC_RADIO1, v.radio);
        DDX_CBIndex(dx, IDC_KIND, v.kind);
        DDX_CBString(dx, IDC_COLOUR, v.colour);
        DDX_LBIndex(dx, IDC_LIST, v.list);
        DDX_Slider(dx, IDC_LEVEL, v.level);
    }

    LRESULT OnStep(WPARAM, LPARAM)
    {
        if (next < steps.size()) {
            steps[next++](*this);
            PostMessage(WM_APP);
        }
        return 0;
    }
    void OnTimer(UINT_PTR) { EndDialog(-99); }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(SampleDialog, CDialog)
    ON_MESSAGE(WM_APP, OnStep)
    ON_WM_TIMER()
END_MESSAGE_MAP()

CString textOf(CWnd& dialog, int id)
{
    CString text;
    dialog.GetDlgItemText(id, text);
    return text;
}

class DialogTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        registerSample();
    }
};

TEST_F(DialogTest, LoadsMembersIntoControls)
{
    SampleDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_SAMPLE));
    EXPECT_EQ(textOf(dialog, IDC_COUNT), CString("3"));
    EXPECT_EQ(textOf(dialog, IDC_NAME), CString("abc"));
    EXPECT_EQ(textOf(dialog, IDC_RATIO), CString("0.25"));
    EXPECT_EQ(dialog.IsDlgButtonChecked(IDC_FLAG), 1u);
    EXPECT_EQ(dialog.GetCheckedRadioButton(IDC_RADIO1, IDC_RADIO3), static_cast<int>(IDC_RADIO3));
    EXPECT_EQ(dialog.m_kind.GetCurSel(), 1);
    EXPECT_EQ(textOf(dialog, IDC_KIND), CString("Square"));
    EXPECT_EQ(dialog.m_colour.GetCurSel(), dialog.m_colour.FindStringExact(-1, "Green"));
    EXPECT_EQ(dialog.m_list.GetCurSel(), 2);
    EXPECT_EQ(dialog.SendDlgItemMessage(IDC_LEVEL, TBM_GETPOS), 40);
    // The first tab stop has the focus with its text selected.
    EXPECT_EQ(::GetFocus(), ::GetDlgItem(dialog.m_hWnd, IDC_COUNT));
    DWORD from = 9, to = 9;
    dialog.SendDlgItemMessage(IDC_COUNT, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
    EXPECT_EQ(from, 0u);
    EXPECT_EQ(to, 1u);
}

TEST_F(DialogTest, SavesControlsIntoMembers)
{
    SampleDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_SAMPLE));
    dialog.SetDlgItemText(IDC_COUNT, " 7 ");
    dialog.SetDlgItemText(IDC_NAME, "xyz");
    dialog.SetDlgItemText(IDC_RATIO, "1e-1");
    dialog.CheckDlgButton(IDC_FLAG, 0);
    dialog.SendDlgItemMessage(IDC_RADIO1, BM_CLICK);
    dialog.m_kind.SetCurSel(2);
    dialog.m_colour.SetWindowText("Mauve");
    dialog.m_list.SetCurSel(0);
    dialog.SendDlgItemMessage(IDC_LEVEL, TBM_SETPOS, TRUE, 77);
    ASSERT_TRUE(dialog.UpdateData(TRUE));
    EXPECT_EQ(dialog.v.count, 7);
    EXPECT_EQ(dialog.v.name, CString("xyz"));
    EXPECT_DOUBLE_EQ(dialog.v.ratio, 0.1);
    EXPECT_EQ(dialog.v.flag, 0);
    EXPECT_EQ(dialog.v.radio, 0);
    EXPECT_EQ(dialog.v.kind, 2);
    EXPECT_EQ(dialog.v.colour, CString("Mauve"));
    EXPECT_EQ(dialog.v.list, 0);
    EXPECT_EQ(dialog.v.level, 77);
    EXPECT_EQ(UiTestHook::MessageBoxCount(), 0);
}

struct BadInput {
    UINT id;
    const char* text;
    const char* message;
};

class RefusedInput : public DialogTest, public ::testing::WithParamInterface<BadInput> {};

TEST_P(RefusedInput, ShowsTheMessageAndFocusesTheControl)
{
    const BadInput& c = GetParam();
    SampleDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_SAMPLE));
    dialog.GetDlgItem(IDC_LEVEL)->SetFocus();
    dialog.SetDlgItemText(c.id, c.text);
    UiTestHook::QueueMessageBoxAnswer(IDOK);
    EXPECT_FALSE(dialog.UpdateData(TRUE));
    EXPECT_EQ(UiTestHook::LastMessageBoxText(), c.message);
    EXPECT_EQ(UiTestHook::LastMessageBoxStyle() & MB_ICONMASK, MB_ICONEXCLAMATION);
    EXPECT_EQ(::GetFocus(), ::GetDlgItem(dialog.m_hWnd, static_cast<int>(c.id)));
    DWORD from = 9, to = 9;
    dialog.SendDlgItemMessage(static_cast<int>(c.id), EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
    EXPECT_EQ(from, 0u);
    EXPECT_EQ(to, strlen(c.text));
}

INSTANTIATE_TEST_SUITE_P(
    Validation, RefusedInput,
    ::testing::Values(BadInput{IDC_COUNT, "11", "Please enter an integer between 1 and 10."},
                      BadInput{IDC_COUNT, "0", "Please enter an integer between 1 and 10."},
                      BadInput{IDC_COUNT, "4x", "Please enter an integer."},
                      BadInput{IDC_COUNT, "", "Please enter an integer."},
                      BadInput{IDC_COUNT, "99999999999", "Please enter an integer."},
                      BadInput{IDC_NAME, "sixsix", "Please enter no more than 5 characters."},
                      BadInput{IDC_RATIO, "1.5", "Please enter a number between 0 and 1."},
                      BadInput{IDC_RATIO, "nan", "Please enter a number."},
                      BadInput{IDC_RATIO, "half", "Please enter a number."}));

TEST_F(DialogTest, MaxCharsLimitsTheEditWhenLoading)
{
    SampleDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_SAMPLE));
    EXPECT_EQ(dialog.SendDlgItemMessage(IDC_NAME, EM_GETLIMITTEXT), 5);
}

TEST_F(DialogTest, EnterSavesAndClosesWithOk)
{
    SampleDialog dialog;
    dialog.steps = {[](SampleDialog& d) { d.SetDlgItemText(IDC_COUNT, "9"); },
                    [](SampleDialog&) { UiTestHook::KeyDown(VK_RETURN); }};
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.v.count, 9);
    EXPECT_EQ(dialog.m_hWnd, nullptr);
}

TEST_F(DialogTest, EscapeCancelsWithoutChangingData)
{
    SampleDialog dialog;
    dialog.steps = {[](SampleDialog& d) {
                        d.SetDlgItemText(IDC_COUNT, "9");
                        d.SetDlgItemText(IDC_NAME, "new");
                    },
                    [](SampleDialog&) { UiTestHook::KeyDown(VK_ESCAPE); }};
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.v.count, 3);
    EXPECT_EQ(dialog.v.name, CString("abc"));
}

TEST_F(DialogTest, RefusedOkKeepsTheDialogOpen)
{
    SampleDialog dialog;
    HWND focusAfterRefusal = nullptr, ratio = nullptr;
    dialog.steps = {[](SampleDialog& d) {
                        d.SetDlgItemText(IDC_RATIO, "2");
                        d.GetDlgItem(IDOK)->SetFocus();
                        UiTestHook::QueueMessageBoxAnswer(IDOK);
                    },
                    [](SampleDialog&) { UiTestHook::KeyDown(VK_RETURN); },
                    [&](SampleDialog& d) {
                        focusAfterRefusal = ::GetFocus();
                        ratio = ::GetDlgItem(d.m_hWnd, IDC_RATIO);
                        UiTestHook::KeyDown(VK_ESCAPE);
                    }};
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(UiTestHook::LastMessageBoxText(), "Please enter a number between 0 and 1.");
    EXPECT_EQ(focusAfterRefusal, ratio);
    EXPECT_EQ(dialog.v.count, 3);
}

TEST_F(DialogTest, OwnerIsDisabledWhileModal)
{
    HWND owner = MakeWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{0, 0, 300, 200});
    CWnd ownerWnd;
    ownerWnd.Attach(owner);
    SampleDialog dialog;
    dialog.m_pParentWnd = &ownerWnd;
    BOOL enabledDuring = TRUE;
    dialog.steps = {[&](SampleDialog& d) {
        enabledDuring = ::IsWindowEnabled(owner);
        d.EndDialog(42);
    }};
    EXPECT_EQ(dialog.DoModal(), 42);
    EXPECT_FALSE(enabledDuring);
    EXPECT_TRUE(::IsWindowEnabled(owner));
    ownerWnd.Detach();
}

TEST_F(DialogTest, MissingTemplateFails)
{
    CDialog dialog(4242);
    EXPECT_EQ(dialog.DoModal(), -1);
    EXPECT_FALSE(dialog.Create(4242));
}

TEST_F(DialogTest, TabWalksTheTabStopsAndWraps)
{
    SampleDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_SAMPLE));
    std::vector<int> order;
    CWnd* at = dialog.GetDlgItem(IDC_COUNT);
    for (int i = 0; i < 12; ++i) {
        at = dialog.GetNextDlgTabItem(at);
        order.push_back(at->GetDlgCtrlID());
    }
    // The checked radio button stands for its group.
    std::vector<int> expected{IDC_NAME, IDC_RATIO, IDC_FLAG, IDC_RADIO3, IDC_KIND, IDC_COLOUR,
                              IDC_LIST, IDC_LEVEL, IDOK, IDCANCEL, IDC_COUNT, IDC_NAME};
    EXPECT_EQ(order, expected);
    EXPECT_EQ(dialog.GetNextDlgTabItem(dialog.GetDlgItem(IDC_COUNT), TRUE)->GetDlgCtrlID(), IDCANCEL);
    dialog.NextDlgCtrl();
    EXPECT_EQ(::GetFocus(), ::GetDlgItem(dialog.m_hWnd, IDC_NAME));
    dialog.PrevDlgCtrl();
    EXPECT_EQ(::GetFocus(), ::GetDlgItem(dialog.m_hWnd, IDC_COUNT));
}

TEST_F(DialogTest, ArrowsMoveAndCheckWithinARadioGroup)
{
    SampleDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_SAMPLE));
    dialog.GetDlgItem(IDC_RADIO3)->SetFocus();
    MSG msg{::GetFocus(), WM_KEYDOWN, VK_RIGHT, 0, 0, {}};
    EXPECT_TRUE(dialog.PreTranslateMessage(&msg));
    EXPECT_EQ(::GetFocus(), ::GetDlgItem(dialog.m_hWnd, IDC_RADIO1));
    EXPECT_EQ(dialog.GetCheckedRadioButton(IDC_RADIO1, IDC_RADIO3), static_cast<int>(IDC_RADIO1));
}

TEST_F(DialogTest, DefaultButtonCanMove)
{
    SampleDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_SAMPLE));
    EXPECT_EQ(LOWORD(dialog.GetDefID()), static_cast<WORD>(IDOK));
    EXPECT_EQ(HIWORD(dialog.GetDefID()), DC_HASDEFID);
    dialog.SetDefID(IDCANCEL);
    EXPECT_EQ(dialog.GetDlgItem(IDCANCEL)->GetStyle() & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    EXPECT_EQ(dialog.GetDlgItem(IDOK)->GetStyle() & BS_TYPEMASK, BS_PUSHBUTTON);
}

struct UnitCase {
    WORD points;
    RECT units;
    RECT pixels;
};

class DialogUnits : public DialogTest, public ::testing::WithParamInterface<UnitCase> {};

TEST_P(DialogUnits, MapToPixelsOfTheTemplateFont)
{
    DialogTemplate t;
    t.style = WS_POPUP;
    t.cx = 100;
    t.cy = 50;
    t.fontSize = GetParam().points;
    CDialog dialog;
    ASSERT_TRUE(dialog.CreateIndirect(t));
    RECT r = GetParam().units;
    dialog.MapDialogRect(&r);
    EXPECT_EQ(r.left, GetParam().pixels.left);
    EXPECT_EQ(r.top, GetParam().pixels.top);
    EXPECT_EQ(r.right, GetParam().pixels.right);
    EXPECT_EQ(r.bottom, GetParam().pixels.bottom);
    RECT client{};
    dialog.GetClientRect(&client);
    RECT whole{0, 0, 100, 50};
    dialog.MapDialogRect(&whole);
    EXPECT_EQ(client.right, whole.right);
    EXPECT_EQ(client.bottom, whole.bottom);
}

INSTANTIATE_TEST_SUITE_P(Fonts, DialogUnits,
                         ::testing::Values(UnitCase{8, {4, 8, 40, 16}, {6, 13, 60, 26}},
                                           UnitCase{16, {4, 8, 40, 16}, {12, 26, 120, 52}},
                                           UnitCase{8, {0, 0, 3, 3}, {0, 0, 4, 4}}));

} // namespace

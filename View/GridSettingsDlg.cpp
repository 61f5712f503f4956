#include "View/GridSettingsDlg.h"

#include "View/ViewText.h"
#include "platform/ui/WinApp.h"

namespace {

constexpr DWORD kShowGridBit = 0x2;
constexpr DWORD kSnapGridBit = 0x4;
constexpr DWORD kSnapCenterBit = 0x8;
constexpr int kMinStep = 2;
constexpr int kMaxStep = 1000;
constexpr int kMaxGuide = 1000;

DialogItemTemplate Item(const char* cls, const char* text, UINT id, DWORD style, short x, short y, short cx,
                        short cy)
{
    return DialogItemTemplate{cls, text, id, style, 0, x, y, cx, cy};
}

DialogItemTemplate Check(const char* text, UINT id, short y)
{
    return Item("button", text, id, WS_TABSTOP | BS_AUTOCHECKBOX, 10, y, 110, 10);
}

DialogItemTemplate Number(UINT id, short x, short y)
{
    return Item("edit", "", id, WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, x, y, 36, 12);
}

} // namespace

void RegisterGridSettingsTemplate()
{
    if (FindDialogResource(CGridSettingsDlg::IDD))
        return;
    constexpr UINT L = CGridSettingsDlg::IDC_GUIDE_LEFT;
    DialogTemplate t;
    t.style = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    t.cx = 220;
    t.cy = 150;
    t.caption = "<Worksheet Grid>";
    t.fontName = "Sans";
    t.items = {
        Check("<Show Grid>", CGridSettingsDlg::IDC_SHOW_GRID, 10),
        Check("<Snap to Grid>", CGridSettingsDlg::IDC_SNAP_GRID, 24),
        Check("<Snap to center>", CGridSettingsDlg::IDC_SNAP_CENTER, 38),
        Item("static", "<Width>:", 0, SS_LEFT, 10, 56, 40, 10),
        Number(CGridSettingsDlg::IDC_WIDTH, 55, 54),
        Item("static", "<Height>:", 0, SS_LEFT, 100, 56, 40, 10),
        Number(CGridSettingsDlg::IDC_HEIGHT, 145, 54),
        Item("static", "<0 = OFF>", 0, SS_LEFT, 10, 74, 100, 10),
        Number(L, 10, 88),
        Number(L + 1, 55, 88),
        Number(L + 2, 100, 88),
        Number(L + 3, 145, 88),
        Item("button", "OK", IDOK, WS_TABSTOP | BS_DEFPUSHBUTTON, 50, 125, 50, 14),
        Item("button", "Cancel", IDCANCEL, WS_TABSTOP | BS_PUSHBUTTON, 110, 125, 50, 14),
    };
    RegisterDialogResource(CGridSettingsDlg::IDD, t);
}

CGridSettingsDlg::CGridSettingsDlg(DWORD* flags, DWORD* steps, int* guides, CWnd* parent)
    : CDialog(IDD, parent), m_flags(flags), m_steps(steps), m_guides(guides),
      m_showGrid((*flags & kShowGridBit) != 0), m_snapGrid((*flags & kSnapGridBit) != 0),
      m_snapCenter((*flags & kSnapCenterBit) != 0), m_width(LOWORD(*steps)), m_height(HIWORD(*steps))
{
    RegisterGridSettingsTemplate();
    for (int i = 0; guides && i < 4; ++i)
        m_guideValues[i] = guides[i];
}

BOOL CGridSettingsDlg::OnInitDialog()
{
    BOOL focus = CDialog::OnInitDialog();
    for (UINT i = 0; i < 4; ++i)
        ::EnableWindow(::GetDlgItem(m_hWnd, static_cast<int>(IDC_GUIDE_LEFT + i)), m_guides != nullptr);
    EnableSnapToCenter();
    return focus;
}

void CGridSettingsDlg::EnableSnapToCenter()
{
    BOOL snap = ::SendMessage(::GetDlgItem(m_hWnd, IDC_SNAP_GRID), BM_GETCHECK, 0, 0) == BST_CHECKED;
    ::EnableWindow(::GetDlgItem(m_hWnd, IDC_SNAP_CENTER), snap);
}

BOOL CGridSettingsDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == IDC_SNAP_GRID && HIWORD(wParam) == BN_CLICKED)
        EnableSnapToCenter();
    return CDialog::OnCommand(wParam, lParam);
}

void CGridSettingsDlg::ExchangeStep(CDataExchange* dx, UINT id, int& step)
{
    DDX_Text(dx, static_cast<int>(id), step);
    DDV_MinMaxInt(dx, step, kMinStep, kMaxStep);
    if (dx->m_bSaveAndValidate && step % 2 != 0) {
        AfxMessageBox(ViewText(IDS_SPACING_EVEN, "<Grid spacing must be even>"), MB_ICONEXCLAMATION);
        dx->Fail();
    }
}

void CGridSettingsDlg::DoDataExchange(CDataExchange* dx)
{
    CDialog::DoDataExchange(dx);
    DDX_Check(dx, IDC_SHOW_GRID, m_showGrid);
    DDX_Check(dx, IDC_SNAP_GRID, m_snapGrid);
    DDX_Check(dx, IDC_SNAP_CENTER, m_snapCenter);
    ExchangeStep(dx, IDC_HEIGHT, m_height);
    ExchangeStep(dx, IDC_WIDTH, m_width);
    if (!m_guides)
        return;
    for (int i = 0; i < 4; ++i) {
        DDX_Text(dx, static_cast<int>(IDC_GUIDE_LEFT) + i, m_guideValues[i]);
        DDV_MinMaxInt(dx, m_guideValues[i], 0, kMaxGuide);
    }
}

void CGridSettingsDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    *m_flags = (m_showGrid ? kShowGridBit : 0) | (m_snapGrid ? kSnapGridBit : 0) | (m_snapCenter ? kSnapCenterBit : 0);
    *m_steps = static_cast<DWORD>(m_height) << 16 | static_cast<DWORD>(m_width);
    for (int i = 0; m_guides && i < 4; ++i)
        m_guides[i] = m_guideValues[i];
    EndDialog(IDOK);
}

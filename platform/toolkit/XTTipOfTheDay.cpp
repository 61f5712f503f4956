#include "platform/toolkit/XTTipOfTheDay.h"

#include "platform/core/StdioFile.h"
#include "platform/ui/Button.h"
#include "platform/ui/WinApp.h"

IMPLEMENT_DYNAMIC(CXTTipOfTheDay, CDialog)

namespace {

constexpr char kSection[] = "Tip";
constexpr char kStartUp[] = "StartUp";
constexpr char kFilePos[] = "FilePos";
constexpr char kNoTips[] = "No tips could be read.";

std::vector<CString> readTips(LPCTSTR path)
{
    std::vector<CString> tips;
    CStdioFile file;
    if (!path || !file.Open(path, CFile::modeRead | CFile::shareDenyNone | CFile::typeText))
        return tips;
    CString line;
    try {
        while (file.ReadString(line)) {
            line.Trim();
            if (!line.IsEmpty() && line[0] != ';')
                tips.push_back(line);
        }
    } catch (CException* e) {
        e->Delete();
    }
    return tips;
}

} // namespace

CXTTipOfTheDay::CXTTipOfTheDay(LPCTSTR tipsFile, CWnd* parent) : m_tips(readTips(tipsFile))
{
    m_pParentWnd = parent;
    CWinApp* app = AfxGetApp();
    int stored = app ? static_cast<int>(app->GetProfileInt(kSection, kFilePos, 0)) : 0;
    m_nTip = m_tips.empty() ? 0 : ((stored % GetTipCount()) + GetTipCount()) % GetTipCount();
}

BOOL CXTTipOfTheDay::IsShowAtStartup() const
{
    CWinApp* app = AfxGetApp();
    return !app || app->GetProfileInt(kSection, kStartUp, 1) != 0;
}

CString CXTTipOfTheDay::GetCurrentTip() const
{
    return m_tips.empty() ? CString(kNoTips) : m_tips[static_cast<size_t>(m_nTip)];
}

DialogTemplate CXTTipOfTheDay::BuildTemplate()
{
    DialogTemplate t;
    t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER;
    t.cx = 230;
    t.cy = 120;
    t.caption = "Tip of the Day";
    t.fontName = "MS Shell Dlg";
    t.items = {
        {"static", "Did you know...", 0xFFFF, WS_CHILD | WS_VISIBLE | SS_LEFT, 0, 10, 8, 200, 10},
        {"static", "", kTipText, WS_CHILD | WS_VISIBLE | SS_LEFT, 0, 10, 22, 210, 60},
        {"button", "&Show tips at startup", kShowAtStartup, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 0, 10,
         100, 100, 12},
        {"button", "&Next Tip", kNextTip, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 118, 98, 50, 14},
        {"button", "Close", IDOK, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 172, 98, 50, 14},
    };
    return t;
}

INT_PTR CXTTipOfTheDay::DoModal()
{
    InitModalIndirect(BuildTemplate(), m_pParentWnd);
    return CDialog::DoModal();
}

BOOL CXTTipOfTheDay::OnInitDialog()
{
    CDialog::OnInitDialog();
    CheckDlgButton(kShowAtStartup, IsShowAtStartup() ? BST_CHECKED : BST_UNCHECKED);
    ShowTip();
    return TRUE;
}

void CXTTipOfTheDay::ShowTip()
{
    SetDlgItemText(kTipText, GetCurrentTip());
    if (CWnd* next = GetDlgItem(kNextTip))
        next->EnableWindow(GetTipCount() > 1);
}

void CXTTipOfTheDay::OnNextTip()
{
    if (m_tips.empty())
        return;
    m_nTip = (m_nTip + 1) % GetTipCount();
    ShowTip();
}

void CXTTipOfTheDay::SaveState()
{
    CWinApp* app = AfxGetApp();
    if (!app || !m_hWnd)
        return;
    app->WriteProfileInt(kSection, kStartUp, IsDlgButtonChecked(kShowAtStartup) ? 1 : 0);
    // The next showing starts with the tip after this one.
    app->WriteProfileInt(kSection, kFilePos, m_tips.empty() ? 0 : (m_nTip + 1) % GetTipCount());
}

void CXTTipOfTheDay::OnOK()
{
    SaveState();
    CDialog::OnOK();
}

void CXTTipOfTheDay::OnCancel()
{
    SaveState();
    CDialog::OnCancel();
}

BEGIN_MESSAGE_MAP(CXTTipOfTheDay, CDialog)
    ON_BN_CLICKED(kNextTip, OnNextTip)
END_MESSAGE_MAP()

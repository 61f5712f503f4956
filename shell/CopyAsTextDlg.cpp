#include "shell/CopyAsTextDlg.h"

#include "shell/VantrelApp.h"
#include "platform/core/GlobalMemory.h"
#include "platform/ole/Clipboard.h"

#include <cstring>

BEGIN_MESSAGE_MAP(CCopyAsTextDlg, CDialog)
    ON_WM_CTLCOLOR()
    ON_BN_CLICKED(CCopyAsTextDlg::kCopyId, OnCopy)
END_MESSAGE_MAP()

CCopyAsTextDlg::CCopyAsTextDlg(CWnd* parent) : CDialog(IDD, parent) { m_white.CreateSolidBrush(RGB(255, 255, 255)); }

// The recogniser stands in for one that finds nothing, so a result never comes.
BOOL CCopyAsTextDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_text.SubclassDlgItem(kTextId, this);
    m_alternates.SubclassDlgItem(kAlternatesId, this);
    m_text.SetWindowText(GetLanguageText("No results!"));
    m_text.SetFocus();
    m_text.SetSel(0, 0);
    m_text.SendMessage(EM_SCROLLCARET);
    FollowSelection();
    return FALSE;
}

BOOL CCopyAsTextDlg::PreTranslateMessage(MSG* msg)
{
    if (msg->hwnd == m_text.m_hWnd &&
        (msg->message == WM_KEYUP || msg->message == WM_LBUTTONUP || msg->message == WM_RBUTTONUP))
        FollowSelection();
    return CDialog::PreTranslateMessage(msg);
}

void CCopyAsTextDlg::FollowSelection()
{
    int start = 0, end = 0;
    m_text.GetSel(start, end);
    const int length = m_text.GetWindowTextLength();
    if (length == 0)
        return;
    if (start == end) {
        if (start < length)
            ++end;
        else if (start > 0)
            --start;
    }
    m_text.SetSel(start, end);
    m_text.SendMessage(EM_SCROLLCARET);
    if (CWnd* ink = GetDlgItem(kInkId))
        ink->Invalidate(TRUE);
    if (!m_result)
        m_alternates.ResetContent();
}

HBRUSH CCopyAsTextDlg::OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor)
{
    if (wnd && wnd->GetDlgCtrlID() == static_cast<int>(kInkId))
        return static_cast<HBRUSH>(m_white.m_hObject);
    return CDialog::OnCtlColor(dc, wnd, ctlColor);
}

void CCopyAsTextDlg::CopyText()
{
    CString text;
    m_text.GetWindowText(text);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, static_cast<SIZE_T>(text.GetLength()) + 1);
    if (!block)
        return;
    std::memcpy(GlobalLock(block), static_cast<LPCTSTR>(text), static_cast<size_t>(text.GetLength()) + 1);
    GlobalUnlock(block);
    if (!OpenClipboard(m_hWnd)) {
        GlobalFree(block);
        return;
    }
    EmptyClipboard();
    if (!SetClipboardData(CF_TEXT, block))
        GlobalFree(block);
    CloseClipboard();
}

// The whole text is copied; the user's selection stays.
void CCopyAsTextDlg::OnCopy()
{
    int start = 0, end = 0;
    m_text.GetSel(start, end);
    m_text.SetRedraw(FALSE);
    m_text.SetSel(0, -1);
    CopyText();
    m_text.SetSel(start, end);
    m_text.SendMessage(EM_SCROLLCARET);
    m_text.SetRedraw(TRUE);
}

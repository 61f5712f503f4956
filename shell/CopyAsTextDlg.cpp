#include "shell/CopyAsTextDlg.h"

#include "shell/VantrelApp.h"
#include "platform/core/GlobalMemory.h"
#include "platform/ink/InkDisp.h"
#include "platform/ink/InkRecognitionResult.h"
#include "platform/ole/Clipboard.h"

#include <cstring>

BEGIN_MESSAGE_MAP(CCopyAsTextDlg, CDialog)
    ON_WM_CTLCOLOR()
    ON_BN_CLICKED(CCopyAsTextDlg::kCopyId, OnCopy)
    ON_LBN_SELCHANGE(CCopyAsTextDlg::kAlternatesId, OnAlternateChosen)
END_MESSAGE_MAP()

CCopyAsTextDlg::CCopyAsTextDlg(CWnd* parent) : CDialog(IDD, parent) { m_white.CreateSolidBrush(RGB(255, 255, 255)); }

CCopyAsTextDlg::~CCopyAsTextDlg() = default;

BOOL CCopyAsTextDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_text.SubclassDlgItem(kTextId, this);
    m_alternates.SubclassDlgItem(kAlternatesId, this);
    m_ink.SubclassDlgItem(kInkId, this);
    m_text.SetWindowText(m_result ? CString(m_result->TopString().c_str()) : GetLanguageText("No results!"));
    m_text.SetFocus();
    m_text.SetSel(0, 0);
    m_text.SendMessage(EM_SCROLLCARET);
    FollowSelection();
    Invalidate(TRUE);
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
    int count = end - start;
    if (m_result)
        ShowStrokes(m_result->TopAlternate()->GetStrokesFromTextRange(start, count));
    m_text.SetSel(start, start + count);
    m_text.SendMessage(EM_SCROLLCARET);
    m_ink.Invalidate(TRUE);
    if (m_result)
        ListAlternates(start, count);
}

// The display draws an ink of its own holding copies of the strokes where they were written.
void CCopyAsTextDlg::ShowStrokes(const InkStrokes& strokes)
{
    m_shownStrokes = strokes;
    auto shown = InkDisp::Create();
    shown->AddStrokesAtRectangle(strokes, strokes.GetBoundingBox());
    m_ink.SetInk(std::move(shown));
}

// The list keeps the alternates it shows; an entry's data is its place among them. The first
// is the text as it stands, and stays picked: an earlier pick's place means nothing in a new list.
void CCopyAsTextDlg::ListAlternates(int start, int length)
{
    m_alternates.SetRedraw(FALSE);
    m_alternates.ResetContent();
    m_listed = m_result->AlternatesFromSelection(start, length, kMaxAlternates);
    for (size_t i = 0; i < m_listed.size(); ++i)
        m_alternates.SetItemData(m_alternates.AddString(m_listed[i]->String().c_str()), i);
    m_alternates.SetCurSel(0);
    m_alternates.SetRedraw(TRUE);
    m_alternates.Invalidate(TRUE);
}

void CCopyAsTextDlg::OnAlternateChosen()
{
    const int selected = m_alternates.GetCurSel();
    if (!m_result || selected < 0)
        return;
    const size_t index = m_alternates.GetItemData(selected);
    if (index >= m_listed.size() || !m_result->ModifyTopAlternate(*m_listed[index]))
        return;
    const auto top = m_result->TopAlternate();
    int start = 0, length = 0;
    top->GetTextRangeFromStrokes(m_shownStrokes, start, length);
    m_text.SetWindowText(top->String().c_str());
    m_text.SetSel(start, start + length);
    m_text.SendMessage(EM_SCROLLCARET);
    ListAlternates(start, length);
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

// The editing view's side of in-place text editing: which objects are offered an edit, and
// committing a running edit before anything else happens on the page.
#include "View/HyperView.h"

#include "View/HyperTextEdit.h"
#include "objects/HyperOb.h"
#include "platform/gdi/Dc.h"

BOOL CHyperView::StartTextEdit(CPoint page, UINT nChar)
{
    if (!m_allowInlineText)
        return FALSE;
    CHyperOb* current = GetCurrentObject();
    if (current && m_selection.GetSize() == 0)
        return current->CanInlineEditText() && m_textEdit->BeginEdit(page.x, page.y, current, nChar);
    if (m_selection.GetSize() == 0)
        return FALSE;
    const int group = static_cast<CHyperOb*>(m_selection.GetAt(0))->GroupID;
    for (INT_PTR i = 0; i < m_selection.GetSize(); ++i)
        if (group < 0 || static_cast<CHyperOb*>(m_selection.GetAt(i))->GroupID != group)
            return FALSE;
    for (INT_PTR i = 0; i < m_selection.GetSize(); ++i) {
        auto* member = static_cast<CHyperOb*>(m_selection.GetAt(i));
        if (member->CanInlineEditText() && m_textEdit->BeginEdit(page.x, page.y, member, nChar))
            return TRUE;
    }
    return FALSE;
}

BOOL CHyperView::IsEditingTextOf(const CHyperBaseOb* object) const
{
    return m_textEdit && m_textEdit->IsEditing() && m_textEdit->m_object == object;
}

BOOL CHyperView::CommitTextEdit()
{
    return m_textEdit->IsEditing() && m_textEdit->EndEdit(TRUE, 0, TRUE);
}

BOOL CHyperView::ForwardToTextEdit(UINT message, UINT key, UINT repeat, UINT flags)
{
    if (!m_textEdit->IsEditing())
        return FALSE;
    m_textEdit->SendMessage(message, key, MAKELPARAM(repeat, flags));
    return TRUE;
}

// One brush serves every paint; it is made again only when the colour changes.
HBRUSH CHyperView::OnCtlColor(CDC* dc, CWnd* wnd, UINT)
{
    auto brush = reinterpret_cast<HBRUSH>(Default());
    if (!m_editMode || !m_textEdit->IsEditing() || !wnd || wnd->m_hWnd != m_textEdit->m_hWnd)
        return brush;
    COLORREF fore = 0;
    COLORREF back = 0;
    m_textEdit->m_object->GetForeColor(&fore);
    // An object without a background of its own (a connector's label) shows the page.
    if (!m_textEdit->m_object->GetBackColor(&back) || back == static_cast<COLORREF>(-1))
        back = m_textEdit->m_object->GetPageColor();
    dc->SetTextColor(fore);
    dc->SetBkColor(back);
    if (!m_backgroundBrush.GetSafeHandle() || m_editBrushColor != back) {
        m_backgroundBrush.DeleteObject();
        m_backgroundBrush.CreateSolidBrush(back);
        m_editBrushColor = back;
    }
    return static_cast<HBRUSH>(m_backgroundBrush.GetSafeHandle());
}

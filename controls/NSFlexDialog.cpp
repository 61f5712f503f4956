#include "controls/NSFlexDialog.h"

IMPLEMENT_DYNAMIC(CNSFlexDialog, CDialog)

BEGIN_MESSAGE_MAP(CNSFlexDialog, CDialog)
    ON_COMMAND(ID_FLEX_APPLY, OnApply)
    ON_WM_SIZE()
    ON_WM_GETMINMAXINFO()
END_MESSAGE_MAP()

CNSFlexDialog::CNSFlexDialog(UINT idTemplate, CWnd* parent, UINT flags)
    : CDialog(idTemplate, parent), m_layout(std::make_unique<CFlexLayout>(this)), m_flags(flags)
{
}

void CNSFlexDialog::AddFlexControl(UINT controlId, const CFlexHorzConstraint& horz, const CFlexVertConstraint& vert)
{
    m_layout->Add(controlId, horz, vert);
}

BOOL CNSFlexDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    CRect window;
    GetWindowRect(&window);
    m_minWidth = window.Width();
    m_minHeight = window.Height();
    CRect client;
    GetClientRect(&client);
    m_layout->SetInitialClientSize(client.Width(), client.Height());
    SetModified(FALSE);
    return TRUE;
}

BOOL CNSFlexDialog::Apply(UINT)
{
    return TRUE;
}

void CNSFlexDialog::OnOK()
{
    if (UpdateData(TRUE) && Apply(m_flags))
        EndDialog(IDOK);
}

void CNSFlexDialog::OnApply()
{
    if (UpdateData(TRUE) && Apply(m_flags))
        SetModified(FALSE);
}

void CNSFlexDialog::SetModified(BOOL modified)
{
    m_modified = modified;
    if (CWnd* apply = GetDlgItem(ID_FLEX_APPLY))
        apply->EnableWindow(modified);
}

void CNSFlexDialog::OnSize(UINT type, int cx, int cy)
{
    Default();
    if (type != SIZE_MINIMIZED)
        m_layout->Relayout(cx, cy);
}

void CNSFlexDialog::OnGetMinMaxInfo(MINMAXINFO* info)
{
    Default();
    info->ptMinTrackSize.x = m_minWidth;
    info->ptMinTrackSize.y = m_minHeight;
}

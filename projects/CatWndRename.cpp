// Renaming an entry in place over its name.
#include "projects/CatWnd.h"

#include "projects/CatManager.h"
#include "projects/Catalogue.h"
#include "projects/CatalogueOb.h"

void CCatWnd::BeginRename(int index)
{
    if (!m_catalogue || index < 0 || index >= m_catalogue->GetCount())
        return;
    CCatNameEdit& edit = m_viewMode == NamesOnly ? m_singleLineEdit : m_multiLineEdit;
    const CRect name = GetItemRect(index, NamePart);
    edit.SetWindowPos(&wndTop, name.left, name.top, name.Width(), name.Height(), SWP_SHOWWINDOW);
    edit.SetWindowText(m_catalogue->GetEntry(index)->GetName());
    edit.Start();
}

BOOL CCatWnd::IsRenaming() const
{
    return (m_multiLineEdit.m_hWnd && m_multiLineEdit.IsWindowVisible()) ||
           (m_singleLineEdit.m_hWnd && m_singleLineEdit.IsWindowVisible());
}

void CCatWnd::EndRename()
{
    if (IsRenaming())
        SetFocus();
}

void CCatWnd::OnNameEditDone(const CString& text, BOOL cancelled)
{
    const int index = m_selection;
    if (cancelled || index < 0 || !CanChange())
        return;
    CString name = text;
    name.Trim();
    m_manager->ChangeWithUndo([&](CCatalogue& catalogue) {
        catalogue.GetEntry(index)->SetName(name);
        return TRUE;
    });
    Invalidate();
}

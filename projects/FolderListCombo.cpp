#include "projects/FolderListCombo.h"

#include "projects/ProjectHelpers.h"

#include "platform/core/FileFind.h"
#include "platform/core/System.h"

BOOL CFolderListCombo::Init(UINT id, CWnd* parent, LPCTSTR folder, UINT attributes, EntryFilter filter)
{
    m_folder = folder;
    m_attributes = attributes;
    m_filter = filter;
    return parent ? SubclassDlgItem(id, parent) : TRUE;
}

std::list<CString> CFolderListCombo::ListFolder() const
{
    std::list<CString> names;
    CFileFind find;
    BOOL more = find.FindFile(m_folder + "/*.*");
    while (more) {
        more = find.FindNextFile();
        const CString name = find.GetFileName();
        if (name == ".")
            continue;
        if (find.IsDirectory()) {
            if (m_attributes & DirectoryAttribute)
                names.push_back("[" + name + "]");
        } else {
            names.push_back(name);
        }
    }
    names.sort([](const CString& a, const CString& b) { return a.CompareNoCase(b) < 0; });
    return names;
}

void CFolderListCombo::Fill()
{
    if (GetFileAttributes(m_folder) == INVALID_FILE_ATTRIBUTES)
        return;
    for (CString entry : ListFolder()) {
        const BOOL read = m_filter ? m_filter(entry) : TRUE;
        m_entries.push_back(entry);
        CString title;
        if (!ReadMemberTitle(read && !entry.IsEmpty() ? m_folder + "/" + entry : entry, title, read) || title.IsEmpty())
            continue;
        const int index = AddString(title);
        SetItemDataPtr(index, &m_entries.back());
    }
    m_entries.push_front(CString());
    InsertString(0, "");
    SetItemDataPtr(0, &m_entries.front());
}

BOOL CFolderListCombo::SelectEntry(LPCTSTR text)
{
    ClearEntries(FALSE);
    Fill();
    m_selected.Empty();
    const int index = SelectString(-1, text);
    if (index < 0)
        return FALSE;
    m_selected = *static_cast<CString*>(GetItemDataPtr(index));
    return TRUE;
}

void CFolderListCombo::GetSelectedName(CString& out) const
{
    out = m_selected;
    if (out.Left(1) == "[")
        out = out.Mid(1);
    if (out.Right(1) == "]")
        out = out.Left(out.GetLength() - 1);
}

void CFolderListCombo::ClearEntries(BOOL keepItems)
{
    if (!keepItems && m_hWnd)
        for (int i = GetCount() - 1; i >= 0; --i)
            DeleteString(static_cast<UINT>(i));
    m_entries.clear();
}

BOOL CFolderListCombo::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    const BOOL handled = CComboBox::OnChildNotify(message, wParam, lParam, result);
    if (message != WM_COMMAND)
        return handled;
    if (HIWORD(wParam) == CBN_SELCHANGE) {
        const int index = GetCurSel();
        auto* entry = index >= 0 ? static_cast<CString*>(GetItemDataPtr(index)) : nullptr;
        m_selected = entry ? *entry : CString();
    } else if (HIWORD(wParam) == CBN_DROPDOWN) {
        CString current;
        GetWindowText(current);
        SelectEntry(current);
    }
    return handled;
}

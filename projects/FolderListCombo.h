// A combo box listing the entries of a folder by title: with the folder filter of the project
// dialogs it shows the names of the sub-folders, that is the projects.
#pragma once

#include "platform/ui/ComboBox.h"

#include <list>
#include <string>

class CFolderListCombo : public CComboBox {
public:
    using EntryFilter = BOOL (*)(CString& entry);
    static constexpr UINT DirectoryAttribute = 0x10;

    // Subclasses the dialog control when a parent is given.
    BOOL Init(UINT id, CWnd* parent, LPCTSTR folder, UINT attributes, EntryFilter filter);
    void Fill();
    // Refills and selects the first item starting with `text`; FALSE when there is none.
    BOOL SelectEntry(LPCTSTR text);
    // The selected entry without its brackets.
    void GetSelectedName(CString& out) const;
    void ClearEntries(BOOL keepItems);
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

private:
    // The raw entries of the folder as a directory listing names them ("[sub]" for folders).
    std::list<CString> ListFolder() const;

    CString m_folder;
    UINT m_attributes = 0;
    EntryFilter m_filter = nullptr;
    std::list<CString> m_entries;
    CString m_selected;
};

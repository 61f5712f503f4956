// The Select dialog: the installed spelling dictionaries, of which the chosen one becomes the
// dictionary language.
#pragma once

#include "platform/gdi/ImageList.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/ListCtrl.h"

#include <set>

class CSelectLanguageDlg : public CDialog {
public:
    static constexpr UINT IDD = 204, kListId = 1020, kImages = 209, kColumnCaption = 149;
    // The main frame's command that runs the dialog.
    static constexpr UINT CmdSelectLanguage = 33975;

    explicit CSelectLanguageDlg(CWnd* parent = nullptr);
    CListCtrl& GetList() { return m_list; }
    // The names of the dictionaries the user can choose, sorted.
    static std::set<CString> InstalledDictionaries();

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    CListCtrl m_list;
    CImageList m_images;
};

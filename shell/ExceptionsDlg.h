// The auto-correction exceptions: words after which no capital letter is forced, kept in the
// list file's section "FirstLetterExceptions".
#pragma once

#include "platform/ui/Dialog.h"
#include "platform/ui/ListCtrl.h"

#include <vector>

class CExceptionsDlg : public CDialog {
public:
    static constexpr UINT IDD = 211;
    static constexpr int kShownLength = 31;

    explicit CExceptionsDlg(CWnd* parent = nullptr);
    CListCtrl& GetList() { return m_list; }
    // The full word of a row (rows show only its start).
    CString GetRowWord(int row) const;

    void OnAdd();
    void OnDelete();
    void OnEditChange();
    void OnItemChanged(NMHDR*, LRESULT* result);

    CString m_strEdit;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;

private:
    void FillList();
    int InsertRow(const CString& word);

    CListCtrl m_list;
    std::vector<CString> m_words;
    CString m_strListFile;

    DECLARE_MESSAGE_MAP()
};

// The tip of the day: one tip at a time from a text file (one tip a line; blank lines and
// lines starting with ';' are skipped), a Next Tip button, and a check box that says whether
// the tips show at start-up. The next tip and the check box live in the profile section "Tip".
#pragma once

#include "platform/ui/Dialog.h"

#include <vector>

class CXTTipOfTheDay : public CDialog {
    DECLARE_DYNAMIC(CXTTipOfTheDay)
public:
    static constexpr UINT kTipText = 1000, kShowAtStartup = 1001, kNextTip = 1002;

    // Without a file the dialog only answers IsShowAtStartup.
    explicit CXTTipOfTheDay(LPCTSTR tipsFile = nullptr, CWnd* parent = nullptr);

    BOOL IsShowAtStartup() const;
    int GetTipCount() const { return static_cast<int>(m_tips.size()); }
    // The tip shown now, or the note that there are none.
    CString GetCurrentTip() const;
    // The dialog's layout; DoModal and CreateIndirect use it.
    static DialogTemplate BuildTemplate();

    INT_PTR DoModal() override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    void OnNextTip();

private:
    void ShowTip();
    void SaveState();

    std::vector<CString> m_tips;
    int m_nTip = 0;

    DECLARE_MESSAGE_MAP()
};

// Property sheets: a dialog with a tab per page and OK, Cancel and Apply; pages are dialogs
// from their own templates, created when first shown, validated when left.
#pragma once

#include "platform/ui/Dialog.h"
#include "platform/ui/TabCtrl.h"

#include <vector>

class CPropertySheet;

constexpr UINT AFX_IDC_TAB_CONTROL = 0x3020, ID_APPLY_NOW = 0x3021;
constexpr int PSBTN_OK = 1, PSBTN_CANCEL = 2, PSBTN_APPLYNOW = 3;

class CPropertyPage : public CDialog {
    DECLARE_DYNAMIC(CPropertyPage)
public:
    CString m_strCaption;

    explicit CPropertyPage(UINT idTemplate, UINT idCaption = 0);

    // Called when the page becomes the active one; FALSE keeps the previous page.
    virtual BOOL OnSetActive();
    // Called when the page is left or the sheet applied; FALSE (bad input) keeps it active.
    virtual BOOL OnKillActive();
    // Applies the page's changes (OK or Apply); FALSE keeps the sheet open.
    virtual BOOL OnApply();
    virtual void OnReset();
    void OnOK() override;
    void OnCancel() override;
    void SetModified(BOOL changed = TRUE);
    BOOL IsModified() const { return m_modified; }
    CPropertySheet* GetSheet() const { return m_sheet; }
    // Enter and Esc belong to the sheet.
    BOOL PreTranslateMessage(MSG* msg) override;

private:
    friend class CPropertySheet;
    BOOL createIn(CPropertySheet* sheet, const RECT& area);

    CPropertySheet* m_sheet = nullptr;
    BOOL m_modified = FALSE;
};

class CPropertySheet : public CDialog {
    DECLARE_DYNAMIC(CPropertySheet)
public:
    explicit CPropertySheet(LPCTSTR caption = nullptr, CWnd* parent = nullptr, UINT selectPage = 0);

    void AddPage(CPropertyPage* page);
    void RemovePage(CPropertyPage* page);
    int GetPageCount() const { return static_cast<int>(m_pages.size()); }
    CPropertyPage* GetPage(int index) const;
    CPropertyPage* GetActivePage() const;
    int GetActiveIndex() const { return m_active; }
    int GetPageIndex(CPropertyPage* page) const;
    BOOL SetActivePage(int index);
    BOOL SetActivePage(CPropertyPage* page) { return SetActivePage(GetPageIndex(page)); }
    CTabCtrl* GetTabControl() { return &m_tab; }
    void SetTitle(LPCTSTR title);
    BOOL PressButton(int button);

    INT_PTR DoModal() override;
    BOOL Create(CWnd* parent = nullptr, DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE);

    // The page tells the sheet that it has unapplied changes.
    void PageChanged();

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    void OnApplyNow();
    void OnTabChanging(NMHDR* header, LRESULT* result);
    void OnTabChanged(NMHDR* header, LRESULT* result);

    DECLARE_MESSAGE_MAP()

private:
    DialogTemplate buildTemplate(DWORD style) const;
    bool applyAll();
    RECT pageArea();
    void fitTabs();

    std::vector<CPropertyPage*> m_pages;
    CTabCtrl m_tab;
    CString m_caption;
    int m_active = -1;
    UINT m_start = 0;
};

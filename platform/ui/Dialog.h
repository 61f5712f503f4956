// CDialog: dialogs laid out from a registered template, modal (DoModal runs its own loop)
// or modeless (Create), with the dialog keyboard (Tab, Enter, Escape), the default button
// and data exchange through DoDataExchange.
#pragma once

#include "platform/gdi/GdiObject.h"
#include "platform/ui/ControlTypes.h"
#include "platform/ui/Wnd.h"

struct DialogTemplate;
class CDataExchange;

class CDialog : public CWnd {
    DECLARE_DYNAMIC(CDialog)
public:
    UINT m_nIDHelp = 0;
    UINT m_nIDTemplate = 0;
    CWnd* m_pParentWnd = nullptr;

    CDialog() = default;
    explicit CDialog(UINT idTemplate, CWnd* parent = nullptr);
    ~CDialog() override;

    // Modeless: creates the dialog (visible when the template says WS_VISIBLE).
    virtual BOOL Create(UINT idTemplate, CWnd* parent = nullptr);
    BOOL CreateIndirect(const DialogTemplate& dialog, CWnd* parent = nullptr);
    // Modal: shows the dialog, disables the owner and runs a loop until EndDialog; returns
    // the result or -1 when the template is missing.
    virtual INT_PTR DoModal();
    void EndDialog(int result);

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    BOOL UpdateData(BOOL saveAndValidate = TRUE);

    void NextDlgCtrl() const;
    void PrevDlgCtrl() const;
    void GotoDlgCtrl(CWnd* control);
    void SetDefID(UINT id);
    DWORD GetDefID() const;
    // Dialog units of this dialog's font to pixels.
    void MapDialogRect(LPRECT rect) const;
    CWnd* GetNextDlgTabItem(CWnd* control, BOOL previous = FALSE) const;
    CWnd* GetNextDlgGroupItem(CWnd* control, BOOL previous = FALSE) const;
    // Selects one radio button of first..last and clears the others.
    void CheckRadioButton(int first, int last, int check);
    int GetCheckedRadioButton(int first, int last);

    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    virtual void DoDataExchange(CDataExchange* dx);
    LRESULT HandleInitDialog(WPARAM, LPARAM);
    LRESULT OnGetDefId(WPARAM, LPARAM);
    LRESULT OnSetDefId(WPARAM, LPARAM);
    LRESULT OnNextDlgCtl(WPARAM, LPARAM);
    void OnClose();

    DECLARE_MESSAGE_MAP()

private:
    BOOL createFromTemplate(const DialogTemplate& dialog, CWnd* parent, bool modal);
    void createControls(const DialogTemplate& dialog);
    bool handleDialogKey(MSG* msg);
    void pressButton(UINT id);

    CFont m_font;
    SIZE m_baseUnits{6, 13};
    UINT m_defId = IDOK;
    bool m_modal = false;
};

// Dialogs: a window built from a dialog template, run modally (its own message loop until
// EndDialog) or modelessly, with the dialog keyboard (Tab, arrows in groups, Enter for the
// default button, Esc for IDCANCEL) and data exchange through DoDataExchange.
#pragma once

#include "platform/gdi/GdiObject.h"
#include "platform/ui/ControlTypes.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/Resources.h"
#include "platform/ui/Wnd.h"

#include <memory>

constexpr DWORD DS_SETFONT = 0x40, DS_MODALFRAME = 0x80, DS_NOIDLEMSG = 0x100, DS_CONTROL = 0x0400,
                DS_CENTER = 0x0800;

class CDialog : public CWnd {
    DECLARE_DYNAMIC(CDialog)
public:
    UINT m_nIDHelp = 0;
    UINT m_nIDTemplate = 0;
    CWnd* m_pParentWnd = nullptr;

    CDialog() = default;
    explicit CDialog(UINT idTemplate, CWnd* parent = nullptr);
    ~CDialog() override;

    // Modeless: creates the dialog (visible when the template says WS_VISIBLE). Controls are
    // created visible; a class that is not registered gets a plain window.
    virtual BOOL Create(UINT idTemplate, CWnd* parent = nullptr);
    BOOL CreateIndirect(const DialogTemplate& dialog, CWnd* parent = nullptr);
    // Modal: shows the dialog, disables the owner and runs a loop until EndDialog; returns
    // the result, or -1 when the template id is not registered. Without a template id the
    // dialog is an empty box.
    virtual INT_PTR DoModal();
    void EndDialog(int result);
    // Makes DoModal use this template instead of a registered one.
    void InitModalIndirect(const DialogTemplate& dialog, CWnd* parent = nullptr);

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    virtual void DoDataExchange(CDataExchange* dx);
    BOOL UpdateData(BOOL saveAndValidate = TRUE);
    LRESULT HandleInitDialog(WPARAM, LPARAM);

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
    std::unique_ptr<DialogTemplate> m_indirect;
};

// Creates the items of a template as children of parent in the standard dialog units (used
// by dialog bars); an item whose class is not registered gets a plain window.
void AfxCreateDialogItems(HWND parent, const DialogTemplate& dialogTemplate);

// The window class of dialogs and of template items whose class is not registered.
extern const char* const AfxDialogClass;

// Dialogs: a window built from a dialog template, run modally (its own message loop until
// EndDialog) or modelessly. Enter and Esc send IDOK and IDCANCEL.
#pragma once

#include "platform/ui/Wnd.h"

struct DialogTemplate;

constexpr DWORD DS_MODALFRAME = 0x80, DS_SETFONT = 0x40, DS_CENTER = 0x0800, DS_NOIDLEMSG = 0x100;

class CDataExchange {
public:
    CDataExchange(CWnd* dialog, BOOL saveAndValidate) : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog) {}
    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;
};

class CDialog : public CWnd {
    DECLARE_DYNAMIC(CDialog)
public:
    CDialog() = default;
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);

    virtual INT_PTR DoModal();
    virtual BOOL Create(UINT templateId, CWnd* parent = nullptr);
    BOOL CreateIndirect(const DialogTemplate& dialogTemplate, CWnd* parent = nullptr);
    void EndDialog(int result);
    BOOL UpdateData(BOOL saveAndValidate = TRUE);

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    virtual void DoDataExchange(CDataExchange* dx);

    BOOL PreTranslateMessage(MSG* msg) override;
    LRESULT HandleInitDialog(WPARAM, LPARAM);

    UINT m_nIDHelp = 0;
    UINT m_nIDTemplate = 0;
    CWnd* m_pParentWnd = nullptr;

protected:
    HWND NextTabStop(HWND from, BOOL previous) const;
    BOOL CreateFromTemplate(const DialogTemplate* dialogTemplate, CWnd* parent);

    DECLARE_MESSAGE_MAP()
};

// Creates the items of a template as children of parent (used by dialogs and dialog bars);
// an item whose class is not registered gets a plain window.
void AfxCreateDialogItems(HWND parent, const DialogTemplate& dialogTemplate);

// The window class of dialogs and of template items whose class is not registered.
extern const char* const AfxDialogClass;

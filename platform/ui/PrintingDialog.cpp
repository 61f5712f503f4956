#include "platform/ui/PrintingDialog.h"

#include "platform/core/StringTable.h"
#include "platform/ui/UiApi.h"
#include "platform/ui/WinApp.h"

namespace {

constexpr DWORD kLabel = WS_CHILD | WS_VISIBLE | SS_CENTER;

// The framework's own template and texts, registered with its first use unless the program
// brought its own.
void RegisterPrintingResources()
{
    if (FindDialogResource(AFX_IDD_PRINTDLG))
        return;
    DialogTemplate t;
    t.style = WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_CENTER | WS_VISIBLE;
    t.cx = 160;
    t.cy = 92;
    t.caption = "Printing";
    t.fontName = "MS Sans Serif";
    t.items = {
        {"static", "Printing", 0xFFFF, kLabel, 0, 8, 6, 144, 8},
        {"static", "", AFX_IDC_PRINT_DOCNAME, kLabel, 0, 8, 16, 144, 8},
        {"static", "", AFX_IDC_PRINT_PRINTERNAME, kLabel, 0, 8, 28, 144, 8},
        {"static", "", AFX_IDC_PRINT_PORTNAME, kLabel, 0, 8, 38, 144, 8},
        {"static", "", AFX_IDC_PRINT_PAGENUM, kLabel, 0, 8, 50, 144, 8},
        {"button", "Cancel", IDCANCEL, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 55, 68, 50, 14}};
    RegisterDialogResource(AFX_IDD_PRINTDLG, std::move(t));
    CString text;
    if (!text.LoadString(AFX_IDS_PRINTONPORT))
        RegisterStringResource(AFX_IDS_PRINTONPORT, "on %1");
    if (!text.LoadString(AFX_IDS_PRINTPAGENUM))
        RegisterStringResource(AFX_IDS_PRINTPAGENUM, "Page %u");
}

} // namespace

BOOL CPrintingDialog::Create(CWnd* parent)
{
    RegisterPrintingResources();
    return CDialog::Create(AFX_IDD_PRINTDLG, parent);
}

BOOL CPrintingDialog::OnInitDialog()
{
    SetWindowText(AfxGetAppName());
    CenterWindow();
    return CDialog::OnInitDialog();
}

void CPrintingDialog::OnCancel()
{
    AfxPrintCancelFlag() = TRUE;
    DestroyWindow();
}

void CPrintingDialog::SetPage(UINT page)
{
    CString text;
    text.Format(AFX_IDS_PRINTPAGENUM, page);
    SetDlgItemText(AFX_IDC_PRINT_PAGENUM, text);
}

BOOL& AfxPrintCancelFlag()
{
    static BOOL cancelled = FALSE;
    return cancelled;
}

BOOL AfxPrintAbortProc(HDC, int)
{
    MSG msg;
    while (!AfxPrintCancelFlag() && ::PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE))
        if (!AfxPumpMessage())
            return FALSE;
    return !AfxPrintCancelFlag();
}

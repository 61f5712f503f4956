// The dialog that shows while a job prints: document, printer, port and page, and Cancel.
// Between pages the printer asks the abort procedure, which lets the messages through (so
// Cancel can be pressed) and says whether the job goes on.
#pragma once

#include "platform/ui/Dialog.h"

constexpr UINT AFX_IDD_PRINTDLG = 30722;
constexpr UINT AFX_IDC_PRINT_DOCNAME = 201, AFX_IDC_PRINT_PRINTERNAME = 202, AFX_IDC_PRINT_PORTNAME = 203,
               AFX_IDC_PRINT_PAGENUM = 204;
// "on %1" (the port) and "Page %u".
constexpr UINT AFX_IDS_PRINTONPORT = 61504, AFX_IDS_PRINTPAGENUM = 61507;

class CPrintingDialog : public CDialog {
public:
    CPrintingDialog() = default;
    // Modeless, over the parent.
    BOOL Create(CWnd* parent);
    BOOL OnInitDialog() override;
    // Stops the job at its next page and closes the dialog.
    void OnCancel() override;
    void SetPage(UINT page);
};

// The flag that Cancel sets, for the whole process; cleared when a job starts.
BOOL& AfxPrintCancelFlag();
// Pumps waiting messages while the job is not cancelled; FALSE once it is, or when the
// program is quitting.
BOOL AfxPrintAbortProc(HDC dc, int error);

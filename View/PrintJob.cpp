#include "View/PrintJob.h"

#include "platform/gdi/Dc.h"
#include "platform/gdi/Printer.h"
#include "View/HyperRunView.h"
#include "platform/ui/Document.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/PrintingDialog.h"
#include "platform/ui/View.h"
#include "platform/ui/WinApp.h"

#include <memory>

namespace {

constexpr int kMaxJobName = 31;

// One page of the job: the view's own page (its first) between its beginning and end of
// printing. FALSE when the printer fails or the job is cancelled.
BOOL PrintPage(CView* view, CDC& dc)
{
    CPrintInfo info;
    if (!view->OnPreparePrinting(&info))
        return TRUE;
    info.m_nCurPage = info.GetFromPage();
    info.m_rectDraw.SetRect(0, 0, dc.GetDeviceCaps(HORZRES), dc.GetDeviceCaps(VERTRES));
    view->OnBeginPrinting(&dc, &info);
    BOOL printed = StartPage(dc.GetSafeHdc()) > 0;
    if (printed) {
        view->OnPrepareDC(&dc, &info);
        view->OnPrint(&dc, &info);
        printed = EndPage(dc.GetSafeHdc()) > 0;
    }
    view->OnEndPrinting(&dc, &info);
    return printed;
}

// The main window is disabled and the printing dialog shows while the job runs.
class CPrintingScope {
public:
    CPrintingScope(const CPrintRequest& request, const CString& device) : m_main(AfxGetMainWnd())
    {
        if (m_main && m_main->GetSafeHwnd())
            m_main->EnableWindow(FALSE);
        AfxPrintCancelFlag() = FALSE;
        if (!m_dialog.Create(m_main && m_main->GetSafeHwnd() ? m_main : nullptr))
            return;
        CString port;
        port.LoadString(AFX_IDS_PRINTONPORT);
        port.Replace("%1", request.printer == kPdfPrinterName ? request.output : request.printer);
        m_dialog.SetDlgItemText(AFX_IDC_PRINT_DOCNAME, request.documentName);
        m_dialog.SetDlgItemText(AFX_IDC_PRINT_PRINTERNAME, device);
        m_dialog.SetDlgItemText(AFX_IDC_PRINT_PORTNAME, port);
        m_dialog.ShowWindow(SW_SHOW);
        m_dialog.UpdateWindow();
    }
    ~CPrintingScope()
    {
        if (m_main && m_main->GetSafeHwnd())
            m_main->EnableWindow(TRUE);
        if (m_dialog.GetSafeHwnd())
            m_dialog.DestroyWindow();
    }
    CPrintingScope(const CPrintingScope&) = delete;
    CPrintingScope& operator=(const CPrintingScope&) = delete;

    void ShowPage(UINT page)
    {
        if (m_dialog.GetSafeHwnd())
            m_dialog.SetPage(page);
    }

private:
    CWnd* m_main;
    CPrintingDialog m_dialog;
};

} // namespace

PrintResult PrintPages(const std::vector<CView*>& pages, const CPrintRequest& request)
{
    const UINT count = static_cast<UINT>(pages.size());
    if (request.fromPage < 1 || request.toPage < 1 || request.fromPage > count || request.toPage > count)
        return PrintResult::Failed;
    DEVMODE mode;
    GetDefaultDevMode(&mode);
    mode.dmCopies = static_cast<SHORT>(std::max(1, request.copies));
    CDC dc;
    const LPCTSTR output = request.output.IsEmpty() ? nullptr : static_cast<LPCTSTR>(request.output);
    if (!dc.CreateDC(nullptr, request.printer, output, &mode))
        return PrintResult::Failed;
    SetAbortProc(dc.GetSafeHdc(), AfxPrintAbortProc);
    CPrintingScope printing(request, request.printer);
    const DOCINFO document{sizeof(DOCINFO), request.documentName, output, nullptr, 0};
    if (StartDoc(dc.GetSafeHdc(), &document) <= 0)
        return PrintResult::Failed;
    const int step = request.toPage < request.fromPage ? -1 : 1;
    for (UINT page = request.fromPage;; page += step) {
        printing.ShowPage(page);
        if (!PrintPage(pages[page - 1], dc)) {
            AbortDoc(dc.GetSafeHdc());
            return AfxPrintCancelFlag() ? PrintResult::Cancelled : PrintResult::Failed;
        }
        if (page == request.toPage)
            break;
    }
    return EndDoc(dc.GetSafeHdc()) > 0 ? PrintResult::Printed : PrintResult::Failed;
}

std::vector<CView*> DocumentPagesOf(CView* view)
{
    CDocument* document = view->GetDocument();
    if (!document)
        return {view};
    std::vector<CView*> pages;
    for (POSITION pos = document->GetFirstViewPosition(); pos;)
        if (auto* page = dynamic_cast<CHyperRunView*>(document->GetNextView(pos)))
            pages.push_back(page);
    return pages;
}

CString JobNameOf(CView* view)
{
    CString name = view->GetDocument() ? view->GetDocument()->GetTitle() : CString();
    if (name.IsEmpty() && view->GetParentFrame())
        view->GetParentFrame()->GetWindowText(name);
    return name.Left(kMaxJobName);
}

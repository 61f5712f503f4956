// The page before and on paper: print preview, printing, and the bird's-eye window over the
// page.
#include "View/MyView.h"

#include "View/BirdsEyeWnd.h"
#include "View/PrintJob.h"
#include "View/ToolbarPreviewView.h"
#include "View/ViewText.h"
#include "platform/ui/CommonDialogs.h"
#include "platform/ui/Document.h"
#include "platform/ui/WinApp.h"

#include <algorithm>
#include <vector>

namespace {

// The framework's texts for a command that failed and a print job that failed.
constexpr UINT kCommandFailed = 61705, kPrintFailed = 61702;

} // namespace

void CMyView::OnFilePrintPreview()
{
    auto* state = new CPrintPreviewState;
    if (!DoPrintPreview(CToolbarPreviewView::PreviewBarResource, this, RUNTIME_CLASS(CToolbarPreviewView), state)) {
        AfxMessageBox(kCommandFailed);
        delete state;
    }
}

// The document's pages are the pages of the job; the current page is this view's.
void CMyView::OnFilePrint()
{
    const std::vector<CView*> pages = DocumentPagesOf(this);
    const auto count = static_cast<WORD>(pages.size());
    const auto current = static_cast<WORD>(std::find(pages.begin(), pages.end(), this) - pages.begin() + 1);
    CPrintDialog dialog(FALSE, PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOSELECTION | PD_HIDEPRINTTOFILE, this);
    dialog.m_pd.nMinPage = dialog.m_pd.nFromPage = 1;
    dialog.m_pd.nMaxPage = dialog.m_pd.nToPage = count;
    if (count == 0 || dialog.DoModal() != IDOK)
        return;
    CPrintRequest request;
    request.printer = dialog.GetDeviceName();
    request.output = dialog.GetPortName();
    if (request.printer != kPdfPrinterName)
        request.output.Empty();
    request.documentName = JobNameOf(this);
    request.fromPage = dialog.PrintRange() ? dialog.GetFromPage() : dialog.PrintCurrentPage() ? current : 1;
    request.toPage = dialog.PrintRange() ? dialog.GetToPage() : dialog.PrintCurrentPage() ? current : count;
    request.copies = dialog.GetCopies();
    if (PrintPages(pages, request) == PrintResult::Failed)
        AfxMessageBox(ViewText(kPrintFailed, "Failed to print document."), MB_ICONERROR);
}

// The window lives on its own and deletes itself when it closes.
void CMyView::OnBirdsEye()
{
    auto* window = new CBirdsEyeWnd(this, &m_birdsEyeSize);
    window->Open();
}

// Nothing that shows this view's page outlives it.
void CMyView::OnDestroy()
{
    CBirdsEyeWnd::CloseFor(this);
    CWnd* main = AfxGetMainWnd();
    auto* preview = main ? dynamic_cast<CPreviewView*>(main->GetDlgItem(AFX_IDW_PANE_FIRST)) : nullptr;
    if (preview && preview->m_pPrintView == this)
        preview->OnPreviewClose();
    CCatView::OnDestroy();
}

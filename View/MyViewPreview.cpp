// The page before and on paper: print preview, printing to the PDF printer, and the
// bird's-eye window over the page.
#include "View/MyView.h"

#include "View/BirdsEyeWnd.h"
#include "View/PrintJob.h"
#include "View/ToolbarPreviewView.h"
#include "platform/ui/CommonDialogs.h"
#include "platform/ui/Document.h"
#include "platform/ui/WinApp.h"

namespace {

// The framework's text for a command that failed.
constexpr UINT kCommandFailed = 61705;

} // namespace

void CMyView::OnFilePrintPreview()
{
    auto* state = new CPrintPreviewState;
    if (!DoPrintPreview(CToolbarPreviewView::PreviewBarResource, this, RUNTIME_CLASS(CToolbarPreviewView), state)) {
        AfxMessageBox(kCommandFailed);
        delete state;
    }
}

void CMyView::OnFilePrint()
{
    CPrintDialog dialog(FALSE);
    if (dialog.DoModal() != IDOK)
        return;
    const CString title = GetDocument() ? GetDocument()->GetTitle() : CString();
    if (!PrintViewToFile(this, dialog.GetPortName(), title))
        AfxMessageBox(kCommandFailed);
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

// The exports of the views ask the shell for their options dialog and progress display.
#include "shell/SaveAsWebsiteDlg.h"

#include "View/HyperRunView.h"
#include "View/PageExportHost.h"
#include "shell/MainFrame.h"
#include "shell/VantrelApp.h"

namespace {

class CShellExportHost : public CPageExportHost {
public:
    BOOL RunExportOptions(CHyperRunView* view, const CString& caption, CExportOptions& options) override
    {
        CSaveAsWebsiteDlg dialog(view, caption);
        if (dialog.DoModal() != IDOK)
            return FALSE;
        options = dialog.GetOptions();
        return TRUE;
    }
    void BeginProgress(int low, int high, int step, UINT captionId) override
    {
        if (CMainFrame* frame = GetMainFrame())
            frame->BeginProgress(low, high, step, captionId);
    }
    void StepProgress() override
    {
        if (CMainFrame* frame = GetMainFrame())
            frame->StepProgress();
    }
    void EndProgress() override
    {
        if (CMainFrame* frame = GetMainFrame())
            frame->EndProgress();
    }
};

} // namespace

void InstallPageExportHost()
{
    static CShellExportHost host;
    SetPageExportHost(&host);
}

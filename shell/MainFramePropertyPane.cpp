#include "shell/MainFrame.h"

#include "View/ViewPropertyDialog.h"
#include "controls/HyperColorDlg.h"
#include "controls/PropertiesDlg.h"
#include "controls/TabOrderDlg.h"
#include "platform/ui/WinApp.h"

namespace {

void ShowPropertiesPane()
{
    if (auto* frame = dynamic_cast<CMainFrame*>(AfxGetMainWnd()))
        frame->ShowPane(PaneProperties);
}

} // namespace

void CMainFrame::InstallPropertyPane()
{
    RegisterPropertyDialogFactory();
    RegisterTabOrderDialog();
    RegisterColourChooser();
    SetPropertyHostShower(ShowPropertiesPane);
}

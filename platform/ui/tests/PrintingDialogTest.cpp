// The printing dialog and the abort procedure: Cancel stops the job at the printer's next
// question; until then waiting messages are handled between pages.
#include "UiFixture.h"

#include "platform/ui/PrintingDialog.h"
#include "platform/ui/WinApp.h"

namespace {

class PrintingDialogTest : public UiTest {};

TEST_F(PrintingDialogTest, ItShowsThePageAndItsCancelStopsTheJob)
{
    AfxPrintCancelFlag() = FALSE;
    CPrintingDialog dialog;
    ASSERT_TRUE(dialog.Create(nullptr));
    dialog.SetPage(3);
    CString page;
    dialog.GetDlgItemText(AFX_IDC_PRINT_PAGENUM, page);
    EXPECT_EQ(page, CString("Page 3"));
    ASSERT_NE(dialog.GetDlgItem(IDCANCEL), nullptr);

    EXPECT_TRUE(AfxPrintAbortProc(nullptr, 0)) << "the job goes on";
    ::PostMessage(dialog.m_hWnd, WM_COMMAND, IDCANCEL, 0);
    EXPECT_FALSE(AfxPrintAbortProc(nullptr, 0)) << "the press waiting in the queue is handled, and it stops the job";
    EXPECT_TRUE(AfxPrintCancelFlag());
    EXPECT_EQ(dialog.GetSafeHwnd(), nullptr) << "Cancel closes the dialog";
    EXPECT_FALSE(AfxPrintAbortProc(nullptr, 0)) << "and the job stays cancelled";
    AfxPrintCancelFlag() = FALSE;
}

} // namespace

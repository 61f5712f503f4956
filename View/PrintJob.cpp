#include "View/PrintJob.h"

#include "platform/gdi/Dc.h"
#include "platform/gdi/Printer.h"
#include "platform/ui/View.h"

namespace {

BOOL PrintPages(CView* view, CDC& dc, CPrintInfo& info)
{
    info.m_rectDraw.SetRect(0, 0, dc.GetDeviceCaps(HORZRES), dc.GetDeviceCaps(VERTRES));
    for (UINT page = info.GetFromPage(); page <= info.GetToPage() && info.m_bContinuePrinting; ++page) {
        info.m_nCurPage = page;
        if (StartPage(dc.GetSafeHdc()) <= 0)
            return FALSE;
        view->OnPrepareDC(&dc, &info);
        view->OnPrint(&dc, &info);
        if (EndPage(dc.GetSafeHdc()) <= 0)
            return FALSE;
    }
    return TRUE;
}

} // namespace

BOOL PrintViewToFile(CView* view, LPCTSTR output, LPCTSTR documentName)
{
    CPrintInfo info;
    if (!view->OnPreparePrinting(&info))
        return FALSE;
    DEVMODE mode;
    GetDefaultDevMode(&mode);
    CDC dc;
    if (!dc.CreateDC(nullptr, kPdfPrinterName, output, &mode))
        return FALSE;
    const DOCINFO document{sizeof(DOCINFO), documentName, output, nullptr, 0};
    if (StartDoc(dc.GetSafeHdc(), &document) <= 0)
        return FALSE;
    view->OnBeginPrinting(&dc, &info);
    const BOOL printed = PrintPages(view, dc, info);
    view->OnEndPrinting(&dc, &info);
    if (!printed) {
        AbortDoc(dc.GetSafeHdc());
        return FALSE;
    }
    return EndDoc(dc.GetSafeHdc()) > 0;
}

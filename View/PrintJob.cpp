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

// One view's pages, between its beginning and end of printing.
BOOL PrintView(CView* view, CDC& dc)
{
    CPrintInfo info;
    if (!view->OnPreparePrinting(&info))
        return FALSE;
    view->OnBeginPrinting(&dc, &info);
    const BOOL printed = PrintPages(view, dc, info);
    view->OnEndPrinting(&dc, &info);
    return printed;
}

} // namespace

BOOL PrintViewToFile(CView* view, LPCTSTR output, LPCTSTR documentName)
{
    return PrintViewsToFile({view}, output, documentName);
}

BOOL PrintViewsToFile(const std::vector<CView*>& views, LPCTSTR output, LPCTSTR documentName)
{
    if (views.empty())
        return FALSE;
    DEVMODE mode;
    GetDefaultDevMode(&mode);
    CDC dc;
    if (!dc.CreateDC(nullptr, kPdfPrinterName, output, &mode))
        return FALSE;
    const DOCINFO document{sizeof(DOCINFO), documentName, output, nullptr, 0};
    if (StartDoc(dc.GetSafeHdc(), &document) <= 0)
        return FALSE;
    for (CView* view : views) {
        if (!PrintView(view, dc)) {
            AbortDoc(dc.GetSafeHdc());
            return FALSE;
        }
    }
    return EndDoc(dc.GetSafeHdc()) > 0;
}

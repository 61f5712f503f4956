// The page as a web page with an image map, as a picture file and as a PDF file.
#include "View/MyView.h"

#include "View/PageExport.h"
#include "View/PageExportHost.h"
#include "View/PageExportPicture.h"
#include "View/PrintJob.h"
#include "View/ViewText.h"
#include "objects/ShellServices.h"
#include "platform/ui/CmdUI.h"
#include "platform/ui/CommonDialogs.h"
#include "platform/ui/Document.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/WinApp.h"

#include <algorithm>
#include <vector>

namespace {

constexpr DWORD kSaveFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_EXPLORER;
constexpr UINT IDS_HTML_FILTER = 150, IDS_WRITING_IMAGE = 159, IDS_WRITING_HTML = 160, IDS_PDF_FILTER = 169;
constexpr UINT IDS_PRINT_FAILED = 61702;

// How each picture format is named on disk, by the web page and by the graphic export.
struct PictureFormat {
    const char* format;
    const char* webExtension;
    const char* extension;
    UINT filterId;
    const char* filter;
};

constexpr PictureFormat kFormats[] = {
    {"JPEG", ".jpg", "jpg", 165, "<JPEG (*.jpg)|*.jpg||>"},
    {"TIFF", ".tiff", "tif", 167, "<TIFF (*.tif)|*.tif||>"},
    {"BMP", ".bmp", "bmp", 168, "<Bitmap (*.bmp)|*.bmp||>"},
};

const PictureFormat* FindFormat(const CString& format)
{
    for (const PictureFormat& entry : kFormats)
        if (format == entry.format)
            return &entry;
    return nullptr;
}

CString LanguageText(const char* key)
{
    return GetShellServices().GetLanguageText(key);
}

// A save dialog over the view; the chosen path, or empty when cancelled.
CString AskSavePath(CWnd* owner, LPCTSTR extension, const CString& name, UINT filterId, LPCTSTR filterKey)
{
    const CString filter = ViewText(filterId, filterKey);
    CFileDialog dialog(FALSE, extension, name, kSaveFlags, filter, owner);
    return dialog.DoModal() == IDOK ? dialog.GetPathName() : CString();
}

// Writes the picture with its progress steps; a failure is shown with its reason.
BOOL WritePicture(const CExportOptions& options, const CString& path, CExportProgress& progress)
{
    const BOOL bitmap = options.format == "BMP";
    if (bitmap)
        progress.Step();
    CString error;
    const BOOL written = WriteExportPicture(options, options.format, path, error);
    if (bitmap)
        progress.Step();
    if (!written)
        AfxMessageBox(error, MB_ICONERROR);
    return written;
}

CString FolderOf(const CString& path)
{
    const int cut = std::max(path.ReverseFind('\\'), path.ReverseFind('/'));
    return cut < 0 ? CString() : path.Left(cut + 1);
}

} // namespace

void CMyView::OnUpdateExport(CCmdUI* cmdUI)
{
    cmdUI->Enable(GetObjectCount() > 0);
}

void CMyView::OnSaveAsWebsite()
{
    CDocument* document = GetDocument();
    const CString base = document ? ExportBaseName(*document) : CString("Page");
    const CString path = AskSavePath(this, "html", base + ".html", IDS_HTML_FILTER,
                                     "<HTML Files (*.html;*.htm)|*.html;*.htm|All Files (*.*)|*.*||>");
    const CString caption = LanguageText("Save as Website");
    CExportOptions options;
    if (path.IsEmpty() || !GetPageExportHost().RunExportOptions(this, caption, options) || options.picture.IsEmpty())
        return;
    const CString folder = FolderOf(path);
    CString title = path.Mid(folder.GetLength());
    if (const int dot = title.ReverseFind('.'); dot > 0)
        title = title.Left(dot);
    const PictureFormat* format = FindFormat(options.format);
    const CString pictureName = title + (format ? format->webExtension : "");
    {
        CExportProgress progress(0, 30, 10, IDS_WRITING_IMAGE);
        if (!WritePicture(options, folder + pictureName, progress))
            return;
    }
    const int count = GetObjectCount();
    CExportProgress progress(0, (count + 2) * 10, 10, IDS_WRITING_HTML);
    progress.Step();
    const CString areas = BuildImageMapAreas(GetObjects(), ExportZoomFactor(options.zoomText));
    progress.Step(count + 1);
    const CString page = BuildWebPage(title, pictureName, areas, options.pictureWidth, options.pictureHeight);
    if (!WriteTextFileCrLf(path, page))
        AfxMessageBox("The file " + path + " could not be written.", MB_ICONERROR);
    progress.Step();
}

void CMyView::OnExportGraphic()
{
    CExportOptions options;
    if (!GetPageExportHost().RunExportOptions(this, LanguageText("Export Graphic"), options) ||
        options.picture.IsEmpty())
        return;
    CExportProgress progress(0, 30, 10, IDS_WRITING_IMAGE);
    const PictureFormat* format = FindFormat(options.format);
    if (!format)
        return;
    CDocument* document = GetDocument();
    const CString base = document ? ExportBaseName(*document) : CString("Page");
    const CString path =
        AskSavePath(this, format->extension, base + "." + format->extension, format->filterId, format->filter);
    if (!path.IsEmpty())
        WritePicture(options, path, progress);
}

// The built-in printer writes PDF files itself, so the file is chosen where a printer driver
// would ask for it; every page of the document becomes one page of the file.
void CMyView::OnExportPdf()
{
    CDocument* document = GetDocument();
    const CString base = document ? ExportBaseName(*document) : CString("Page");
    const CString path = AskSavePath(this, "pdf", base + ".pdf", IDS_PDF_FILTER, "<PDF Files (*.pdf)|*.pdf||>");
    if (path.IsEmpty())
        return;
    const std::vector<CView*> pages = DocumentPagesOf(this);
    CPrintRequest request;
    request.printer = kPdfPrinterName;
    request.output = path;
    request.documentName = JobNameOf(this);
    request.toPage = static_cast<UINT>(pages.size());
    if (PrintPages(pages, request) == PrintResult::Failed)
        MessageBox(ViewText(IDS_PRINT_FAILED, "Failed to print document."), nullptr, MB_ICONERROR);
}

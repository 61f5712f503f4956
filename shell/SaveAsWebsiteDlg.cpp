#include "shell/SaveAsWebsiteDlg.h"

#include "View/HyperRunView.h"
#include "View/PageExportPicture.h"
#include "platform/gdi/Dc.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/WinApp.h"
#include "shell/JpegQualityDlg.h"
#include "shell/TiffOptionsDlg.h"
#include "shell/VantrelApp.h"

#include <cstdlib>

BEGIN_MESSAGE_MAP(CSaveAsWebsiteDlg, CDialog)
    ON_BN_CLICKED(CSaveAsWebsiteDlg::kAdjustId, OnAdjust)
    ON_CBN_SELCHANGE(CSaveAsWebsiteDlg::kFormatId, OnFormatChange)
END_MESSAGE_MAP()

namespace {

constexpr UINT IDS_TOO_LARGE = 158;
constexpr const char* kZoomSteps[] = {"25%", "50%", "75%", "100%", "150%", "200%", "300%", "400%"};
constexpr const char* kFormats[] = {"JPEG", "TIFF", "BMP"};

struct ResolutionEntry {
    UINT textId;
    int halves; // of the screen's dots per inch
};

constexpr ResolutionEntry kResolutions[] = {{161, 1}, {162, 2}, {163, 4}};

template <size_t count>
void FillList(CComboBox& list, const char* const (&items)[count], LPCTSTR selected)
{
    for (const char* item : items)
        list.AddString(item);
    list.SelectString(-1, selected);
}

} // namespace

CString ExportText(UINT id)
{
    CString key;
    key.LoadString(id);
    return GetLanguageText(key);
}

CSaveAsWebsiteDlg::CSaveAsWebsiteDlg(CHyperRunView* view, const CString& caption)
    : CDialog(IDD, view), m_view(view), m_caption(caption)
{
}

BOOL CSaveAsWebsiteDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetWindowText(m_caption);
    m_zooms.SubclassDlgItem(kZoomId, this);
    m_formats.SubclassDlgItem(kFormatId, this);
    m_resolutions.SubclassDlgItem(kResolutionId, this);
    FillList(m_zooms, kZoomSteps, "100%");
    FillList(m_formats, kFormats, "JPEG");
    FillResolutions();
    if (CWnd* adjust = GetDlgItem(kAdjustId))
        adjust->EnableWindow(TRUE);
    return TRUE;
}

void CSaveAsWebsiteDlg::FillResolutions()
{
    CClientDC dc(this);
    const int dpi = dc.GetDeviceCaps(LOGPIXELSX);
    for (const ResolutionEntry& entry : kResolutions) {
        const int index = m_resolutions.AddString(ExportText(entry.textId));
        m_resolutions.SetItemData(index, DWORD_PTR(dpi * entry.halves / 2));
    }
    m_resolutions.SetCurSel(1);
}

void CSaveAsWebsiteDlg::DoDataExchange(CDataExchange* dx)
{
    CDialog::DoDataExchange(dx);
    DDX_CBString(dx, kFormatId, m_options.format);
    DDX_CBString(dx, kZoomId, m_options.zoomText);
    DDX_CBString(dx, kResolutionId, m_resolutionText);
}

int CSaveAsWebsiteDlg::SelectedResolution()
{
    const int index = m_resolutions.GetCurSel();
    const int resolution = index == CB_ERR ? 0 : int(m_resolutions.GetItemData(index));
    return resolution == 0 ? kDefaultResolution : std::abs(resolution);
}

BOOL CSaveAsWebsiteDlg::Render()
{
    if (!UpdateData(TRUE) || !m_view)
        return FALSE;
    const CPageRenderRequest request{m_options.zoomText, ExportZoomFactor(m_options.zoomText), SelectedResolution()};
    if (request.zoom == m_lastZoom && request.resolution == m_lastResolution)
        return !m_options.picture.IsEmpty();
    double megabytes = 0;
    if (!RenderPagePicture(*m_view, request, m_options, megabytes)) {
        CString size;
        size.Format("%.2f", megabytes);
        CString text = ExportText(IDS_TOO_LARGE);
        text.Replace("%1", size);
        AfxMessageBox(text, MB_ICONHAND);
        return FALSE;
    }
    m_lastZoom = request.zoom;
    m_lastResolution = request.resolution;
    return TRUE;
}

// A picture too large to create keeps the dialog open for smaller settings.
void CSaveAsWebsiteDlg::OnOK()
{
    if (Render())
        EndDialog(IDOK);
}

void CSaveAsWebsiteDlg::OnAdjust()
{
    if (!Render())
        return;
    if (m_options.format == "JPEG") {
        int quality = m_options.jpegQuality;
        if (AskJpegQuality(quality))
            m_options.jpegQuality = quality;
    } else if (m_options.format == "TIFF") {
        int compression = m_options.tiffCompression;
        if (AskTiffCompression(compression))
            m_options.tiffCompression = WORD(compression);
    }
}

BOOL CSaveAsWebsiteDlg::AskJpegQuality(int& quality)
{
    CJpegQualityDlg dialog(m_options.picture, this);
    if (dialog.DoModal() != IDOK)
        return FALSE;
    quality = dialog.GetQuality();
    return TRUE;
}

BOOL CSaveAsWebsiteDlg::AskTiffCompression(int& compression)
{
    CTiffOptionsDlg dialog(this);
    if (dialog.DoModal() != IDOK)
        return FALSE;
    compression = dialog.GetCompression();
    return TRUE;
}

void CSaveAsWebsiteDlg::OnFormatChange()
{
    CWnd* adjust = GetDlgItem(kAdjustId);
    if (!adjust)
        return;
    CString format;
    const int index = m_formats.GetCurSel();
    if (index != CB_ERR)
        m_formats.GetLBText(index, format);
    adjust->EnableWindow(format != "BMP");
}

#include "shell/JpegQualityDlg.h"

#include "piclib/common/PLTextException.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/WinApp.h"
#include "shell/SaveAsWebsiteDlg.h"

BEGIN_MESSAGE_MAP(CJpegQualityDlg, CDialog)
    ON_WM_HSCROLL()
    ON_BN_CLICKED(CJpegQualityDlg::kZoomUpId, OnZoomUp)
    ON_BN_CLICKED(CJpegQualityDlg::kZoomDownId, OnZoomDown)
END_MESSAGE_MAP()

namespace {

constexpr UINT IDS_BEFORE = 151, IDS_AFTER = 152;
constexpr UINT kZoomUpIcon = 219, kZoomUpHoverIcon = 220, kZoomDownIcon = 217, kZoomDownHoverIcon = 218;
constexpr BYTE kIconSize = 32;

class WaitCursor {
public:
    WaitCursor() { AfxGetApp()->BeginWaitCursor(); }
    ~WaitCursor() { AfxGetApp()->EndWaitCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

} // namespace

CJpegQualityDlg::CJpegQualityDlg(const COXDIB& picture, CWnd* parent) : CDialog(IDD, parent)
{
    m_before.SetPicture(picture);
    m_after.SetPicture(picture);
}

BOOL CJpegQualityDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    WaitCursor wait;
    m_before.SubclassDlgItem(kBeforeId, this);
    m_after.SubclassDlgItem(kAfterId, this);
    m_slider.SubclassDlgItem(kSliderId, this);
    m_zoomUp.SubclassDlgItem(kZoomUpId, this);
    m_zoomDown.SubclassDlgItem(kZoomDownId, this);
    m_slider.SetRange(kSliderMin, kSliderMax);
    m_slider.SetPos(kSliderMin);
    m_sliderPos = kSliderMin;
    m_zoomUp.SetIcon(kZoomUpIcon, kZoomUpHoverIcon, kIconSize, kIconSize);
    m_zoomDown.SetIcon(kZoomDownIcon, kZoomDownHoverIcon, kIconSize, kIconSize);
    ShowPreview(m_before, kBeforeLabelId, IDS_BEFORE, 100);
    ShowPreview(m_after, kAfterLabelId, IDS_AFTER, 100);
    return TRUE;
}

void CJpegQualityDlg::DoDataExchange(CDataExchange* dx)
{
    CDialog::DoDataExchange(dx);
    DDX_Slider(dx, kSliderId, m_sliderPos);
}

void CJpegQualityDlg::ShowPreview(CCompressPreviewWnd& preview, UINT labelId, UINT textId, int quality)
{
    // The size goes in by replacement: a translated text is no format to trust.
    CString label = ExportText(textId);
    try {
        CString size;
        size.Format("%i", preview.RenderPreview(quality));
        label.Replace("%i", size);
    } catch (const PLTextException& e) {
        label = e.GetText();
    }
    SetDlgItemText(int(labelId), label);
    preview.Invalidate(TRUE);
}

// The slider tells its parent when the user lets it go.
void CJpegQualityDlg::OnHScroll(UINT code, UINT, CScrollBar*)
{
    if (code == TB_ENDTRACK)
        OnSliderReleased();
}

void CJpegQualityDlg::OnSliderReleased()
{
    WaitCursor wait;
    m_sliderPos = m_slider.GetPos();
    ShowPreview(m_after, kAfterLabelId, IDS_AFTER, QualityAt(m_sliderPos));
}

void CJpegQualityDlg::OnZoomUp()
{
    ++m_zoom;
    m_before.SetZoom(m_zoom);
    m_after.SetZoom(m_zoom);
}

void CJpegQualityDlg::OnZoomDown()
{
    if (m_zoom > 1)
        --m_zoom;
    m_before.SetZoom(m_zoom);
    m_after.SetZoom(m_zoom);
}

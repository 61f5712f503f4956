// Shows a picture before and after JPEG compression and lets the user choose the quality with
// a slider: left end 100, right end 30.
#pragma once

#include "controls/FlatButton.h"
#include "imaging/CompressPreviewWnd.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/RangeCtrls.h"

class CScrollBar;

class CJpegQualityDlg : public CDialog {
public:
    static constexpr UINT IDD = 216, kSliderId = 1042, kBeforeId = 1043, kAfterId = 1044, kBeforeLabelId = 1046,
                          kAfterLabelId = 1047, kZoomUpId = 1050, kZoomDownId = 1051;
    static constexpr int kSliderMin = 30, kSliderMax = 100;

    CJpegQualityDlg(const COXDIB& picture, CWnd* parent);

    // The quality of the slider position: 130 minus the position.
    int GetQuality() const { return QualityAt(m_sliderPos); }
    static int QualityAt(int sliderPos) { return 130 - sliderPos; }
    int GetPreviewZoom() const { return m_zoom; }
    CCompressPreviewWnd& GetAfterPreview() { return m_after; }

    void OnSliderReleased();
    void OnZoomUp();
    void OnZoomDown();
    void OnHScroll(UINT code, UINT pos, CScrollBar* bar);

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;

    DECLARE_MESSAGE_MAP()

private:
    // Compresses into a preview and shows the size under its label.
    void ShowPreview(CCompressPreviewWnd& preview, UINT labelId, UINT textId, int quality);

    CCompressPreviewWnd m_before;
    CCompressPreviewWnd m_after;
    CSliderCtrl m_slider;
    CFlatButton m_zoomUp;
    CFlatButton m_zoomDown;
    int m_sliderPos = 100;
    int m_zoom = 1;
};

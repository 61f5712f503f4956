// The export options: zoom, picture format and resolution. OK renders the page into a picture
// for the web page and graphic exports; "Adjust..." lets the user choose the JPEG quality or
// the TIFF compression first.
#pragma once

#include "View/PageExport.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/Dialog.h"

class CHyperRunView;

class CSaveAsWebsiteDlg : public CDialog {
public:
    static constexpr UINT IDD = 212, kZoomId = 1040, kFormatId = 1041, kAdjustId = 1053, kResolutionId = 1054;
    static constexpr int kDefaultResolution = 120;

    CSaveAsWebsiteDlg(CHyperRunView* view, const CString& caption);

    // What the exports read after OK.
    const CExportOptions& GetOptions() const { return m_options; }
    const CString& GetResolutionText() const { return m_resolutionText; }

    void OnAdjust();
    void OnFormatChange();

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    void OnOK() override;
    // The quality and compression dialogs; FALSE when cancelled.
    virtual BOOL AskJpegQuality(int& quality);
    virtual BOOL AskTiffCompression(int& compression);

    DECLARE_MESSAGE_MAP()

private:
    // The picture for the current settings, rendered again only when they changed. FALSE, after
    // telling the user, when the picture would be too large.
    BOOL Render();
    int SelectedResolution();
    void FillResolutions();

    CHyperRunView* m_view;
    CString m_caption;
    CExportOptions m_options;
    CString m_resolutionText;
    double m_lastZoom = -1.0;
    int m_lastResolution = -1;
    CComboBox m_zooms;
    CComboBox m_formats;
    CComboBox m_resolutions;
};

// The text of a string resource of the export dialogs in the current language.
CString ExportText(UINT id);

// Lets the views' exports ask for their options and show progress in the main frame.
void InstallPageExportHost();

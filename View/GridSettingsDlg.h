// The "<Worksheet Grid>" dialog: grid and snap switches, grid spacing and the four guide
// lines of a page, edited in place through the pointers given to the constructor.
#pragma once

#include "platform/ui/Dialog.h"

class CGridSettingsDlg : public CDialog {
public:
    static constexpr UINT IDD = 27907;
    static constexpr UINT IDC_SHOW_GRID = 27661;
    static constexpr UINT IDC_SNAP_GRID = 27658;
    static constexpr UINT IDC_SNAP_CENTER = 27666;
    static constexpr UINT IDC_WIDTH = 27659;
    static constexpr UINT IDC_HEIGHT = 27660;
    static constexpr UINT IDC_GUIDE_LEFT = 27662; // top, right, bottom follow
    static constexpr UINT IDS_SPACING_EVEN = 27009;

    // guides: left, top, right, bottom, or NULL to leave the guide controls disabled.
    CGridSettingsDlg(DWORD* flags, DWORD* steps, int* guides, CWnd* parent = nullptr);

    BOOL OnInitDialog() override;
    void OnOK() override;

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    void EnableSnapToCenter();
    void ExchangeStep(CDataExchange* dx, UINT id, int& step);

    DWORD* m_flags;
    DWORD* m_steps;
    int* m_guides;
    int m_showGrid;
    int m_snapGrid;
    int m_snapCenter;
    int m_width;
    int m_height;
    int m_guideValues[4] = {0, 0, 0, 0};
};

// Registers the dialog's template when it is not registered yet.
void RegisterGridSettingsTemplate();

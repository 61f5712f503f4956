// The bitmap editor: a paint control with its tool bar and a zoom slider.
#pragma once

#include "imaging/paint/PntCtrl.h"
#include "imaging/paint/PntDlg.h"
#include "imaging/paint/PntToolBar.h"
#include "platform/ui/RangeCtrls.h"

class CPntBitmapEditDlg : public CPntDlg {
    DECLARE_DYNAMIC(CPntBitmapEditDlg)
public:
    static constexpr UINT TemplateId = 28101;
    static constexpr UINT IdSlider = 28000, IdLabel10 = 28001, IdLabel100 = 28002, IdLabel600 = 28003,
                          IdPaint = 28004, IdToolBarPlace = 28005, IdSizeGrip = 28023;

    explicit CPntBitmapEditDlg(CWnd* parent = nullptr);

    CPntCtrl& GetPaintCtrl() { return m_Ctrl; }
    CPntToolBar& GetToolBar() { return m_ToolBar; }
    CSliderCtrl& GetSlider() { return m_Slider; }
    BOOL OnInitDialog() override;

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    void OnVScroll(UINT code, UINT pos, CScrollBar* bar);
    void OnSize(UINT type, int cx, int cy);
    void OnGetMinMaxInfo(MINMAXINFO* info);

    DECLARE_MESSAGE_MAP()

private:
    void PlaceSlider();
    void FitToWidth(int cx);

    CSliderCtrl m_Slider;
    CPntCtrl m_Ctrl;
    CPntToolBar m_ToolBar;
    // The client width the resize rules start from, and the narrowest window.
    int m_nFullWidth = 0;
    int m_nNarrowest = 0;
    BOOL m_bLaidOut = FALSE;
};

// The tool bar of an editor dialog over its placeholder and the text bar of its control;
// shared by both editors.
BOOL AttachPaintBars(CDialog* dialog, CPntCtrl& ctrl, CPntToolBar& bar);
// TRUE when the notification came from the paint control and was one that changes the bar.
BOOL IsPaintStateNotify(const NMHDR* header);
// An item's rectangle in its dialog's client area; empty when the dialog has no such item.
CRect DlgItemRect(const CWnd* dialog, UINT id);
void ShiftDlgItem(CWnd* dialog, UINT id, CPoint by);
// Wraps the tool bar into the rows its placeholder, `narrower` pixels less wide, needs; returns
// how far the rows reach below the placeholder, which the items under it move down by.
int FitPaintBar(CWnd* dialog, CPntToolBar& bar, int narrower);

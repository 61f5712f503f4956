// The icon editor: a 32 x 32 picture at 700 % with a preview at its own size, transparency
// taken from the icon's mask.
#pragma once

#include "imaging/paint/PntCtrl.h"
#include "imaging/paint/PntDlg.h"
#include "imaging/paint/PntToolBar.h"

class CPntIconEditDlg : public CPntDlg {
    DECLARE_DYNAMIC(CPntIconEditDlg)
public:
    static constexpr UINT TemplateId = 28102;
    static constexpr UINT IdPreview = 28006;
    static constexpr int IconZoom = 700;

    explicit CPntIconEditDlg(CWnd* parent = nullptr);

    CPntCtrl& GetPaintCtrl() { return m_Ctrl; }
    CPntToolBar& GetToolBar() { return m_ToolBar; }
    // Loads the picture and takes its transparency from the mask.
    BOOL SetIcon(const CDib* image, const CDib* mask);
    BOOL OnInitDialog() override;

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    void OnPaint();
    void OnDrawItem(int id, LPDRAWITEMSTRUCT item);
    void OnSize(UINT type, int cx, int cy);

    DECLARE_MESSAGE_MAP()

private:
    void PaintPreview(CDC& dc, const CRect& r);
    void SquareWindow(UINT id, int side);

    CPntCtrl m_Ctrl;
    CPntToolBar m_ToolBar;
    // Set once the flexible layout holds the items, so sizing may lay the bar's rows out.
    BOOL m_bLaidOut = FALSE;
};

// A tool bar that paints itself flat: a button shows an edge only while the mouse is over
// it or while it is checked, and the parent can take part through NM_CUSTOMDRAW.
#pragma once

#include "platform/gdi/GdiObject.h"
#include "platform/gdi/ImageList.h"
#include "platform/ui/ControlBar.h"

#include <vector>

class CToolBarEx : public CToolBar {
    DECLARE_DYNAMIC(CToolBarEx)
public:
    CToolBarEx();

    // The buttons and, from the bitmap of the same id, their pictures.
    BOOL LoadToolBar(UINT resourceId);
    void SetFlat(BOOL flat);
    int GetHotIndex() const { return m_hot; }
    CPoint GetImageOffset() const { return m_imageOffset; }
    void UpdateImageOffset();
    void OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler) override;
    CSize CalcFixedLayout(BOOL stretch, BOOL horizontal) override;
    // How far the buttons sit from the window's top left corner, past the gripper when one shows.
    CSize GetClientOffset() const;
    // A 3-D light equal to the face would not show checked buttons, so they take the highlight.
    static COLORREF CheckedColour(COLORREF face, COLORREF highlight, COLORREF light);

    BOOL m_flat = TRUE;

protected:
    void OnPaint();
    void OnMouseMove(UINT flags, CPoint point);
    void OnTimer(UINT_PTR id);
    int OnCreate(LPCREATESTRUCT cs);
    void OnNcCalcSize(BOOL calcValidRects, NCCALCSIZE_PARAMS* params);
    void OnNcPaint();
    LRESULT OnSysColorChange(WPARAM, LPARAM);
    LRESULT OnSetButtonSize(WPARAM, LPARAM size);
    LRESULT OnSetBitmapSize(WPARAM, LPARAM size);

    DECLARE_MESSAGE_MAP()

private:
    void ReadColours();
    LRESULT CustomDraw(CDC& dc, DWORD stage, const CRect& rect, UINT command, UINT state);
    void DrawSeparator(CDC& dc, const CRect& rect);
    void DrawGripper(CDC& dc, const CRect& window);
    bool HasGripper() const;
    bool HasButtonText() const;
    void DrawButton(CDC& dc, int index, const CRect& rect, CImageList& images);
    bool Pressed(UINT style) const { return (style & (TBBS_CHECKED | TBBS_PRESSED)) != 0; }
    bool Disabled(UINT style) const { return (style & TBBS_DISABLED) != 0; }

    CPoint m_imageOffset{0, 0};
    COLORREF m_face = 0, m_highlight = 0, m_shadow = 0, m_light = 0;
    int m_hot = -1;
    UINT_PTR m_timer = 0;
    std::vector<UINT> m_savedStyles;
    HWND m_notifyParent = nullptr;
    CImageList m_images;
};

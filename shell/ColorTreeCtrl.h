// A tree that paints off-screen without flicker and draws each item's text itself: in the
// item's own colour and font, bold, hot-tracked and selected.
#pragma once

#include "platform/toolkit/XTTreeCtrl.h"

class CDC;

class CColorTreeCtrl : public CXTTreeCtrl {
public:
    void OnPaint();
    // The system's tree, then every visible item's text drawn again over it.
    void DrawItems(CDC* dc, const CRect& client);
    // The tree's own background colour, else the window colour (3D face when disabled).
    COLORREF GetBackColor() const;

private:
    struct ItemColors {
        COLORREF text;
        COLORREF back;
    };
    COLORREF NormalTextColor() const;
    BOOL IsHot(const CRect& textRect) const;
    ItemColors ColorsOf(HTREEITEM item, UINT state, BOOL focus) const;
    HFONT CreateItemFont(HTREEITEM item, BOOL hot) const;
    void DrawItem(CDC* dc, HTREEITEM item, BOOL focus);

    DECLARE_MESSAGE_MAP()
};

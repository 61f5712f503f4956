// How command bars look: one of four themes, switched at run time, and the drawing of bars,
// controls, grippers and separators in the current theme.
#pragma once

#include "platform/core/Geometry.h"
#include "platform/core/String.h"
#include "platform/gdi/GdiTypes.h"

class CDC;
class CFont;
class CXTPCommandBar;
class CXTPControl;

// Colours of one theme.
struct XTPThemeColors {
    COLORREF barFace;
    COLORREF barBorder;
    COLORREF gripper;
    COLORREF hotFace;
    COLORREF hotBorder;
    COLORREF checkedFace;
    COLORREF pressedFace;
    COLORREF text;
    COLORREF hotText;
    COLORREF disabledText;
    COLORREF popupFace;
    COLORREF popupIconColumn;
    COLORREF separator;
    COLORREF paneCaption;
    COLORREF paneCaptionText;
};

class CXTPPaintManager {
public:
    // Themes: 0 classic raised, 1 flat, 2 blue gradient, 3 system look.
    static constexpr int kThemeCount = 4;
    static void SetTheme(int theme);
    static int GetCurrentTheme();
    // FALSE until the first theme is set or the first bar draws.
    static BOOL IsCreated();
    static CXTPPaintManager* Get();

    const XTPThemeColors& Colors() const;
    static const XTPThemeColors& ThemeColors(int theme);
    // A system colour index seen through the theme (button text, face, highlight).
    COLORREF GetThemeColor(int index) const;
    CFont* GetFont() const;

    void FillCommandBar(CDC* dc, CXTPCommandBar* bar, const CRect& rect) const;
    void DrawGripper(CDC* dc, const CRect& rect, BOOL horizontal) const;
    void DrawSeparator(CDC* dc, const CRect& rect, BOOL horizontal) const;
    // The face and frame of a control in its state (hot, pressed, checked).
    void DrawControlFace(CDC* dc, CXTPControl* control, const CRect& rect, BOOL inPopup) const;
    void FillControlBackground(CDC* dc, CXTPControl* control) const;
    // A whole button: face, icon and caption as its style says.
    void DrawButton(CDC* dc, CXTPControl* control) const;
    CSize ButtonSize(CDC* dc, CXTPControl* control) const;
    // A row of a drop-down menu (not of a drop-down tool bar).
    static BOOL IsMenuRow(const CXTPControl* control);
    void DrawDropArrow(CDC* dc, const CRect& rect, BOOL enabled, BOOL right) const;
    void DrawCheckMark(CDC* dc, const CRect& rect) const;
    // The check of a menu row: a mark, or a framed square behind its icon.
    void DrawMenuCheck(CDC* dc, const CRect& column, BOOL hasIcon) const;
    // Caption text with its '&' mnemonic.
    void DrawCaption(CDC* dc, const CString& caption, CRect rect, UINT format, BOOL enabled) const;
    CSize MeasureCaption(CDC* dc, const CString& caption) const;

private:
    CXTPPaintManager() = default;
    int m_theme = 1;
};

// The paint manager (made on first use).
inline CXTPPaintManager* XTPPaintManager() { return CXTPPaintManager::Get(); }

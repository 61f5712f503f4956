// An owner-drawn button with an icon and its text on a flat face that lights up while the
// mouse is over it; drawn through an off-screen DC.
#pragma once

#include "platform/ui/Button.h"

class CFlatButton : public CButton {
public:
    CFlatButton();

    // Icons from the module's resources; without a second id the first serves both states.
    BOOL SetIcon(UINT iconId, UINT hoverIconId, BYTE width, BYTE height);

    void ResetNormalBackground(BOOL repaint = TRUE);
    void ResetNormalText(BOOL repaint = TRUE);
    void ResetHoverBackground(BOOL repaint = TRUE);
    void ResetHoverText(BOOL repaint = TRUE);
    COLORREF GetNormalBackground() const { return m_normalBack; }
    COLORREF GetNormalText() const { return m_normalText; }
    COLORREF GetHoverBackground() const { return m_hoverBack; }
    COLORREF GetHoverText() const { return m_hoverText; }
    BOOL IsMouseOver() const { return m_mouseOver; }

    // 0: icon left, text after it; 1: icon centred at the top, text below.
    int m_iconLayout = 0;
    BOOL m_showText = TRUE;
    BOOL m_flatPress = TRUE;
    BOOL m_tracking = TRUE;

    void DrawItem(LPDRAWITEMSTRUCT dis) override;
    void PreSubclassWindow() override;

protected:
    void OnMouseMove(UINT flags, CPoint point);
    void OnKillFocus(CWnd* next);

    DECLARE_MESSAGE_MAP()

private:
    void Repaint(BOOL repaint);
    void DrawFrame(CDC& dc, CRect& rect, UINT state);
    CRect DrawIconPart(CDC& dc, const CRect& rect, UINT state, bool hover);
    void DrawTextPart(CDC& dc, CRect textRect, UINT state, bool hover);

    BOOL m_mouseOver = FALSE;
    HICON m_iconHover = nullptr;
    HICON m_iconNormal = nullptr;
    BYTE m_iconHeight = 0;
    BYTE m_iconWidth = 0;
    COLORREF m_normalBack, m_normalText, m_hoverBack, m_hoverText;
};

// A static text that acts as a hyperlink: underlined, coloured by its state, opened with a
// click or a key while it has the focus. Only web addresses are ever opened.
#pragma once

#include "platform/gdi/GdiObject.h"
#include "platform/ui/Static.h"
#include "platform/ui/ToolTipCtrl.h"

#include <string>

class TWebLink : public CStatic {
public:
    static constexpr COLORREF kNormal = RGB(0, 0, 255);
    static constexpr COLORREF kVisited = RGB(128, 0, 128);
    static constexpr COLORREF kFocused = RGB(0, 128, 128);
    static constexpr COLORREF kHover = RGB(255, 0, 0);

    // Takes over the dialog's static control and shows the text.
    BOOL Attach(CWnd* parent, int id, const std::string& text, const std::string& target);
    // A new target also becomes the tooltip text; the label resizes to its text.
    void SetTarget(const std::string& target);
    const std::string& GetTarget() const { return m_target; }
    // What the tip shows when the mouse rests on the label.
    std::string GetToolTipText() const;
    BOOL PreTranslateMessage(MSG* msg) override;
    bool IsVisited() const { return m_visited; }
    COLORREF TextColour() const;
    // http and https addresses go to the desktop's opener; anything else, or a failure, beeps.
    bool Open();

protected:
    void OnPaint();
    void OnLButtonUp(UINT flags, CPoint point);
    void OnKeyDown(UINT ch, UINT repeat, UINT flags);
    void OnMouseMove(UINT flags, CPoint point);
    void OnSetFocus(CWnd* oldWnd);
    void OnKillFocus(CWnd* newWnd);
    BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);

    DECLARE_MESSAGE_MAP()

private:
    void sizeToText();

    std::string m_target;
    CToolTipCtrl m_tip;
    CFont m_font;
    bool m_visited = false;
    bool m_hover = false;
    bool m_focused = false;
};

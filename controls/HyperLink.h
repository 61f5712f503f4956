// A static text that shows a web address or file link as underlined coloured text with the
// address as its tip, and opens it with the desktop's handler when clicked.
#pragma once

#include "platform/gdi/GdiObject.h"
#include "platform/ui/Static.h"
#include "platform/ui/ToolTipCtrl.h"

class CHyperLink : public CStatic {
public:
    static constexpr COLORREF LinkColour = RGB(0, 0, 238);
    static constexpr COLORREF VisitedColour = RGB(85, 26, 139);

    CHyperLink();

    void SetUrl(const CString& url);
    const CString& GetUrl() const { return m_url; }
    void SetVisited(BOOL visited);
    BOOL IsVisited() const { return m_visited; }
    // The colour the text shows in now: hover, visited or link.
    COLORREF GetTextColour() const;

    // Opens the address; above 32 is success. Only web and mail addresses and documents are
    // opened, as one argument of the desktop's opener; anything else is refused as denied.
    static int GotoURL(const CString& url, int showCommand);
    // "Unable to open hyperlink:..." with the text for a failed open's code.
    static CString ErrorText(int code);

    void PreSubclassWindow() override;
    BOOL PreTranslateMessage(MSG* msg) override;

    void OnPaint();
    BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
    void OnMouseMove(UINT flags, CPoint point);
    void OnClicked();

private:
    // Shrinks the window to its text as its alignment says.
    void SizeToText();

    COLORREF m_hoverColour;
    BOOL m_mouseOver = FALSE;
    BOOL m_visited = FALSE;
    BOOL m_underline = TRUE;
    BOOL m_autoSize = TRUE;
    CString m_url;
    CFont m_font;
    HCURSOR m_cursor = nullptr;
    CToolTipCtrl m_tip;

    DECLARE_MESSAGE_MAP()
};

// The program's own help viewer: one window that shows the HTML help pages, follows the
// links between them, goes Back and Forward, and hands web and mail addresses to the desktop.
#pragma once

#include "platform/ui/Button.h"
#include "platform/ui/Wnd.h"

#include <memory>

class HelpPages;

class CHelpWindow : public CWnd {
public:
    // Shows the page (a program file name) in the help window, made when there is none, owned
    // by `owner`, and brings it to the front. NULL, showing nothing, when the page can't be read.
    static CHelpWindow* ShowPage(CWnd* owner, const CString& page);
    // The help window while it is open.
    static CHelpWindow* Current();

    // A link of a page: another page opens here, a web or mail address on the desktop.
    void Follow(const std::string& address);
    void GoBack();
    void GoForward();

protected:
    void PostNcDestroy() override;

    void OnPaint();
    BOOL OnEraseBkgnd(CDC* dc);
    void OnSize(UINT type, int cx, int cy);
    void OnLButtonUp(UINT flags, CPoint point);
    BOOL OnMouseWheel(UINT flags, short delta, CPoint point);
    void OnVScroll(UINT code, UINT pos, CScrollBar* bar);
    BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
    void OnKeyDown(UINT ch, UINT repeat, UINT flags);
    DECLARE_MESSAGE_MAP()

private:
    CHelpWindow();
    ~CHelpWindow() override;
    BOOL Make(CWnd* owner);
    BOOL Open(const std::string& page);
    // After the page changed: caption, buttons, scroll bar, picture.
    void Shown();
    CRect PageArea() const;
    std::string LinkAt(CPoint client) const;
    void ScrollTo(int top);

    std::unique_ptr<HelpPages> m_pages;
    CButton m_back;
    CButton m_forward;
    int m_top = 0;
};

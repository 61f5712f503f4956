// The small floating tip that shows a value (the angle while an object turns) below the
// object, in the system's tooltip colours.
#pragma once

#include "platform/ui/Wnd.h"

class CTipWnd : public CWnd {
public:
    static constexpr int kFontPoints = 10;

    // Creates the window on first use, then places and shows it; FALSE when it cannot be made.
    // x, y: the object's centre in the parent's client coordinates; width, height: its extent.
    BOOL Show(CWnd* parent, int x, int y, int width, int height, LPCTSTR text);
    BOOL Create(CWnd* parent);
    void Place(CWnd* parent, int x, int y, int width, int height, LPCTSTR text);

    void OnPaint();
    void OnGetMinMaxInfo(MINMAXINFO* info);

private:
    HFONT m_hFont = nullptr;

    DECLARE_MESSAGE_MAP()
};

// The tabs above the property list: equal-width tabs for the property pages.
#pragma once

#include "platform/core/Arrays.h"
#include "platform/ui/Static.h"

class CPropTabStrip : public CStatic {
public:
    CPropTabStrip() = default;

    void Reset(BOOL redraw);
    // The tab at a client x becomes current; -1 without tabs.
    int HitTest(int x);
    int GetCurrent() const { return m_current; }
    int GetCount() const { return m_count; }
    void SetCount(int count) { m_count = count; }
    // Tab i of count over a width: equal widths, the remainder one pixel each from the left.
    static CRect TabRect(int index, int count, int width, int height);
    static void ClientRectOnScreen(CWnd* window, CRect* out);

    CStringArray m_captions;

protected:
    void OnPaint();
    void DrawTabFrame(CDC* dc, CRect tab, BOOL selected);

    int m_current = 0;
    int m_count = 0;

    DECLARE_MESSAGE_MAP()
};

// CDragListBox: a list box whose rows are moved by dragging them with the left button; the
// drag steps are virtual so that derived lists can draw and move rows their own way.
#pragma once

#include "platform/ui/ListBox.h"

constexpr UINT DL_STOPCURSOR = 1, DL_COPYCURSOR = 2, DL_MOVECURSOR = 3;

class CDragListBox : public CListBox {
    DECLARE_DYNAMIC(CDragListBox)
public:
    int m_nLast = -1; // the row the insertion mark is drawn before, -1 for none

    // The row under a screen point, -1 when there is none.
    int ItemFromPt(CPoint pt, BOOL autoScroll = TRUE) const;

    // Asked when the button goes down on a row; FALSE refuses the drag.
    virtual BOOL BeginDrag(CPoint pt);
    virtual void CancelDrag(CPoint pt);
    // Called as the mouse moves; returns the cursor kind.
    virtual UINT Dragging(CPoint pt);
    // Moves row srcIndex before the row under pt.
    virtual void Dropped(int srcIndex, CPoint pt);
    virtual void DrawInsert(int index);

    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    void OnLButtonDown(UINT flags, CPoint point);
    void OnMouseMove(UINT flags, CPoint point);
    void OnLButtonUp(UINT flags, CPoint point);
    void OnCaptureChanged(CWnd* wnd);

    DECLARE_MESSAGE_MAP()

private:
    void endDrag(CPoint screenPt, bool drop);
    void drawMark(int index);

    int m_dragFrom = -1;
};

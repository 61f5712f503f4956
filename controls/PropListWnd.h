// The grid of the Properties dialog: an owner-drawn list box whose rows show a property's
// name and value in two columns with a draggable splitter, and which hands keys and clicks
// to the dialog that opens the in-place editors.
#pragma once

#include "platform/ui/ListBox.h"

class CPropertiesDlg;

class CPropListWnd : public CListBox {
public:
    static constexpr int ButtonWidth = 16;

    CPropListWnd() = default;

    virtual int GetRowHeight() const;
    virtual int GetClientWidth() const;
    // Sets the name column from a reference width (-1: the client width) while no width was
    // set in this run; TRUE when the program-wide width changed.
    virtual BOOL SetNameWidth(int referenceWidth);
    void MeasureItem(LPMEASUREITEMSTRUCT mis) override;
    void DrawItem(LPDRAWITEMSTRUCT dis) override;
    int CompareItem(LPCOMPAREITEMSTRUCT cis) override;

    // The width limited to the client area; the first width of the run has a minimum.
    int ClampNameWidth(int width, int margin);
    static int GetNameWidth();
    static void SetProgramNameWidth(int width);
    void SetOwnerDialog(CPropertiesDlg* dialog) { m_dialog = dialog; }
    BOOL IsDragging() const { return m_dragging; }

    int m_margin = 1;
    // Item data of the row whose editor is open, -1 for none.
    INT_PTR m_trackedRow = -1;

protected:
    virtual void DrawNameCell(CDC* dc, const CRect& cell, INT_PTR data, BOOL selected);
    virtual void DrawValueCell(CDC* dc, const CRect& cell, INT_PTR data, BOOL selected);

    void OnHScroll(UINT code, UINT pos, CScrollBar* bar);
    void OnVScroll(UINT code, UINT pos, CScrollBar* bar);
    void OnKeyDown(UINT key, UINT repeat, UINT flags);
    void OnKeyUp(UINT key, UINT repeat, UINT flags);
    void OnChar(UINT ch, UINT repeat, UINT flags);
    void OnLButtonDown(UINT flags, CPoint point);
    void OnRButtonDown(UINT flags, CPoint point);
    void OnMouseMove(UINT flags, CPoint point);
    void OnLButtonUp(UINT flags, CPoint point);
    void OnKillFocus(CWnd* next);
    void OnSize(UINT type, int cx, int cy);
    BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
    BOOL OnEraseBkgnd(CDC* dc);
    void EndDrag();
    BOOL IsOnSplitter(int x) const;

    BOOL m_dragging = FALSE;
    CPropertiesDlg* m_dialog = nullptr;

    DECLARE_MESSAGE_MAP()
};

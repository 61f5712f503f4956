// An owner-drawn list of records (each row's data is a record pointer, no strings) whose rows
// are reordered by dragging; an inverted bar marks where the dragged row would go. A placeholder
// row (record 0) is added while dragging so that a row can be dropped behind the last one.
#pragma once

#include "platform/gdi/GdiObject.h"
#include "platform/ui/DragListBox.h"

class CDC;

// The insertion bar of a list: 4 pixels high over the row's top edge, `inset` pixels in from both
// ends, with end marks `arm` pixels wide; inverted, so drawing it twice takes it away.
void InvertInsertionBar(CWnd& list, const CRect& row, int inset, int arm);

class CInsertDragListBox : public CDragListBox {
public:
    // Both fonts come from the given dialog font: the first draws the rows, the second is for
    // derived lists (a bold variant, for instance).
    virtual void SetListFont(const LOGFONT& font);
    void EnableDrag(BOOL enable) { m_dragEnabled = enable; }
    BOOL IsDragEnabled() const { return m_dragEnabled; }
    int GetInsertMark() const { return m_insertMark; }

    CObject* GetRecord(int row) const;
    int FindRecord(const CObject* record) const;
    // Appends or inserts a row for the record; returns its index.
    int AddRecord(CObject* record);
    int InsertRecord(int row, CObject* record);

    BOOL BeginDrag(CPoint pt) override;
    void CancelDrag(CPoint pt) override;
    UINT Dragging(CPoint pt) override;
    void Dropped(int srcIndex, CPoint pt) override;
    void DrawInsert(int index) override;

    void DrawItem(LPDRAWITEMSTRUCT dis) override;
    void MeasureItem(LPMEASUREITEMSTRUCT mis) override;

    // What derived lists fill in.
    virtual void DrawItemContent(CDC* dc, const CRect& rect, CObject* record);
    virtual BOOL CanMove(int from, int to);
    virtual void Move(int from, int to);

protected:
    CFont m_font;
    CFont m_extraFont;

private:
    void RemovePlaceholder();
    void InvertMark(int index);
    int RowHeight();

    BOOL m_dragEnabled = FALSE;
    int m_insertMark = -1;
};

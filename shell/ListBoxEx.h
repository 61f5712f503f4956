// A list box whose rows are reordered by dragging or with Alt and the arrow keys and edited in
// place (F2, double click, BeginNewRow) with an edit laid over the row.
#pragma once

#include "View/InPlaceEdit.h"
#include "platform/ui/DragListBox.h"

#include <memory>

class CListBoxEx : public CDragListBox {
    DECLARE_DYNCREATE(CListBoxEx)
public:
    // Item data of the row drawn as "--- Last Item".
    static constexpr DWORD_PTR kLastItemData = 0x45424558;
    static constexpr DWORD kListStyles = WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOTIFY | LBS_OWNERDRAWFIXED |
                                         LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT | LBS_WANTKEYBOARDINPUT |
                                         LBS_EXTENDEDSEL | LBS_DISABLENOSCROLL;

    CListBoxEx();
    ~CListBoxEx() override;

    virtual BOOL CanEditRow(int row);
    // TRUE (above 0) takes the edited text; called with cancelled TRUE on Escape.
    virtual BOOL OnEndEditRow(int row, BOOL cancelled);
    virtual LRESULT OnEditNotify(int row);

    void BeginEdit(int row);
    void BeginNewRow() { BeginEdit(GetCount()); }
    void EndEdit(BOOL cancel);
    void SetRowText(int row, LPCTSTR text);
    void SwapRows(int a, int b);
    void MoveUp(int row);
    void MoveDown(int row);
    // Selects only this row (the list allows several).
    void SelectRow(int row);
    int GetSelectedRow() const { return GetCurSel(); }
    int GetCurrentRow() const { return m_nCurrentRow; }
    int GetEditedRow() const { return m_nEditedRow; }
    CInPlaceEdit* GetEditCtrl() const { return m_pEdit.get(); }
    void AllowEditing(BOOL allow) { m_bEditAllowed = allow; }
    void AllowDragging(BOOL allow) { m_bDragAllowed = allow; }

    BOOL BeginDrag(CPoint pt) override;
    void DrawInsert(int row) override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void PreSubclassWindow() override;
    void MeasureItem(LPMEASUREITEMSTRUCT measure) override;
    void DrawItem(LPDRAWITEMSTRUCT draw) override;

    int OnCreate(LPCREATESTRUCT cs);
    void OnLButtonDown(UINT flags, CPoint point);
    void OnLButtonDblClk(UINT flags, CPoint point);
    void OnKeyDown(UINT key, UINT repeat, UINT flags);
    void OnSysKeyDown(UINT key, UINT repeat, UINT flags);
    LRESULT OnEditMessage(WPARAM, LPARAM record);

protected:
    // Shows the edit with the text over the row, from `indent` pixels right of its left edge.
    void ShowEdit(int row, int indent, const CString& text);
    int RowAt(CPoint client) const;

    DWORD m_dwEditStyle = ES_AUTOHSCROLL;
    CRect m_itemRect;
    CRect m_editRect;
    int m_nCurrentRow = -1;
    int m_nEditedRow = -1;
    BOOL m_bEditAllowed = TRUE;
    BOOL m_bDragAllowed = TRUE;

private:
    void CreateEdit();
    void DrawInsertMark(int row);

    std::unique_ptr<CInPlaceEdit> m_pEdit;

    DECLARE_MESSAGE_MAP()
};

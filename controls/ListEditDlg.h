// A resizable dialog that edits an ordered list of records: a drag list with Add, Delete, Up
// and Down. Selecting a row loads its record into the dialog's fields; leaving the row stores
// the fields back first, and a field the dialog refuses keeps the row selected.
#pragma once

#include "controls/FlexSizeDialog.h"
#include "controls/InsertDragListBox.h"

class CListEditDlg : public CFlexSizeDialog {
public:
    static constexpr UINT ListId = 27668, AddId = 27681, DeleteId = 27675, UpId = 27682, DownId = 27683;

    CListEditDlg(UINT templateId, CWnd* parent);

    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

    // Moves a row by delta places (0 only selects it).
    virtual void MoveItem(int row, int delta);
    // TRUE: store the fields into the current record; FALSE: load the selected row's record.
    virtual BOOL SyncCurrent(BOOL save);
    // Deletes every row's record and empties the list.
    virtual void DeleteAllItems();
    // Selects the current row and loads it; derived dialogs fill the list first.
    virtual void SelectCurrent();
    virtual CInsertDragListBox* GetListBox() { return nullptr; }
    virtual BOOL InitControls() { return TRUE; }
    virtual void OnItemMoved(CObject*, int) { }
    // Disposes of the row's record; FALSE keeps the row.
    virtual BOOL OnDeleteItem(int row);
    virtual CObject* CreateNewItem() { return nullptr; }

    int GetCurrent() const { return m_current; }
    // A row dragged from one place to another, with the fields stored before and loaded after.
    void DragMove(int from, int to);

protected:
    void OnAdd();
    void OnDelete();
    void OnUp();
    void OnDown();
    void OnSelChange();
    void OnDblClk();
    void OnDestroy();
    // Stores the current record; on a refusal the selection goes back to the current row.
    BOOL SaveCurrent();
    void DeleteRow(int row);
    LOGFONT DialogFont();

    DECLARE_MESSAGE_MAP()

    int m_current = -1;
};

// The drag list of a list editor: a dragged row moves through its dialog.
class CListEditDragList : public CInsertDragListBox {
public:
    explicit CListEditDragList(CListEditDlg* owner) : m_owner(owner) { EnableDrag(TRUE); }

    void Move(int from, int to) override { m_owner->DragMove(from, to); }

private:
    CListEditDlg* m_owner;
};

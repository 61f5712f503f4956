// The object tab order dialog: the visible objects of a page in their order, moved by
// dragging or with Up and Down, deleted, opened in the Properties dialog and renamed. Every
// change goes to the view's object array at once; the objects that stay in front keep their
// group at the top and never mix with the others.
#pragma once

#include "controls/CharFilterEdit.h"
#include "controls/ListEditDlg.h"

class CHyperOb;
class CHyperView;

class CTabOrderDlg : public CListEditDlg {
public:
    static constexpr UINT TemplateId = 27922;
    static constexpr UINT CodeId = 27669, PropertiesId = 27652, FormId = 27737, SeparatorId = 27729;
    static constexpr int CodeLimit = 80;

    CTabOrderDlg(CHyperView* view, UINT templateId, CWnd* parent);

    BOOL InitControls() override;
    void SelectCurrent() override;
    void MoveItem(int row, int delta) override;
    BOOL OnDeleteItem(int row) override;
    BOOL SyncCurrent(BOOL save) override;
    // The rows are the view's objects: the list only lets go of them.
    void DeleteAllItems() override;
    CInsertDragListBox* GetListBox() override { return &m_list; }
    void DoDataExchange(CDataExchange* dx) override;
    void OnOK() override;
    void OnCancel() override;

    BOOL CanMoveRows(int from, int to) const;
    CHyperOb* GetRowObject(int row) const;
    int GetFrontCount() const { return m_frontCount; }

protected:
    void OnCodeChange();
    void OnProperties();
    void OnListDblClk();
    void OnSize(UINT type, int cx, int cy);

    DECLARE_MESSAGE_MAP()

private:
    class CObjectList : public CListEditDragList {
    public:
        explicit CObjectList(CTabOrderDlg* owner) : CListEditDragList(owner), m_dialog(owner) { }
        void SetListFont(const LOGFONT& font) override;
        void DrawItemContent(CDC* dc, const CRect& rect, CObject* record) override;
        BOOL CanMove(int from, int to) override { return m_dialog->CanMoveRows(from, to); }

    private:
        CTabOrderDlg* m_dialog;
    };

    int CountFrontObjects() const;
    void StoreCode(CHyperOb* object);
    void LoadRow(CHyperOb* object);
    void EnableControls(CHyperOb* object);
    void MarkTabPosition(CHyperOb* object);
    void ClearTabMarking();

    CHyperView* m_view;
    int m_frontCount = 0;
    CString m_code;
    CObjectList m_list{this};
    CCharFilterEdit m_codeEdit{CCharFilterEdit::MakeKind(CCharFilterEdit::ClassPrintable, 0)};
    BOOL m_busy = FALSE;
};

// Lets the editing views' "Objects..." command run this dialog.
void RegisterTabOrderDialog();

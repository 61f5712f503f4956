// The snap points dialog: an object's snap points in a drag list, added, deleted and reordered,
// with the selected point's position, offsets, capture limits, tip and grid offset. It works on
// its own copies; only OK hands them to the edited list, numbers and order included.
#pragma once

#include "controls/CharFilterEdit.h"
#include "controls/ColourComboBox.h"
#include "controls/ListEditDlg.h"

#include <memory>

class CAnchorFmt;
class CAnchorItem;

class CSnapPointsDlg : public CListEditDlg {
public:
    static constexpr UINT TemplateId = 27961, TemplateWithLabelId = 8080;
    static constexpr UINT TypeId = 27672, DxId = 27670, DyId = 27740, ByPixelId = 27741, MaxInId = 27748,
                          MaxOutId = 27744, TipId = 27751, UseGridId = 27749, DgId = 27746, ColourId = 27673,
                          SeparatorId = 27696;
    // The names of the nine positions, in position order.
    static constexpr UINT FirstPositionNameId = 27442;
    static constexpr int PositionCount = 9;

    CSnapPointsDlg(CAnchorFmt* edited, UINT templateId, CWnd* parent);
    ~CSnapPointsDlg() override;

    BOOL InitControls() override;
    void SelectCurrent() override;
    BOOL SyncCurrent(BOOL save) override;
    CObject* CreateNewItem() override;
    CInsertDragListBox* GetListBox() override { return &m_list; }
    void DoDataExchange(CDataExchange* dx) override;
    // Hands the rows' points to the edited list.
    BOOL Apply(UINT flags) override;

    static CString PositionName(int position);

protected:
    void OnTypeChange();
    CAnchorItem* CurrentPoint() const;
    void OnUseGridOffset();

    DECLARE_MESSAGE_MAP()

private:
    class CPointList : public CListEditDragList {
    public:
        using CListEditDragList::CListEditDragList;
        void DrawItemContent(CDC* dc, const CRect& rect, CObject* record) override;

    protected:
        void OnChar(UINT ch, UINT repeat, UINT flags);

        DECLARE_MESSAGE_MAP()
    };

    void LoadFields(const CAnchorItem* point);
    void StoreFields(CAnchorItem* point) const;
    void EnableFields(BOOL row);
    void SelectColour(COLORREF colour);
    COLORREF SelectedColour() const;

    CAnchorFmt* m_edited;
    std::unique_ptr<CAnchorFmt> m_work;
    int m_position = -1;
    int m_dx = 0;
    int m_dy = 0;
    BOOL m_byPixel = FALSE;
    int m_maxIn = 99;
    int m_maxOut = 99;
    int m_dg = 0;
    BOOL m_useGridOffset = FALSE;
    CString m_tip;
    CPointList m_list{this};
    CCharFilterEdit m_numberEdits[5];
    CColourComboBox m_colours;
};

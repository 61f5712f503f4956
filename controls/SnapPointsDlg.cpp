#include "controls/SnapPointsDlg.h"

#include "objects/AnchorFmt.h"
#include "objects/PropControls.h"
#include "objects/ViewSettings.h"
#include "platform/gdi/Dc.h"
#include "platform/ui/DataExchange.h"

#include <cstdio>

namespace {

// The number fields, each a signed number of at most four characters.
constexpr UINT kNumberIds[5] = {CSnapPointsDlg::DxId, CSnapPointsDlg::DyId, CSnapPointsDlg::MaxInId,
                                CSnapPointsDlg::MaxOutId, CSnapPointsDlg::DgId};
// The fields that need a selected point; dG and the colour also need the grid offset.
constexpr UINT kPointFieldIds[] = {CSnapPointsDlg::TypeId, CSnapPointsDlg::DxId, CSnapPointsDlg::DyId,
                                   CSnapPointsDlg::ByPixelId, CSnapPointsDlg::MaxInId, CSnapPointsDlg::MaxOutId,
                                   CSnapPointsDlg::TipId, CSnapPointsDlg::UseGridId};
constexpr UINT kMovingLabelIds[] = {27719, 27721, 27670, 27742, 27740, 27741, 27748, 27747,
                                    27744, 27743, 27750, 27749, 27746, 27745, 27673};
constexpr int kNoLimitDefault = 99;

// The rows' points as the edited list takes them over.
class CRowSource : public CPropItemSource {
public:
    explicit CRowSource(CListBox& list) : m_list(list) { }
    int GetCount() const override { return m_list.GetCount(); }
    DWORD_PTR GetItemData(int index) const override { return m_list.GetItemData(index); }
    void ResetContent() override { m_list.ResetContent(); }

private:
    CListBox& m_list;
};

} // namespace

BEGIN_MESSAGE_MAP(CSnapPointsDlg, CListEditDlg)
    ON_CBN_SELCHANGE(TypeId, OnTypeChange)
    ON_BN_CLICKED(UseGridId, OnUseGridOffset)
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CSnapPointsDlg::CPointList, CListEditDragList)
    ON_WM_CHAR()
END_MESSAGE_MAP()

CSnapPointsDlg::CSnapPointsDlg(CAnchorFmt* edited, UINT templateId, CWnd* parent)
    : CListEditDlg(templateId, parent), m_edited(edited),
      m_work(static_cast<CAnchorFmt*>(edited->GetRuntimeClass()->CreateObject()))
{
    m_work->CopyFrom(edited);
    for (UINT id : {UINT(IDOK), UINT(IDCANCEL), SeparatorId, AddId, DeleteId, UpId, DownId})
        AddFlexControl(id, CFlexHorzConstraint::Move, CFlexVertConstraint::Fixed);
    AddFlexControl(ListId, CFlexHorzConstraint::Stretch, CFlexVertConstraint::Stretch);
    AddFlexControl(TypeId, CFlexHorzConstraint::Stretch, CFlexVertConstraint::Move);
    AddFlexControl(TipId, CFlexHorzConstraint::Stretch, CFlexVertConstraint::Move);
    for (UINT id : kMovingLabelIds)
        AddFlexControl(id, CFlexHorzConstraint::Fixed, CFlexVertConstraint::Move);
}

CSnapPointsDlg::~CSnapPointsDlg() = default;

CString CSnapPointsDlg::PositionName(int position)
{
    CString name;
    if (position >= 0 && position < PositionCount)
        name.LoadString(FirstPositionNameId + static_cast<UINT>(position));
    return name;
}

BOOL CSnapPointsDlg::InitControls()
{
    CWnd* type = GetDlgItem(TypeId);
    for (int position = 0; position < PositionCount; ++position)
        type->SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(static_cast<LPCTSTR>(PositionName(position))));
    for (int i = 0; i < 5; ++i) {
        m_numberEdits[i].SubclassDlgItem(kNumberIds[i], this);
        m_numberEdits[i].SetKind(CCharFilterEdit::MakeKind(CCharFilterEdit::ClassSignedInt, 4));
    }
    m_colours.SubclassDlgItem(ColourId, this);
    m_colours.Fill(TRUE, &GetViewSettings().m_defaultFont, 20);
    return TRUE;
}

// The rows take the points over from the working copy, which keeps none.
void CSnapPointsDlg::SelectCurrent()
{
    for (INT_PTR i = 0; i < m_work->GetSize(); ++i)
        m_list.AddRecord(m_work->GetItem(i));
    m_work->RemoveAll();
    m_current = m_list.GetCount() > 0 ? 0 : -1;
    CListEditDlg::SelectCurrent();
}

CAnchorItem* CSnapPointsDlg::CurrentPoint() const
{
    return static_cast<CAnchorItem*>(m_list.GetRecord(m_current));
}

CObject* CSnapPointsDlg::CreateNewItem()
{
    auto* point = static_cast<CAnchorItem*>(m_work->CreateItem());
    point->m_id = m_work->m_nextId++;
    return point;
}

void CSnapPointsDlg::DoDataExchange(CDataExchange* dx)
{
    CListEditDlg::DoDataExchange(dx);
    DDX_CBIndex(dx, TypeId, m_position);
    DDX_Text(dx, DxId, m_dx);
    DDV_MinMaxInt(dx, m_dx, -100, 100);
    DDX_Text(dx, DyId, m_dy);
    DDV_MinMaxInt(dx, m_dy, -100, 100);
    DDX_Check(dx, ByPixelId, m_byPixel);
    DDX_Text(dx, MaxInId, m_maxIn);
    DDV_MinMaxInt(dx, m_maxIn, -1, 1000);
    DDX_Text(dx, MaxOutId, m_maxOut);
    DDV_MinMaxInt(dx, m_maxOut, -1, 1000);
    DDX_Text(dx, DgId, m_dg);
    DDV_MinMaxInt(dx, m_dg, 0, 100);
    DDX_Check(dx, UseGridId, m_useGridOffset);
    DDX_Text(dx, TipId, m_tip);
}

BOOL CSnapPointsDlg::SyncCurrent(BOOL save)
{
    if (save) {
        CAnchorItem* point = CurrentPoint();
        if (!point)
            return TRUE;
        if (!UpdateData(TRUE))
            return FALSE;
        StoreFields(point);
        return TRUE;
    }
    CListEditDlg::SyncCurrent(FALSE);
    const CAnchorItem* point = CurrentPoint();
    LoadFields(point);
    EnableFields(point != nullptr);
    UpdateData(FALSE);
    return TRUE;
}

void CSnapPointsDlg::LoadFields(const CAnchorItem* point)
{
    CAnchorItem none;
    none.m_position = -1;
    none.m_offsetMode = 0;
    none.m_maxIn = none.m_maxOut = kNoLimitDefault;
    const CAnchorItem& from = point ? *point : none;
    m_position = from.m_position;
    m_dx = from.m_xOffset;
    m_dy = from.m_yOffset;
    m_byPixel = from.m_offsetMode != 0;
    m_maxIn = from.m_maxIn;
    m_maxOut = from.m_maxOut;
    m_dg = from.m_dG;
    m_useGridOffset = from.m_colorFlag != 0;
    m_tip = from.m_name;
    SelectColour(from.m_color);
}

void CSnapPointsDlg::StoreFields(CAnchorItem* point) const
{
    point->m_position = m_position;
    point->m_xOffset = m_dx;
    point->m_yOffset = m_dy;
    point->m_offsetMode = m_byPixel ? 1 : 0;
    point->m_maxIn = m_maxIn;
    point->m_maxOut = m_maxOut;
    point->m_dG = static_cast<WORD>(m_dg);
    point->m_colorFlag = m_useGridOffset ? 1 : 0;
    point->m_name = m_tip;
    point->m_color = SelectedColour();
}

void CSnapPointsDlg::EnableFields(BOOL row)
{
    for (UINT id : kPointFieldIds)
        GetDlgItem(id)->EnableWindow(row);
    GetDlgItem(DgId)->EnableWindow(row && m_useGridOffset);
    GetDlgItem(ColourId)->EnableWindow(row && m_useGridOffset);
}

void CSnapPointsDlg::SelectColour(COLORREF colour)
{
    for (int i = 0; i < m_colours.GetCount(); ++i) {
        if (static_cast<COLORREF>(m_colours.GetItemData(i)) == colour) {
            m_colours.SetCurSel(i);
            return;
        }
    }
    // A colour the list does not offer is kept, so a stored point never loses it.
    const int added = m_colours.AddString(reinterpret_cast<LPCTSTR>(static_cast<DWORD_PTR>(colour)));
    m_colours.SetItemData(added, colour);
    m_colours.SetCurSel(added);
}

COLORREF CSnapPointsDlg::SelectedColour() const
{
    const int selected = m_colours.GetCurSel();
    return selected < 0 ? AutomaticColour : static_cast<COLORREF>(m_colours.GetItemData(selected));
}

void CSnapPointsDlg::OnTypeChange()
{
    if (SaveCurrent())
        SyncCurrent(FALSE);
}

// Without the grid offset there is no dG and no colour of its own.
void CSnapPointsDlg::OnUseGridOffset()
{
    if (!IsDlgButtonChecked(UseGridId)) {
        SetDlgItemInt(DgId, 0);
        SelectColour(AutomaticColour);
    }
    if (SaveCurrent())
        SyncCurrent(FALSE);
}

BOOL CSnapPointsDlg::Apply(UINT)
{
    CRowSource rows(m_list);
    m_edited->FillFromListBox(&rows);
    m_edited->m_nextId = m_work->m_nextId;
    m_current = -1;
    return TRUE;
}

// The point's number on the left, its position's name in blue on the right.
void CSnapPointsDlg::CPointList::DrawItemContent(CDC* dc, const CRect& rect, CObject* record)
{
    const auto* point = static_cast<const CAnchorItem*>(record);
    CRect text = rect;
    text.DeflateRect(2, 0);
    char number[16];
    std::snprintf(number, sizeof number, "%d", point->m_id);
    dc->DrawText(number, -1, &text, DT_LEFT | DT_SINGLELINE | DT_VCENTER);
    const COLORREF old = dc->SetTextColor(RGB(0, 0, 255));
    dc->DrawText(PositionName(point->m_position), &text, DT_RIGHT | DT_SINGLELINE | DT_VCENTER);
    dc->SetTextColor(old);
}

// Typing in the list picks the position by its name.
void CSnapPointsDlg::CPointList::OnChar(UINT ch, UINT repeat, UINT flags)
{
    CWnd* type = GetParent() ? GetParent()->GetDlgItem(TypeId) : nullptr;
    if (!type || !type->IsWindowEnabled()) {
        Default();
        return;
    }
    type->SetFocus();
    type->PostMessage(WM_CHAR, ch, MAKELPARAM(repeat, flags));
}

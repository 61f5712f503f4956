#include "controls/TabOrderDlg.h"

#include "View/HyperView.h"
#include "View/ObjectListDialog.h"
#include "View/ViewPropertyDialog.h"
#include "objects/HyperOb.h"
#include "objects/PropOb.h"
#include "objects/ScriptText.h"
#include "objects/SnapPointSet.h"
#include "platform/gdi/Dc.h"
#include "platform/ui/DataExchange.h"

#include <memory>

namespace {

// What the Properties dialog answers when the user deletes the object from it.
constexpr INT_PTR kResultDelete = 27675;
constexpr UINT kCodeGroupId = 27720;

INT_PTR RunTabOrderDialog(CHyperView* view)
{
    CTabOrderDlg dialog(view, CTabOrderDlg::TemplateId, view);
    return dialog.DoModal();
}

} // namespace

BEGIN_MESSAGE_MAP(CTabOrderDlg, CListEditDlg)
    ON_EN_CHANGE(CodeId, OnCodeChange)
    ON_BN_CLICKED(PropertiesId, OnProperties)
    ON_LBN_DBLCLK(ListId, OnListDblClk)
    ON_WM_SIZE()
END_MESSAGE_MAP()

CTabOrderDlg::CTabOrderDlg(CHyperView* view, UINT templateId, CWnd* parent)
    : CListEditDlg(templateId, parent), m_view(view)
{
    for (UINT id : {UINT(IDOK), UINT(IDCANCEL), SeparatorId, UpId, DownId, PropertiesId, DeleteId})
        AddFlexControl(id, CFlexHorzConstraint::Move, CFlexVertConstraint::Fixed);
    AddFlexControl(ListId, CFlexHorzConstraint::Stretch, CFlexVertConstraint::Stretch);
    AddFlexControl(kCodeGroupId, CFlexHorzConstraint::Stretch, CFlexVertConstraint::Move);
    AddFlexControl(CodeId, CFlexHorzConstraint::Stretch, CFlexVertConstraint::Move);
}

BOOL CTabOrderDlg::InitControls()
{
    m_codeEdit.SubclassDlgItem(CodeId, this);
    m_codeEdit.SetKind(CCharFilterEdit::MakeKind(CCharFilterEdit::ClassPrintable, CodeLimit));
    return TRUE;
}

int CTabOrderDlg::CountFrontObjects() const
{
    const CHyperObArray& objects = m_view->GetObjects();
    int count = 0;
    while (count < objects.GetSize() && m_view->GetObjectAtIndex(count)->m_stayInFront)
        ++count;
    return count;
}

CHyperOb* CTabOrderDlg::GetRowObject(int row) const
{
    return static_cast<CHyperOb*>(m_list.GetRecord(row));
}

// The front group first, each group from the back of the array to its front.
void CTabOrderDlg::SelectCurrent()
{
    m_frontCount = CountFrontObjects();
    const int count = static_cast<int>(m_view->GetObjects().GetSize());
    auto addVisible = [this](int from, int to) {
        for (int i = from; i >= to; --i)
            if (CHyperOb* object = m_view->GetObjectAtIndex(i); object->IsVisible())
                m_list.AddRecord(object);
    };
    addVisible(m_frontCount - 1, 0);
    addVisible(count - 1, m_frontCount);
    if (!m_view->GetCurrentObject() && m_list.GetCount() > 0)
        m_view->SelectOnly(m_view->FindObjectIndex(GetRowObject(0)));
    m_current = m_list.FindRecord(m_view->GetCurrentObject());
    CListEditDlg::SelectCurrent();
}

BOOL CTabOrderDlg::CanMoveRows(int from, int to) const
{
    const CHyperOb* a = GetRowObject(from);
    const CHyperOb* b = GetRowObject(to);
    return a && b && (a->m_stayInFront != 0) == (b->m_stayInFront != 0);
}

void CTabOrderDlg::MoveItem(int row, int delta)
{
    CHyperOb* moved = GetRowObject(row);
    CHyperOb* holder = GetRowObject(row + delta);
    if (delta != 0 && !CanMoveRows(row, row + delta))
        return;
    CListEditDlg::MoveItem(row, delta);
    if (delta == 0)
        return;
    const int from = m_view->FindObjectIndex(moved);
    const int to = m_view->FindObjectIndex(holder);
    if (from < 0 || to < 0)
        return;
    m_view->GetObjects().RemoveAt(from);
    m_view->GetObjects().InsertAt(to, moved);
    m_view->SetCurrentIndex(to);
    m_view->Invalidate();
}

BOOL CTabOrderDlg::OnDeleteItem(int row)
{
    CHyperOb* object = GetRowObject(row);
    const int index = m_view->FindObjectIndex(object);
    if (!object || index < 0)
        return FALSE;
    object->UpdateLayout(0, 0);
    m_view->ClearSelection(FALSE);
    if (!m_view->DeleteObject(index))
        return FALSE;
    m_view->SetCurrentIndex(-1);
    m_view->NotifyChanged(TRUE);
    m_frontCount = CountFrontObjects();
    return TRUE;
}

void CTabOrderDlg::DeleteAllItems()
{
    if (m_list.m_hWnd)
        m_list.ResetContent();
}

void CTabOrderDlg::DoDataExchange(CDataExchange* dx)
{
    CListEditDlg::DoDataExchange(dx);
    DDX_Text(dx, CodeId, m_code);
}

// Only identifier characters; a code another object has gets a number appended.
void CTabOrderDlg::StoreCode(CHyperOb* object)
{
    CString code = m_code;
    StripNonIdentChars(code);
    if (!object || code.IsEmpty() || code == object->Code)
        return;
    object->Code = code;
    object->MakeUniqueCode(code, 1);
}

BOOL CTabOrderDlg::SyncCurrent(BOOL save)
{
    if (save) {
        if (!CListEditDlg::SyncCurrent(TRUE))
            return FALSE;
        StoreCode(GetRowObject(m_current));
        return TRUE;
    }
    CListEditDlg::SyncCurrent(FALSE);
    LoadRow(GetRowObject(m_current));
    return TRUE;
}

void CTabOrderDlg::LoadRow(CHyperOb* object)
{
    if (object && object != m_view->GetCurrentObject())
        m_view->SelectOnly(m_view->FindObjectIndex(object));
    m_code = object ? object->GetCode() : CString();
    if (m_busy)
        return;
    EnableControls(object);
    MarkTabPosition(object);
    // Filling the code field is no typing of the user's.
    m_busy = TRUE;
    UpdateData(FALSE);
    m_busy = FALSE;
}

void CTabOrderDlg::EnableControls(CHyperOb* object)
{
    const int last = m_list.GetCount() - 1;
    const BOOL front = object && object->m_stayInFront;
    const CHyperOb* next = GetRowObject(m_current + 1);
    const CHyperOb* previous = GetRowObject(m_current - 1);
    const CSnapPointSet* points = object ? object->GetSnapPoints(FALSE) : nullptr;
    const BOOL connected = points && points->HasConnections();
    GetDlgItem(CodeId)->EnableWindow(object && !connected);
    GetDlgItem(PropertiesId)->EnableWindow(object != nullptr);
    GetDlgItem(DownId)->EnableWindow(m_current >= 0 && m_current < last && !(front && next && !next->m_stayInFront));
    GetDlgItem(UpId)->EnableWindow(m_current > 0 && !(object && !front && previous && previous->m_stayInFront));
    GetDlgItem(DeleteId)->EnableWindow(object && !m_view->HasSelection());
}

// The view numbers the front objects while one of them is current.
void CTabOrderDlg::MarkTabPosition(CHyperOb* object)
{
    if (!object || !object->m_stayInFront) {
        ClearTabMarking();
        return;
    }
    m_view->m_listPickPos = m_frontCount - m_view->GetCurrentIndex() - 1;
    m_view->m_listPickLast = m_frontCount - 1;
    m_view->Invalidate();
}

void CTabOrderDlg::ClearTabMarking()
{
    m_view->m_listPickPos = -1;
    m_view->m_listPickLast = -1;
    m_view->Invalidate();
}

// A typed code reaches the object at once; the field keeps what the user is typing.
void CTabOrderDlg::OnCodeChange()
{
    if (m_busy || !m_list.m_hWnd)
        return;
    m_busy = TRUE;
    if (SyncCurrent(TRUE))
        SyncCurrent(FALSE);
    m_busy = FALSE;
}

void CTabOrderDlg::OnListDblClk()
{
    OnProperties();
}

void CTabOrderDlg::OnProperties()
{
    CHyperOb* object = GetRowObject(m_current);
    if (!object || !GetDlgItem(PropertiesId)->IsWindowEnabled() || m_view->m_propertyDialogShown)
        return;
    std::unique_ptr<CViewPropertyDialog> dialog(m_view->CreatePropertyDialog());
    if (!dialog)
        return;
    m_view->m_propertyDialogShown = TRUE;
    auto* list = new CPropObArray;
    object->CollectProperties(*list, TRUE);
    CString type;
    m_view->GetObjectTypeName(type, object);
    dialog->SetProperties(list, object, type);
    const INT_PTR result = list->GetSize() > 0 ? dialog->RunModal() : IDCANCEL;
    dialog->DeleteProperties();
    m_view->m_propertyDialogShown = FALSE;
    if (result == IDOK) {
        object->UpdateLayout(1, 0);
        SyncCurrent(FALSE);
    } else if (result == kResultDelete) {
        DeleteRow(m_current);
        SyncCurrent(FALSE);
    }
}

void CTabOrderDlg::OnOK()
{
    if (!SyncCurrent(TRUE))
        return;
    ClearTabMarking();
    CNSFlexDialog::OnOK();
}

void CTabOrderDlg::OnCancel()
{
    ClearTabMarking();
    CDialog::OnCancel();
}

void CTabOrderDlg::OnSize(UINT type, int cx, int cy)
{
    CFlexSizeDialog::OnSize(type, cx, cy);
    if (m_list.m_hWnd && cy > 0)
        m_list.Invalidate();
}

void CTabOrderDlg::CObjectList::SetListFont(const LOGFONT& font)
{
    CInsertDragListBox::SetListFont(font);
    LOGFONT bold = font;
    bold.lfWeight = FW_BOLD;
    m_extraFont.DeleteObject();
    m_extraFont.CreateFontIndirect(&bold);
}

// The code in blue on the left, the kind of object in bold on the right.
void CTabOrderDlg::CObjectList::DrawItemContent(CDC* dc, const CRect& rect, CObject* record)
{
    auto* object = static_cast<CHyperOb*>(record);
    const COLORREF oldColour = dc->SetTextColor(RGB(0, 0, 255));
    const UINT oldAlign = dc->SetTextAlign(TA_LEFT | TA_TOP);
    dc->TextOut(rect.left + 4, rect.top, object->GetCode());
    dc->SetTextColor(oldColour);
    if (object->GetView()) {
        CString type;
        object->GetView()->GetObjectTypeName(type, object);
        CFont* oldFont = dc->SelectObject(&m_extraFont);
        dc->SetTextAlign(TA_RIGHT | TA_TOP);
        dc->TextOut(rect.right - 6, rect.top, type);
        dc->SelectObject(oldFont);
    }
    dc->SetTextAlign(oldAlign);
}

void RegisterTabOrderDialog()
{
    SetObjectListRunner(RunTabOrderDialog);
}

#include "shell/LayersDlg.h"

#include "shell/VantrelApp.h"
#include "View/HyperFrame.h"
#include "View/HyperView.h"
#include "objects/HyperOb.h"
#include "objects/LayerFmt.h"
#include "platform/ui/CmdUI.h"
#include "platform/ui/Document.h"
#include "platform/ui/WinApp.h"

BEGIN_MESSAGE_MAP(CLayersDlg, CDialog)
    ON_COMMAND(CLayersDlg::CmdAddLayer, OnAddLayer)
    ON_COMMAND(CLayersDlg::CmdAddNoticeLayer, OnAddNoticeLayer)
    ON_COMMAND(CLayersDlg::CmdDeleteLayer, OnDeleteLayer)
    ON_UPDATE_COMMAND_UI(CLayersDlg::CmdAddLayer, OnUpdateAddLayer)
    ON_UPDATE_COMMAND_UI(CLayersDlg::CmdAddNoticeLayer, OnUpdateAddLayer)
    ON_UPDATE_COMMAND_UI(CLayersDlg::CmdDeleteLayer, OnUpdateDeleteLayer)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
END_MESSAGE_MAP()

namespace {

constexpr UINT kSelectTool = 60447;
constexpr int kListTop = 27;
constexpr DWORD kToolBarStyle = WS_CHILD | WS_VISIBLE;

CString LoadText(UINT id)
{
    CString text;
    text.LoadString(id);
    return text;
}

// The first layer of the kind, as an index of the list; -1 when there is none.
int FirstOfKind(const CLayerFmt& layers, BOOL notice)
{
    for (INT_PTR i = 0; i < layers.GetSize(); ++i)
        if (layers.GetLayerItem(i)->IsNoticeLayer() == notice)
            return static_cast<int>(i);
    return -1;
}

int IndexOfName(const CLayerFmt& layers, const CString& name)
{
    for (INT_PTR i = 0; i < layers.GetSize(); ++i)
        if (layers.GetLayerItem(i)->m_name == name)
            return static_cast<int>(i);
    return -1;
}

} // namespace

CLayersDlg::CLayersDlg(CLayerFmt* layers, CHyperView* view, UINT templateId, CWnd* parent)
    : m_pView(view), m_pParent(parent)
{
    SetLayerList(layers);
    if (!parent)
        return;
    Create(templateId, parent);
    if (!SetParent(parent))
        AfxMessageBox("SetParent schlug fehl", MB_OK);
    SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ShowWindow(SW_SHOW);
    m_list.SetOwner(this);
}

BOOL CLayersDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_list.SubclassDlgItem(kListId, this);
    m_list.SetDialog(this);
    FillList();
    if (m_toolBar.CreateToolBar(kToolBarStyle, this, AFX_IDW_TOOLBAR)) {
        m_toolBar.SetOwner(this);
        m_toolBar.SetCommandBars(&m_bars);
        m_toolBar.SetPosition(BarTop);
        if (m_toolBar.LoadToolBar(kToolBarId))
            m_toolBar.OnUpdateCmdUI();
        else
            m_toolBar.DestroyWindow();
    }
    CRect client;
    GetClientRect(&client);
    Arrange(client.Width(), client.Height());
    return TRUE;
}

void CLayersDlg::Arrange(int cx, int cy)
{
    MoveWindow(0, 0, cx, cy);
    if (m_toolBar.m_hWnd) {
        const CSize bar = m_toolBar.CalcDockingLayout(cx, LM_HORZ | LM_HORZDOCK | LM_COMMIT);
        const int height = std::min(static_cast<int>(bar.cy), kListTop);
        m_toolBar.SetWindowPos(nullptr, 0, 0, cx, height, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (m_list.m_hWnd)
        m_list.MoveWindow(0, kListTop, cx, std::max(cy - kListTop, 0));
}

void CLayersDlg::OnUpdateAddLayer(CCmdUI* cmdUI) { cmdUI->Enable(m_pLayers != nullptr); }

void CLayersDlg::OnUpdateDeleteLayer(CCmdUI* cmdUI)
{
    const int row = m_list.m_hWnd ? m_list.GetSelectedRow() : -1;
    cmdUI->Enable(m_pLayers && row >= 0 && !IsStandardName(m_list.GetRowName(row)));
}

LRESULT CLayersDlg::OnIdleUpdateCmdUI(WPARAM, LPARAM)
{
    if (m_toolBar.m_hWnd)
        m_toolBar.OnUpdateCmdUI();
    return 0;
}

void CLayersDlg::SetLayerList(CLayerFmt* layers)
{
    m_pLayers = layers;
    if (!layers)
        return;
    const CLayerItem* current = layers->GetCurrentIndex() < layers->GetSize()
                                    ? layers->GetLayerItem(layers->GetCurrentIndex())
                                    : nullptr;
    if (!current || current->IsNoticeLayer())
        layers->SetCurrentIndex(std::max(FirstOfKind(*layers, FALSE), 0));
    const int notice = layers->m_currentNoticeIndex;
    if (notice < 0 || notice >= layers->GetSize() || !layers->GetLayerItem(notice)->IsNoticeLayer())
        layers->m_currentNoticeIndex = std::max(FirstOfKind(*layers, TRUE), 0);
}

void CLayersDlg::FillList()
{
    if (!m_list.m_hWnd)
        return;
    m_list.ResetContent();
    for (INT_PTR i = 0; m_pLayers && i < m_pLayers->GetSize(); ++i) {
        const CLayerItem* item = m_pLayers->GetLayerItem(i);
        m_list.AddLayerRow(item->m_name);
        const int number = item->IsNoticeLayer() ? item->GetId() - CLayerItem::NoticeBase : item->GetId();
        if (m_pLayers->GetNextLayerNumber() < number + 1)
            m_pLayers->SetNextLayerNumber(number + 1);
    }
}

BOOL CLayersDlg::IsStandardName(const CString& name)
{
    return name == LoadText(CLayerFmt::StandardNameId) || name == LoadText(CLayerFmt::NoticeNameId);
}

BOOL CLayersDlg::IsNameUsed(const CString& name) const { return m_pLayers && IndexOfName(*m_pLayers, name) >= 0; }

void CLayersDlg::SetModified()
{
    if (m_pView && m_pView->GetDocument())
        m_pView->GetDocument()->SetModifiedFlag(TRUE);
}

void CLayersDlg::OnAddLayer() { AddLayer(FALSE); }
void CLayersDlg::OnAddNoticeLayer() { AddLayer(TRUE); }

void CLayersDlg::AddLayer(BOOL notice)
{
    if (!m_pLayers)
        return;
    RememberSelection();
    auto* item = static_cast<CLayerItem*>(m_pLayers->CreateItem());
    const int number = m_pLayers->GetNextLayerNumber();
    item->SetId(notice ? CLayerItem::NoticeBase + number : number);
    m_pLayers->SetNextLayerNumber(number + 1);
    item->m_name.Format("%s%d", static_cast<LPCTSTR>(LoadText(kLayerNameId)), item->GetId());
    item->m_visible = TRUE;
    item->m_locked = FALSE;
    SetModified();
    m_pLayers->AddItem(item);
    m_list.AddLayerRow(item->m_name);
}

void CLayersDlg::OnDeleteLayer()
{
    const int row = m_list.GetSelectedRow();
    if (!m_pLayers || row < 0)
        return;
    const CString name = m_list.GetRowName(row);
    if (IsStandardName(name)) {
        AfxMessageBox("Layer must not be deleted!", MB_OK);
        return;
    }
    CString question;
    question.Format("%s %s?", static_cast<LPCTSTR>(GetLanguageText("Delete")), static_cast<LPCTSTR>(name));
    if (MessageBox(question, GetLanguageText("Question"), MB_YESNO) != IDYES)
        return;
    const int index = IndexOfName(*m_pLayers, name);
    const CLayerItem* gone = m_pLayers->GetLayerItem(index);
    const BOOL notice = gone->IsNoticeLayer();
    MoveObjectsOffLayer(gone->GetId(), notice);
    m_nSelection = -1;
    for (int above = row - 1; above >= 0 && m_nSelection < 0; --above)
        if (const int at = IndexOfName(*m_pLayers, m_list.GetRowName(above));
            at >= 0 && m_pLayers->GetLayerItem(at)->IsNoticeLayer() == notice)
            m_nSelection = above;
    KeepCurrentLayers([&] { m_pLayers->DeleteItem(index); });
    m_list.DeleteString(static_cast<UINT>(row));
    if (m_nSelection < 0)
        for (int other = 0; other < m_list.GetCount() && m_nSelection < 0; ++other)
            if (m_pLayers->GetLayerItem(IndexOfName(*m_pLayers, m_list.GetRowName(other)))->IsNoticeLayer() == notice)
                m_nSelection = other;
    m_list.SelectRow(m_nSelection);
    SetModified();
    ApplyLayerChange(TRUE);
}

// No object keeps the id of a layer that is gone: they go to the standard layer of their kind.
void CLayersDlg::MoveObjectsOffLayer(int id, BOOL notice)
{
    if (!m_pView)
        return;
    const int standard = IndexOfName(*m_pLayers, LoadText(notice ? CLayerFmt::NoticeNameId : CLayerFmt::StandardNameId));
    const int target = standard >= 0 ? standard : FirstOfKind(*m_pLayers, notice);
    if (target < 0)
        return;
    const int targetId = m_pLayers->GetLayerItem(target)->GetId();
    for (INT_PTR i = 0; i < m_pView->GetObjects().GetSize(); ++i)
        if (CHyperOb* object = m_pView->GetObjectAtIndex(i); object->LayerID == id)
            object->LayerID = targetId;
}

// The current layers are kept by index: a change of the order keeps them on the same layers.
void CLayersDlg::KeepCurrentLayers(const std::function<void()>& change)
{
    auto idAt = [this](int index) {
        return index >= 0 && index < m_pLayers->GetSize() ? m_pLayers->GetLayerItem(index)->GetId() : -1;
    };
    const int current = idAt(m_pLayers->GetCurrentIndex()), notice = idAt(m_pLayers->m_currentNoticeIndex);
    change();
    if (const int index = m_pLayers->FindLayerIndex(current); current >= 0 && index >= 0)
        m_pLayers->SetCurrentIndex(index);
    if (const int index = m_pLayers->FindLayerIndex(notice); notice >= 0 && index >= 0)
        m_pLayers->m_currentNoticeIndex = index;
    SetLayerList(m_pLayers);
}

void CLayersDlg::ApplyLayerChange(BOOL changed)
{
    if (!m_pLayers)
        return;
    if (m_nSelection < 0) {
        m_nSelection = 0;
        m_list.SelectRow(0);
    }
    const int index = IndexOfName(*m_pLayers, m_list.GetRowName(m_nSelection));
    if (index >= 0) {
        if (m_pLayers->GetLayerItem(index)->IsNoticeLayer())
            m_pLayers->m_currentNoticeIndex = index;
        else
            m_pLayers->SetCurrentIndex(index);
    }
    if (!m_pView)
        return;
    if (changed)
        for (INT_PTR i = m_pView->GetObjects().GetSize() - 1; i >= 0; --i)
            m_pView->GetObjectAtIndex(i)->UpdateLayout(TRUE, FALSE);
    if (changed)
        m_pView->Invalidate();
    if (!m_pView->IsCurrentLayerEditable())
        if (CHyperFrame* frame = m_pView->GetHyperFrame())
            frame->SendMessage(WM_COMMAND, kSelectTool);
}

void CLayersDlg::RenameLayer(int row, const CString& name)
{
    const int index = m_pLayers ? IndexOfName(*m_pLayers, m_list.GetRowName(row)) : -1;
    if (index < 0)
        return;
    m_list.SetRowName(row, name);
    m_pLayers->GetLayerItem(index)->m_name = name;
    SetModified();
}

void CLayersDlg::ReorderToRows()
{
    if (!m_pLayers)
        return;
    KeepCurrentLayers([&] {
        for (int row = 0; row < m_list.GetCount() && row < m_pLayers->GetSize(); ++row)
            m_pLayers->MoveItem(IndexOfName(*m_pLayers, m_list.GetRowName(row)), row);
    });
    SetModified();
    RememberSelection();
    ApplyLayerChange(FALSE);
}

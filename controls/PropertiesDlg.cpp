#include "controls/PropertiesDlg.h"

#include "objects/HyperBaseOb.h"
#include "platform/ui/Button.h"
#include "objects/HyperObArray.h"
#include "controls/HyperFontDlg.h"
#include "objects/PropOb.h"
#include "objects/PropText.h"
#include "objects/ViewSettings.h"

#include <algorithm>

namespace {

constexpr UINT MultiSelectionTextId = 26636;
constexpr UINT GroupEntryTextId = 26692;

// Shared by every Properties dialog of the run.
BOOL g_sorted = FALSE;
int g_lastTab = 0;

CString LoadText(UINT id, LPCTSTR fallback)
{
    CString text;
    if (!text.LoadString(id) || text.IsEmpty())
        text = fallback;
    return text;
}

} // namespace

BEGIN_MESSAGE_MAP(CPropertiesDlg, CPropEditDlg)
    ON_CONTROL(EN_KILLFOCUS, CPropEditDlg::EditControl, OnEditKillFocus)
    ON_CONTROL(CBN_KILLFOCUS, CPropEditDlg::ChoiceControl, OnChoiceKillFocus)
    ON_CONTROL(CBN_KILLFOCUS, CPropEditDlg::UrlComboControl, OnChoiceKillFocus)
    ON_CONTROL(CBN_KILLFOCUS, CPropEditDlg::ColourComboControl, OnChoiceKillFocus)
    ON_CONTROL(LBN_SELCHANGE, CPropEditDlg::ListControl, OnListSelChange)
    ON_CONTROL(LBN_DBLCLK, CPropEditDlg::ListControl, OnListDblClk)
    ON_CONTROL(CBN_SELCHANGE, CPropEditDlg::ChoiceControl, OnChoiceSelChange)
    ON_CONTROL(CBN_SELCHANGE, CPropEditDlg::ColourComboControl, OnColourSelChange)
    ON_CONTROL(CBN_SELCHANGE, CPropertiesDlg::ObjectCombo, OnObjectSelChange)
    ON_BN_CLICKED(CPropEditDlg::BrowseControl, OnBrowseClicked)
    ON_BN_CLICKED(CPropertiesDlg::DrillButton, OnDrillClicked)
    ON_COMMAND(CPropertiesDlg::CmdDelete, OnDeleteCommand)
    ON_COMMAND(CPropertiesDlg::CmdSaveAsDefault, OnSaveAsDefault)
    ON_COMMAND(CPropertiesDlg::CmdClearDefault, OnClearDefault)
    ON_COMMAND(CPropertiesDlg::CmdSort, OnSortCommand)
    ON_WM_LBUTTONDOWN()
    ON_WM_RBUTTONDOWN()
    ON_WM_SIZE()
    ON_WM_MOVE()
    ON_WM_WINDOWPOSCHANGING()
    ON_WM_CLOSE()
    ON_MESSAGE(WM_PROP_STORE_AND_APPLY, OnStoreAndApply)
END_MESSAGE_MAP()

CPropertiesDlg::CPropertiesDlg(UINT idTemplate, CWnd* parent)
    : CPropEditDlg(idTemplate, parent), m_ownerView(parent), m_templateId(idTemplate)
{
    RegisterPropertyDialogTemplates();
    AddFlexControl(ObjectCombo, CFlexHorzConstraint::Stretch, CFlexVertConstraint::Fixed);
    AddFlexControl(DrillButton, CFlexHorzConstraint::Move, CFlexVertConstraint::Fixed);
    AddFlexControl(PinButton, CFlexHorzConstraint::Move, CFlexVertConstraint::Fixed);
    AddFlexControl(BrowseControl, CFlexHorzConstraint::Move, CFlexVertConstraint::Fixed);
    AddFlexControl(TabStrip, CFlexHorzConstraint::Stretch, CFlexVertConstraint::Fixed);
    AddFlexControl(ListControl, CFlexHorzConstraint::Stretch, CFlexVertConstraint::Stretch);
    // The modal form may take the size the pane gave the same template; its buttons stay below the list.
    AddFlexControl(IDOK, CFlexHorzConstraint::Move, CFlexVertConstraint::Move);
    AddFlexControl(IDCANCEL, CFlexHorzConstraint::Move, CFlexVertConstraint::Move);
}

CPropertiesDlg::~CPropertiesDlg()
{
    CPropertiesDlg::DeleteProperties();
    if (m_hWnd)
        DestroyWindow();
}

void CPropertiesDlg::SetTabs(int count, UINT firstCaptionId)
{
    m_tabCount = count;
    m_firstTabId = firstCaptionId;
}

BOOL CPropertiesDlg::GetSortFlag()
{
    return g_sorted;
}

void CPropertiesDlg::SetSortFlag(BOOL sorted)
{
    g_sorted = sorted;
}

int CPropertiesDlg::GetLastTab()
{
    return g_lastTab;
}

void CPropertiesDlg::SetLastTab(int tab)
{
    g_lastTab = tab;
}

BOOL CPropertiesDlg::CreateDialogWindow(CWnd* parent)
{
    m_inPane = parent && parent == GetViewSettings().m_propertyHostWnd;
    return Create(m_templateId, parent);
}

BOOL CPropertiesDlg::OnInitDialog()
{
    CPropEditDlg::OnInitDialog();
    if (m_modal)
        PlaceNearOwner(0);
    LOGFONT font{};
    if (CFont* own = CFont::FromHandle(reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)))) {
        own->GetLogFont(&font);
        font.lfWeight = FW_BOLD;
        m_boldFont.CreateFontIndirect(&font);
    }
    m_listWnd.SubclassDlgItem(ListControl, this);
    for (auto [control, id] : {std::pair<CWnd*, UINT>{&m_choiceCombo, ChoiceControl}, {&m_urlCombo, UrlComboControl},
                               {&m_objectCombo, ObjectCombo}, {&m_drillButton, DrillButton}, {&m_pinButton, PinButton}})
        if (GetDlgItem(static_cast<int>(id)))
            control->SubclassDlgItem(id, this);
    m_listWnd.SetOwnerDialog(this);
    m_listWnd.m_trackedRow = -1;
    if (CWnd* pin = GetDlgItem(PinButton))
        m_pinned = (pin->GetStyle() & WS_VISIBLE) == 0;
    if (m_tabCount > 0 && GetDlgItem(TabStrip)) {
        m_tabStrip.m_captions.RemoveAll();
        for (int i = 0; i < m_tabCount; ++i)
            m_tabStrip.m_captions.Add(LoadText(m_firstTabId + static_cast<UINT>(i), i == 0 ? "Normal" : "Events"));
        m_tabStrip.SubclassDlgItem(TabStrip, this);
        m_tabStrip.Reset(TRUE);
        g_lastTab = 0;
    }
    if (GetDlgItem(ColourComboControl)) {
        m_colourCombo.SubclassDlgItem(ColourComboControl, this);
        m_colourCombo.Fill(TRUE, &GetViewSettings().m_defaultFont, m_listWnd.GetRowHeight() - 3);
    }
    for (UINT editor : {EditControl, ChoiceControl, ColourComboControl, UrlComboControl, BrowseControl})
        if (CWnd* control = GetDlgItem(static_cast<int>(editor)))
            control->ShowWindow(SW_HIDE);
    FillList();
    m_listWnd.SetFocus();
    if (m_inPane)
        for (UINT id : {PinButton, UINT(IDOK), UINT(IDCANCEL)})
            if (CWnd* button = GetDlgItem(static_cast<int>(id)))
                button->ModifyStyle(WS_VISIBLE, 0);
    ModifyStyle(0, WS_CLIPCHILDREN);
    return FALSE;
}

void CPropertiesDlg::DoDataExchange(CDataExchange* dx)
{
    CPropEditDlg::DoDataExchange(dx);
    if (!dx->m_bSaveAndValidate && m_current)
        m_current->GetValueText(m_valueText);
}

void CPropertiesDlg::ShowEditor()
{
    if (CWnd* edit = GetDlgItem(EditControl))
        edit->SendMessage(EM_LIMITTEXT, 0, 0);
}

void CPropertiesDlg::HideEditor()
{
    if (m_activeEditor)
        if (CWnd* editor = GetDlgItem(static_cast<int>(m_activeEditor)))
            editor->ShowWindow(SW_HIDE);
    m_activeEditor = 0;
    m_listWnd.m_trackedRow = -1;
}

int CPropertiesDlg::MapPropertyIndex(int row) const
{
    if (!m_listWnd.m_hWnd || row < 0 || row >= m_listWnd.GetCount())
        return -1;
    return static_cast<int>(m_listWnd.GetItemData(row)) - 1;
}

CPropOb* CPropertiesDlg::PropertyOfRow(INT_PTR data) const
{
    const INT_PTR position = data - 1;
    if (!m_list || position < 0 || position >= m_list->GetSize())
        return nullptr;
    return m_list->GetProp(position);
}

void CPropertiesDlg::SetProperties(CPropObArray* list, CHyperBaseOb* owner, LPCTSTR caption)
{
    CPropDialogBase::SetProperties(list, owner, caption);
}

void CPropertiesDlg::SetMultiProperties(CPropListArray* lists, BOOL* flags, CHyperObArray* owners, LPCTSTR caption)
{
    CPropDialogBase::SetMultiProperties(lists, flags, owners, caption);
}

void CPropertiesDlg::SetPropertiesEx(CPropObArray* list, CHyperBaseOb* second, CHyperBaseOb* third, LPCTSTR caption)
{
    CPropDialogBase::SetPropertiesEx(list, second, third, caption);
}

void CPropertiesDlg::DeleteProperties()
{
    HideEditor();
    m_current = nullptr;
    m_currentRow = -1;
    std::fill(std::begin(m_remembered), std::end(m_remembered), nullptr);
    CPropDialogBase::DeleteProperties();
}

void CPropertiesDlg::FillList()
{
    if (!m_listWnd.m_hWnd)
        return;
    if (!m_list) {
        HideEditor();
        m_listWnd.ResetContent();
        m_currentRow = -1;
        m_current = nullptr;
        return;
    }
    HideEditor();
    m_listWnd.SetRedraw(FALSE);
    m_listWnd.ResetContent();
    if (CWnd* combo = GetDlgItem(ObjectCombo)) {
        if (m_modal) {
            combo->SendMessage(CB_RESETCONTENT);
            combo->SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(static_cast<LPCTSTR>(m_caption)));
            combo->SendMessage(CB_SETCURSEL, 0);
        }
        if (m_boldFont.m_hObject)
            combo->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_boldFont.m_hObject), TRUE);
    }
    const BOOL tabbed = m_tabStrip.m_hWnd != nullptr;
    int highest = 0;
    for (INT_PTR i = 0; i < m_list->GetSize(); ++i) {
        CPropOb* property = m_list->GetProp(i);
        highest = std::max(highest, property->GetPage());
        if (tabbed && property->GetPage() != m_tabStrip.GetCurrent())
            continue;
        property->SetOwnerDialog(this);
        m_listWnd.AddString(reinterpret_cast<LPCTSTR>(i + 1));
    }
    if (tabbed && highest + 1 != m_tabStrip.GetCount()) {
        m_tabStrip.SetCount(std::min(highest + 1, static_cast<int>(m_tabStrip.m_captions.GetSize())));
        m_tabStrip.Invalidate();
    }
    if (m_listWnd.GetCount() == 0 && tabbed && m_tabStrip.GetCurrent() != 0) {
        m_tabStrip.Reset(TRUE);
        m_listWnd.SetRedraw(TRUE);
        FillList();
        return;
    }
    if (m_listWnd.GetCount() > 0) {
        m_listWnd.SetCurSel(0);
        ExchangeProperty(FALSE);
    }
    m_listWnd.SetRedraw(TRUE);
    m_listWnd.Invalidate();
}

CComboBox* CPropertiesDlg::GetEditorCombo(UINT id)
{
    CComboBox* combo = id == ChoiceControl     ? &m_choiceCombo
                       : id == UrlComboControl ? &m_urlCombo
                       : id == ColourComboControl ? static_cast<CComboBox*>(&m_colourCombo)
                                                  : nullptr;
    return combo && combo->m_hWnd ? combo : nullptr;
}

void CPropertiesDlg::FillObjectCombo(const CObArray& objects, CHyperBaseOb* page, int index, BOOL drill)
{
    CComboBox* combo = m_objectCombo.m_hWnd ? &m_objectCombo : nullptr;
    if (!combo)
        return;
    m_comboBusy = TRUE;
    combo->ResetContent();
    const BOOL multi = index == MultiSelectionIndex;
    if (multi) {
        combo->AddString(LoadText(MultiSelectionTextId, "Multi-Selection"));
        combo->SetCurSel(0);
        combo->EnableWindow(FALSE);
    } else {
        for (INT_PTR i = 0; i < objects.GetSize(); ++i) {
            auto* object = static_cast<CHyperBaseOb*>(objects.GetAt(i));
            if (!object)
                continue;
            const int item = combo->AddString(object->GetCode());
            combo->SetItemData(item, static_cast<DWORD_PTR>(i));
            if (i == index)
                combo->SetCurSel(item);
        }
        if (page) {
            // A page without a form name is shown by its code.
            m_defaultObjectName = page->GetCode();
            CString name = page->GetSecondaryText();
            const int item = combo->AddString(name.IsEmpty() ? m_defaultObjectName : name);
            combo->SetItemData(item, static_cast<DWORD_PTR>(-1));
            if (index == -1)
                combo->SetCurSel(item);
        }
        combo->EnableWindow(TRUE);
    }
    m_comboBusy = FALSE;
    CButton* button = m_drillButton.m_hWnd ? &m_drillButton : nullptr;
    if (!button)
        return;
    if (m_drillBusy) {
        button->EnableWindow(multi || m_drill);
    } else if (multi && drill) {
        m_drill = TRUE;
        PostToView(MsgPick, 0, -1);
        button->EnableWindow(TRUE);
    } else {
        button->EnableWindow(multi || m_drill);
    }
    button->SetCheck(m_drill);
}

void CPropertiesDlg::AddGroupEntry(int itemData, BOOL select)
{
    CComboBox* combo = m_objectCombo.m_hWnd ? &m_objectCombo : nullptr;
    if (!combo)
        return;
    m_comboBusy = TRUE;
    const CString text = LoadText(GroupEntryTextId, "(Group)");
    const int item = combo->AddString(text);
    combo->SetItemData(item, static_cast<DWORD_PTR>(itemData));
    if (select)
        combo->SetCurSel(item);
    m_comboBusy = FALSE;
}

void CPropertiesDlg::ReloadValues()
{
    if (!m_list)
        return;
    for (int row = 0; m_listWnd.m_hWnd && row < m_listWnd.GetCount(); ++row) {
        const int position = MapPropertyIndex(row);
        if (position < 0 || position >= m_list->GetSize())
            continue;
        BOOL changed = m_list->GetProp(position)->Reload();
        for (INT_PTR k = 1; m_lists && k < m_lists->GetSize(); ++k)
            if (position < m_lists->GetList(k)->GetSize())
                changed = m_lists->GetList(k)->GetProp(position)->Reload() || changed;
        if (changed) {
            CRect rect;
            m_listWnd.GetItemRect(row, &rect);
            m_listWnd.InvalidateRect(&rect);
        }
    }
}

void CPropertiesDlg::SetPinState(BOOL pinned)
{
    m_pinned = pinned;
    if (m_pinButton.m_hWnd)
        m_pinButton.SetCheck(pinned);
}

void CPropertiesDlg::SetDrillMulti(BOOL drill)
{
    m_drill = drill;
    if (m_drillButton.m_hWnd && m_drillButton.GetCheck() != drill)
        m_drillButton.SetCheck(drill);
}

void CPropertiesDlg::OnPropertyListChanged(CPropOb* property)
{
    if (!m_listWnd.m_hWnd)
        return;
    if (!property)
        property = m_current;
    for (int row = 0; row < m_listWnd.GetCount(); ++row) {
        if (PropertyOfRow(static_cast<INT_PTR>(m_listWnd.GetItemData(row))) != property)
            continue;
        CRect rect;
        m_listWnd.GetItemRect(row, &rect);
        m_listWnd.InvalidateRect(&rect);
    }
}

void CPropertiesDlg::PostToView(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_ownerView && m_ownerView->m_hWnd)
        m_ownerView->PostMessage(message, wParam, lParam);
}

void CPropertiesDlg::OnOK()
{
    if (m_pinned || m_inPane) {
        m_listWnd.SetFocus();
        return;
    }
    if (!ExchangeProperty(TRUE))
        return;
    if (m_current) {
        CString now;
        m_current->GetValueText(now);
        if (now != m_valueText)
            MarkCurrentChanged();
    }
    ApplyProperties();
    PostToView(MsgClosed, 0, 0);
    CDialog::OnOK();
}

void CPropertiesDlg::OnCancel()
{
    RestoreProperties();
}

void CPropertiesDlg::RestoreProperties()
{
    if (m_activeEditor) {
        if (m_activeEditor == EditControl)
            if (CWnd* edit = GetDlgItem(EditControl))
                edit->SetWindowText(m_valueText);
        m_listWnd.SetFocus();
        return;
    }
    if (m_inPane)
        return;
    m_listWnd.SetFocus();
    if (m_modal)
        CPropEditDlg::RestoreProperties();
    else
        ApplyProperties();
    PostToView(MsgClosed, 0, 0);
    EndDialog(IDCANCEL);
}

void CPropertiesDlg::ApplyAndNotify()
{
    if (m_modal) {
        CPropEditDlg::ApplyAndNotify();
        return;
    }
    ApplyAndNotifyModeless();
}

// A live apply of the docked or floating dialog: one undo step first; a rename shows in the
// object combo at once.
void CPropertiesDlg::ApplyAndNotifyModeless()
{
    if (m_ownerView && m_ownerView->m_hWnd)
        m_ownerView->SendMessage(MsgUndoStep, 0, 0);
    m_renamed = FALSE;
    const UINT id = GetCurrentPropertyId();
    if (auto* name = dynamic_cast<CPropStr*>(m_current); name && (id == ObjectCodeId || id == PageCodeId)) {
        const CString edited = name->m_edited;
        name->Reload();
        m_renamed = name->m_edited != edited;
        name->m_edited = edited;
    }
    CPropEditDlg::ApplyAndNotify();
    if (m_renamed)
        RenameComboEntry();
    ReloadValues();
}

// The editing view's side of property editing: property lists of the selection, the
// properties dialog in its placements, drilling into a multi-selection or its group, and the
// editors of the defaults that new objects take.
#include "View/HyperView.h"

#include "View/ChildHostWnd.h"
#include "View/ViewPropertyDialog.h"
#include "objects/HyperFrameOb.h"
#include "objects/HyperOb.h"
#include "objects/HyperViewOb.h"
#include "objects/PropBasic.h"
#include "objects/PropColor.h"
#include "objects/PropCombo.h"
#include "objects/PropNumber.h"
#include "objects/UndoRecord.h"
#include "objects/ViewSettings.h"

#include <memory>
#include <typeinfo>

namespace {

constexpr UINT PropertiesTemplate = 27934;
constexpr UINT NormalTabId = 27027;
constexpr UINT MultiSelectionTextId = 26636;
constexpr UINT PathSeparatorTextId = 26635;
constexpr UINT FirstEventId = 27391;
constexpr UINT LastEventId = 27423;
constexpr UINT ObjectCodeId = 27142;
constexpr int ResultDelete = 27675;
constexpr UINT ClosePropertiesMessage = 0x8102;

CString LoadText(UINT id, LPCTSTR fallback)
{
    CString text;
    if (!text.LoadString(id) || text.IsEmpty())
        text = fallback;
    return text;
}

BOOL IsEventScript(const CPropOb* property)
{
    const UINT id = property->GetNameId();
    return (id >= FirstEventId && id <= LastEventId) || dynamic_cast<const CPropBasic*>(property) != nullptr;
}

BOOL SameEditor(const CPropOb* a, const CPropOb* b)
{
    return a->GetNameId() == b->GetNameId() && typeid(*a) == typeid(*b);
}

INT_PTR FindEditor(const CPropObArray& list, const CPropOb* like, INT_PTR from)
{
    for (INT_PTR i = from; i < list.GetSize(); ++i)
        if (SameEditor(list.GetProp(i), like))
            return i;
    return -1;
}

// Editors of one list may point at each other; the others forget the one that goes.
void DeleteEditor(CPropObArray& list, INT_PTR index)
{
    CPropOb* gone = list.GetProp(index);
    list.RemoveAt(index);
    for (INT_PTR i = 0; i < list.GetSize(); ++i)
        list.GetProp(i)->DropLinkTo(gone);
    delete gone;
}

// Keeps in the first list only what the other list also has; event scripts never stay.
void FilterFirstList(CPropObArray& first, const CPropObArray& other)
{
    for (INT_PTR j = first.GetSize() - 1; j >= 0; --j) {
        CPropOb* property = first.GetProp(j);
        if (property->GetNameId() == ObjectCodeId)
            property->m_editable = 0;
        if (IsEventScript(property) || FindEditor(other, property, 0) < 0)
            DeleteEditor(first, j);
    }
}

// Brings a further list into the first list's order and clears the flags of the values that
// differ; editors the first list lacks are dropped.
void AlignList(const CPropObArray& first, CPropObArray& list, BOOL* flags)
{
    for (INT_PTR j = 0; j < first.GetSize(); ++j) {
        const INT_PTR found = FindEditor(list, first.GetProp(j), j);
        if (found < 0) {
            flags[j] = FALSE;
            continue;
        }
        if (found != j) {
            CObject* moved = list.GetAt(found);
            list.RemoveAt(found);
            list.InsertAt(j, moved);
        }
        flags[j] = flags[j] && first.GetProp(j)->IsEqual(list.GetProp(j));
    }
    for (INT_PTR k = list.GetSize() - 1; k >= first.GetSize(); --k)
        DeleteEditor(list, k);
}

} // namespace

BOOL* CHyperView::BuildSelectionPropertyLists(CPropListArray* lists)
{
    auto* first = new CPropObArray;
    if (m_selection.GetSize() > 0)
        static_cast<CHyperOb*>(m_selection.GetAt(0))->CollectProperties(*first, TRUE);
    lists->Add(first);
    for (INT_PTR i = 1; i < m_selection.GetSize(); ++i) {
        auto* list = new CPropObArray;
        static_cast<CHyperOb*>(m_selection.GetAt(i))->CollectProperties(*list, FALSE);
        lists->Add(list);
        FilterFirstList(*first, *list);
    }
    BOOL* flags = new BOOL[static_cast<size_t>(first->GetSize()) + 1];
    for (INT_PTR j = 0; j <= first->GetSize(); ++j)
        flags[j] = TRUE;
    for (INT_PTR k = 1; k < lists->GetSize(); ++k)
        AlignList(*first, *lists->GetList(k), flags);
    return flags;
}

CViewPropertyDialog* CHyperView::CreatePropertyDialog()
{
    PropertyDialogFactory factory = GetPropertyDialogFactory();
    return factory ? factory(this, PropertiesTemplate, 2, NormalTabId) : nullptr;
}

BOOL CHyperView::IsObjectVisible(const CHyperOb* object) const
{
    return object->IsVisible();
}

// The frame's and the page's names, as the dialog's caption.
static CString PageCaption(CHyperView* view)
{
    CHyperFrameOb* frame = view->GetFrameObject();
    CHyperViewOb* page = view->GetPageObject();
    if (!frame || !page)
        return CString();
    return frame->GetCode() + LoadText(PathSeparatorTextId, "/") + page->GetCode();
}

void CHyperView::ShowInPlaceDialog()
{
    CWnd* focus = GetFocus();
    CViewSettings& settings = GetViewSettings();
    auto* host = dynamic_cast<CChildHostWnd*>(settings.m_propertyHostWnd);
    if (settings.m_propertyDialogFlag == 0) {
        if (m_propertyDialog) {
            if (host && !host->IsWindowVisible())
                ShowPropertyHost();
            m_propertyDialog->GetDialogWindow()->ShowWindow(SW_SHOW);
        } else if (!host) {
            m_propertyDialog = CreatePropertyDialog();
            if (!m_propertyDialog)
                return;
            m_propertyDialog->SetOwnerView(this);
            m_propertyDialog->SetModal(FALSE);
            m_propertyDialog->CreateDialogWindow(this);
            if (settings.m_propertyDialogState >= 0)
                m_propertyDialog->GetDialogWindow()->SetWindowPos(
                    nullptr, settings.m_propertyDialogState, settings.m_flagC, 0, 0,
                    SWP_NOSIZE | SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE);
            m_propertyDialogShown = TRUE;
            OnSelectionChanged();
        } else {
            AdoptHostDialog(host);
        }
    } else {
        RunModalProperties();
    }
    if (focus && focus->m_hWnd)
        focus->SetFocus();
}

// The docked dialog lives in the host and follows the active view.
void CHyperView::AdoptHostDialog(CChildHostWnd* host)
{
    m_propertyDialog = dynamic_cast<CViewPropertyDialog*>(host->GetChild());
    if (m_propertyDialog) {
        m_propertyDialog->SetOwnerView(this);
    } else {
        m_propertyDialog = CreatePropertyDialog();
        if (!m_propertyDialog)
            return;
        m_propertyDialog->SetOwnerView(this);
        m_propertyDialog->SetModal(FALSE);
        m_propertyDialog->CreateDialogWindow(host);
        CWnd* window = m_propertyDialog->GetDialogWindow();
        window->ModifyStyle(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, WS_CHILD);
        window->ModifyStyleEx(WS_EX_TOOLWINDOW, 0);
        window->SetParent(host);
        window->ShowWindow(SW_SHOW);
        host->SetChild(window);
        CRect client;
        host->GetClientRect(&client);
        window->SetWindowPos(nullptr, 0, 0, client.Width(), client.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    }
    m_propertyDialogDocked = TRUE;
    m_propertyDialogShown = TRUE;
    OnSelectionChanged();
}

void CHyperView::RunModalProperties()
{
    if (m_propertyDialogShown)
        return;
    std::unique_ptr<CViewPropertyDialog> dialog(CreatePropertyDialog());
    if (!dialog)
        return;
    m_propertyDialogShown = TRUE;
    auto step = std::make_unique<CUndoRecord>(this, UndoProperties);
    INT_PTR result = IDCANCEL;
    CHyperOb* current = GetCurrentObject();
    if (m_selection.GetSize() > 0) {
        auto* lists = new CPropListArray;
        BOOL* flags = BuildSelectionPropertyLists(lists);
        dialog->SetMultiProperties(lists, flags, &m_selection, LoadText(MultiSelectionTextId, "Multi-Selection"));
        if (lists->GetList(0)->GetSize() > 0)
            result = dialog->RunModal();
    } else if (current) {
        auto* list = new CPropObArray;
        current->CollectProperties(*list, TRUE);
        CString type;
        GetObjectTypeName(type, current);
        dialog->SetProperties(list, current, type);
        if (list->GetSize() > 0)
            result = dialog->RunModal();
    } else if (GetPageObject() && GetFrameObject()) {
        auto* list = new CPropObArray;
        GetPageObject()->CollectProperties(*list, TRUE);
        GetFrameObject()->CollectProperties(*list, TRUE);
        dialog->SetPropertiesEx(list, GetPageObject(), GetFrameObject(), PageCaption(this));
        result = dialog->RunModal();
    }
    if (result == IDOK) {
        PushUndo(step.release(), FALSE);
        LayOutEdited(current);
    } else if (result == ResultDelete) {
        OnEditDelete();
    }
    dialog->DeleteProperties();
    m_propertyDialogShown = FALSE;
}

void CHyperView::LayOutEdited(CHyperOb* current)
{
    if (m_selection.GetSize() > 0) {
        m_selection.BroadcastUpdateLayout();
    } else if (current) {
        current->UpdateLayout(TRUE, 0);
    } else {
        if (GetFrameObject())
            GetFrameObject()->UpdateLayout(TRUE, 0);
        if (GetPageObject())
            GetPageObject()->UpdateLayout(TRUE, 0);
    }
}

void CHyperView::OnSelectionChanged()
{
    if (!m_propertyDialog)
        return;
    CWnd* focus = GetFocus();
    const BOOL idle = m_propertyDialog->IsIdle();
    const BOOL hosted = GetViewSettings().m_propertyHostWnd != nullptr && m_propertyDialogDocked;
    if (!hosted) {
        if (!idle && !m_propertyDialog->GetPinState()) {
            SendMessage(ClosePropertiesMessage, 0, 0);
            return;
        }
        if (!m_editMode)
            return;
    } else if (!m_editMode) {
        return;
    }
    if (!idle)
        m_propertyDialog->DeleteProperties();
    if (hosted)
        m_propertyDialog->SetOwnerView(this);
    if (GetFrameObject() && GetPageObject())
        m_propertyDialog->SetCaptionText(PageCaption(this));
    FillPropertyDialog();
    m_propertyDialog->RefreshPropertyList();
    CWnd* window = m_propertyDialog->GetDialogWindow();
    if (idle || !window->IsWindowVisible())
        window->ShowWindow(SW_SHOW);
    if (focus && focus->m_hWnd)
        focus->SetFocus();
}

void CHyperView::FillPropertyDialog()
{
    CHyperOb* current = GetCurrentObject();
    if (m_selection.GetSize() > 0) {
        BeginWaitCursor();
        auto* lists = new CPropListArray;
        BOOL* flags = BuildSelectionPropertyLists(lists);
        m_propertyDialog->SetMultiProperties(lists, flags, &m_selection,
                                             LoadText(MultiSelectionTextId, "Multi-Selection"));
        m_propertyDialog->FillObjectCombo(GetObjects(), GetPageObject(), CViewPropertyDialog::MultiSelectionIndex,
                                          GetCommonGroupId(m_selection) >= 0);
        EndWaitCursor();
    } else if (current) {
        auto* list = new CPropObArray;
        current->CollectProperties(*list, TRUE);
        CString type;
        GetObjectTypeName(type, current);
        m_propertyDialog->SetProperties(list, current, type);
        m_propertyDialog->FillObjectCombo(GetObjects(), GetPageObject(), m_currentIndex, FALSE);
    } else if (GetPageObject()) {
        auto* list = new CPropObArray;
        GetPageObject()->CollectProperties(*list, TRUE);
        if (GetFrameObject())
            GetFrameObject()->CollectProperties(*list, TRUE);
        m_propertyDialog->SetPropertiesEx(list, GetPageObject(), GetFrameObject(), m_propertyDialog->GetCaptionText());
        m_propertyDialog->FillObjectCombo(GetObjects(), GetPageObject(), -1, FALSE);
    }
}

void CHyperView::OnActivateView(BOOL activate, CView* activateView, CView* deactiveView)
{
    CHyperRunView::OnActivateView(activate, activateView, deactiveView);
    if (!m_propertyDialog) {
        // The modal form opens only when the user asks for it.
        const CViewSettings& settings = GetViewSettings();
        if (activate && settings.m_propertyHostWnd && settings.m_propertyDialogFlag == 0)
            ShowInPlaceDialog();
        return;
    }
    if (activate && activateView != deactiveView)
        OnSelectionChanged();
}

void CHyperView::ShowSelectionProperties()
{
    if (!m_editMode)
        return;
    if (GetViewSettings().m_propertyDialogFlag != 0) {
        // A pane's dialog that is still open keeps its shown flag; the modal form is its own.
        const BOOL paneShown = m_propertyDialog && m_propertyDialogShown;
        m_propertyDialogShown = m_propertyDialogShown && !paneShown;
        RunModalProperties();
        m_propertyDialogShown = m_propertyDialogShown || paneShown;
        return;
    }
    if (m_propertyDialog)
        OnSelectionChanged();
    else
        ShowInPlaceDialog();
    if (m_propertyDialogDocked)
        ShowPropertyHost();
}

void CHyperView::OnProperties()
{
    ShowSelectionProperties();
}

void CHyperView::DropPropertyLists()
{
    if (!m_propertyDialog || m_propertyDialog->IsIdle())
        return;
    if (m_propertyDialogDocked && m_propertyDialog->GetOwnerView() != this)
        return;
    m_propertyDialog->DeleteProperties();
    m_propertyDialog->RefreshPropertyList();
}

void CHyperView::ReleasePropertyDialog()
{
    if (!m_propertyDialog)
        return;
    if (!m_propertyDialogDocked) {
        delete m_propertyDialog;
    } else if (m_propertyDialog->GetOwnerView() == this) {
        DropPropertyLists();
        m_propertyDialog->FillObjectCombo(CObArray(), nullptr, -1, FALSE);
        m_propertyDialog->SetOwnerView(nullptr);
    }
    m_propertyDialog = nullptr;
    m_propertyDialogShown = FALSE;
    m_propertyDialogDocked = FALSE;
}

LRESULT CHyperView::OnCloseProperties(WPARAM, LPARAM)
{
    if (!m_propertyDialog || m_propertyDialogDocked)
        return 0;
    ReleasePropertyDialog();
    SetFocus();
    return 0;
}

CPropOb* CHyperView::CreateFormatProperty(UINT propertyId)
{
    CHyperViewOb* page = GetPageObject();
    if (propertyId == CHyperViewOb::FontId)
        return page ? new CPropFont(propertyId, &page->Font) : nullptr;
    if (propertyId == 27154)
        return new CPropColor(propertyId, m_useObjectDefaults || !page ? &m_defaultBackColor : &page->Color);
    if (!m_useObjectDefaults)
        return nullptr;
    auto combo = [](UINT id, int* field) { return new CPropCombo(id, reinterpret_cast<DWORD*>(field)); };
    switch (propertyId) {
    case 27155: return new CPropColor(propertyId, &m_defaultForeColor);
    case 27041: return combo(propertyId, &m_defaultHatchStyle);
    case 27050: return combo(propertyId, &m_defaultShadowStyle);
    case 27160: return combo(propertyId, &m_defaultConnectorStyle);
    case 27168: return combo(propertyId, &m_defaultPenStyle);
    case 27174: return new CPropInt(propertyId, &m_defaultPenWidth, 1, 10);
    case 27185: return combo(propertyId, &m_defaultLineStyle);
    default: return nullptr;
    }
}

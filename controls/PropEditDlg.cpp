#include "controls/PropEditDlg.h"

#include "controls/ColourComboBox.h"
#include "controls/PropExchangeAdapters.h"
#include "objects/HyperBaseOb.h"
#include "objects/PropColor.h"
#include "objects/PropCombo.h"
#include "objects/PropDatetime.h"
#include "objects/PropListValue.h"
#include "objects/PropNumber.h"
#include "objects/PropText.h"
#include "objects/kinds/PropBitmap.h"

namespace {

// The class a property belongs to decides the buffer its value travels in.
int KindOfClass(const CPropOb* property)
{
    if (dynamic_cast<const CPropCombo*>(property))
        return CPropEditDlg::KindChoice;
    if (dynamic_cast<const CPropInt*>(property))
        return CPropEditDlg::KindInt;
    if (dynamic_cast<const CPropLong*>(property))
        return CPropEditDlg::KindLong;
    if (dynamic_cast<const CPropDbl*>(property))
        return CPropEditDlg::KindDouble;
    if (dynamic_cast<const CPropColor*>(property))
        return CPropEditDlg::KindColour;
    if (dynamic_cast<const CPropFont*>(property))
        return CPropEditDlg::KindFont;
    if (dynamic_cast<const CPropUrlEditCombo*>(property))
        return CPropEditDlg::KindUrl;
    if (dynamic_cast<const CPropEditCombo*>(property))
        return CPropEditDlg::KindEditCombo;
    if (dynamic_cast<const CPropFile*>(property))
        return CPropEditDlg::KindFile;
    if (dynamic_cast<const CPropCustDatetime*>(property))
        return CPropEditDlg::KindDateTime;
    if (dynamic_cast<const CPropDatetime*>(property))
        return CPropEditDlg::KindDateTimeAlt;
    // A note text is edited by a dialog layer of its own kind.
    if (dynamic_cast<const CPropSticky*>(property))
        return CPropEditDlg::KindOther;
    if (dynamic_cast<const CPropStr*>(property))
        return CPropEditDlg::KindText;
    if (dynamic_cast<const CPropBitmap*>(property))
        return CPropEditDlg::KindBitmap;
    if (dynamic_cast<const CPropAnchor*>(property))
        return CPropEditDlg::KindSnapPoints;
    if (dynamic_cast<const CPropLayer*>(property))
        return CPropEditDlg::KindLayers;
    return CPropEditDlg::KindOther;
}

BOOL StartsWith(const CString& text, LPCTSTR prefix)
{
    return text.Left(static_cast<int>(strlen(prefix))) == prefix;
}

} // namespace

CPropEditDlg::CPropEditDlg(UINT idTemplate, CWnd* parent) : CPropDialogBase(idTemplate, parent) { }

int CPropEditDlg::EditKindOf(const CPropOb* property)
{
    if (!property)
        return KindOther;
    // Derived layers edit kinds of their own that no class here stands for.
    const int byClass = KindOfClass(property);
    if (byClass == KindOther && property->m_kind != 0)
        return static_cast<int>(property->m_kind);
    return byClass;
}

CString CPropEditDlg::CompleteUrl(CString text, const CString& programFolder)
{
    text.TrimLeft(' ');
    if (StartsWith(text, "www."))
        text = "http://" + text;
    if (StartsWith(text, "ftp."))
        text = "ftp://" + text;
    const int at = text.Find('@');
    if (!text.IsEmpty() && text[0] != '@' && at > 0 && text.ReverseFind('@') == at && at < text.GetLength() - 1)
        text = "mailto:" + text;
    if (!text.IsEmpty() && (text[0] == '\\' || text[0] == '/')) {
        if (text.Mid(text.ReverseFind('\\') + 1).Find('.') >= 0) {
            text = "file://" + programFolder + text;
            text.Replace('\\', '/');
        }
    } else if (text.GetLength() >= 3 && isalpha(static_cast<unsigned char>(text[0])) && text[1] == ':' &&
               (text[2] == '\\' || text[2] == '/')) {
        text = "file://" + text;
        text.Replace('\\', '/');
    }
    return text;
}

CRect CPropEditDlg::PlaceRectNear(CRect dialog, const CRect& object, CSize screen)
{
    dialog.OffsetRect(object.left - dialog.left, 0);
    if (dialog.right > screen.cx)
        dialog.OffsetRect(screen.cx - dialog.right, 0);
    const int height = dialog.Height();
    if (height + object.bottom < screen.cy)
        dialog.OffsetRect(0, object.bottom - dialog.top);
    else if (object.top - height >= 0)
        dialog.OffsetRect(0, object.top - dialog.bottom);
    else
        dialog.OffsetRect(0, (screen.cy - height) / 2 - dialog.top);
    return dialog;
}

void CPropEditDlg::PlaceNearOwner(int heightReduction)
{
    CHyperBaseOb* owner = GetOwnerObject();
    CRect object;
    if (!owner || !owner->GetScreenRect(&object)) {
        CenterWindow();
        return;
    }
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    GetWindowPlacement(&placement);
    CRect normal(placement.rcNormalPosition);
    normal.bottom -= heightReduction;
    const CSize screen(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    placement.rcNormalPosition = PlaceRectNear(normal, object, screen);
    placement.showCmd |= SW_SHOW;
    SetWindowPlacement(&placement);
}

UINT CPropEditDlg::GetCurrentPropertyId() const
{
    return m_current ? m_current->GetNameId() : 0;
}

BOOL CPropEditDlg::ExchangeProperty(BOOL save)
{
    if (save) {
        if (m_currentRow < 0 || !m_current)
            return TRUE;
        if (!UpdateData(TRUE)) {
            if (CWnd* list = GetDlgItem(ListControl))
                list->SendMessage(LB_SETCURSEL, static_cast<WPARAM>(m_currentRow), 0);
            return FALSE;
        }
        StoreValue(EditKindOf(m_current));
        PropagateCurrent();
        return TRUE;
    }
    if (m_currentRow >= 0)
        HideEditor();
    CWnd* list = GetDlgItem(ListControl);
    m_currentRow = list ? static_cast<int>(list->SendMessage(LB_GETCURSEL, 0, 0)) : -1;
    const int position = m_currentRow >= 0 ? MapPropertyIndex(m_currentRow) : -1;
    if (!m_list || position < 0 || position >= m_list->GetSize()) {
        m_currentRow = -1;
        m_current = nullptr;
        return FALSE;
    }
    m_current = m_list->GetProp(position);
    LoadValue(EditKindOf(m_current));
    ShowEditor();
    return UpdateData(FALSE);
}

// Every selected object's property at this position takes the value, then each keeps its
// linked properties in step.
void CPropEditDlg::PropagateCurrent()
{
    if (!m_lists) {
        m_current->OnValueChanged();
        return;
    }
    const int position = MapPropertyIndex(m_currentRow);
    for (INT_PTR k = 1; k < m_lists->GetSize(); ++k)
        if (position < m_lists->GetList(k)->GetSize())
            m_lists->GetList(k)->GetProp(position)->CopyValueFrom(m_current);
    for (INT_PTR k = 0; k < m_lists->GetSize(); ++k)
        if (position < m_lists->GetList(k)->GetSize())
            m_lists->GetList(k)->GetProp(position)->OnValueChanged();
}

void CPropEditDlg::LoadValue(int kind)
{
    if (kind <= KindOther)
        m_remembered[kind] = m_current;
    switch (kind) {
    case KindInt: m_intValue = static_cast<CPropInt*>(m_current)->m_edited; break;
    case KindLong: m_longValue = static_cast<CPropLong*>(m_current)->m_edited; break;
    case KindDouble: m_doubleValue = static_cast<CPropDbl*>(m_current)->m_edited; break;
    case KindText:
    case KindFile:
    case KindEditCombo:
    case KindUrl:
    case KindDateTime:
    case KindDateTimeAlt: m_textValue = static_cast<CPropStr*>(m_current)->m_edited; break;
    case KindColour: m_colourValue = static_cast<CPropColor*>(m_current)->m_edited; break;
    case KindFont: m_fontValue = static_cast<CPropFont*>(m_current)->m_edited; break;
    case KindBitmap: m_bitmapValue.CopyFrom(static_cast<CPropBitmap*>(m_current)->m_edited); break;
    case KindSnapPoints: m_snapPoints.CopyFrom(&static_cast<CPropAnchor*>(m_current)->m_edited); break;
    case KindLayers: m_layers.CopyFrom(&static_cast<CPropLayer*>(m_current)->m_edited); break;
    case KindChoice: break;
    default: ExchangePropValue(FALSE); break;
    }
}

void CPropEditDlg::StoreValue(int kind)
{
    CPropOb* target = kind <= KindOther && m_remembered[kind] ? m_remembered[kind] : m_current;
    switch (kind) {
    case KindInt: static_cast<CPropInt*>(target)->m_edited = m_intValue; break;
    case KindLong: static_cast<CPropLong*>(target)->m_edited = static_cast<LONG>(m_longValue); break;
    case KindDouble: static_cast<CPropDbl*>(target)->m_edited = m_doubleValue; break;
    case KindText:
    case KindFile:
    case KindEditCombo:
    case KindDateTime:
    case KindDateTimeAlt: static_cast<CPropStr*>(target)->m_edited = m_textValue; break;
    case KindUrl: static_cast<CPropStr*>(target)->m_edited = CompleteUrl(m_textValue, GetProgramFolder()); break;
    case KindColour: static_cast<CPropColor*>(target)->m_edited = m_colourValue; break;
    case KindFont: static_cast<CPropFont*>(target)->m_edited = m_fontValue; break;
    case KindBitmap: static_cast<CPropBitmap*>(target)->m_edited.CopyFrom(m_bitmapValue); break;
    case KindSnapPoints: static_cast<CPropAnchor*>(target)->m_edited.CopyFrom(&m_snapPoints); break;
    case KindLayers: static_cast<CPropLayer*>(target)->m_edited.CopyFrom(&m_layers); break;
    case KindChoice: break;
    default: ExchangePropValue(TRUE); break;
    }
}

void CPropEditDlg::DoDataExchange(CDataExchange* dx)
{
    CPropDialogBase::DoDataExchange(dx);
    if (m_currentRow < 0 || !m_current)
        return;
    ExchangeControls(dx, EditKindOf(m_current));
}

void CPropEditDlg::ExchangeControls(CDataExchange* dx, int kind)
{
    switch (kind) {
    case KindInt:
    case KindLong:
    case KindDouble: ExchangeNumber(dx, kind); break;
    case KindText:
    case KindFile:
    case KindDateTime:
    case KindDateTimeAlt: ExchangeText(dx, kind); break;
    case KindChoice:
    case KindEditCombo:
    case KindUrl: ExchangeChoice(dx, kind); break;
    case KindColour:
        if (m_current->m_controlId == ColourComboControl)
            ExchangeColourCombo(dx, GetColourCombo(), m_colourValue);
        break;
    default: break;
    }
}

// Numbers live in the edit field while it edits them; the limits are checked on saving.
void CPropEditDlg::ExchangeNumber(CDataExchange* dx, int kind)
{
    const int id = static_cast<int>(m_current->m_controlId);
    if (id != EditControl || !GetDlgItem(id))
        return;
    if (kind == KindInt) {
        DDX_Text(dx, id, m_intValue);
        const auto* number = static_cast<CPropInt*>(m_current);
        if (dx->m_bSaveAndValidate)
            DDV_MinMaxInt(dx, m_intValue, number->m_lower, number->m_upper);
    } else if (kind == KindLong) {
        DDX_Text(dx, id, m_longValue);
    } else {
        DDX_Text(dx, id, m_doubleValue);
    }
}

void CPropEditDlg::ExchangeText(CDataExchange* dx, int)
{
    const int id = static_cast<int>(m_current->m_controlId);
    if (id == EditControl && GetDlgItem(id))
        DDX_Text(dx, id, m_textValue);
    if (!dx->m_bSaveAndValidate)
        return;
    CDataExchangeAdapter exchange(dx);
    m_current->Validate(&exchange, m_textValue);
}

void CPropEditDlg::ExchangeChoice(CDataExchange* dx, int kind)
{
    const UINT id = kind == KindChoice ? ChoiceControl : m_current->m_controlId;
    CComboBox* combo = GetEditorCombo(id);
    if (!combo)
        return;
    CComboChoiceBox box(combo);
    if (kind == KindChoice) {
        auto* choice = static_cast<CPropCombo*>(m_current);
        if (!dx->m_bSaveAndValidate) {
            choice->FillCombo(&box);
            return;
        }
        // No selection keeps the value.
        const int selected = combo->GetCurSel();
        if (selected >= 0)
            choice->m_edited = static_cast<DWORD>(combo->GetItemData(selected));
        return;
    }
    if (!dx->m_bSaveAndValidate)
        static_cast<CPropEditCombo*>(m_current)->FillCombo(&box);
    else
        combo->GetWindowText(m_textValue);
}

void CPropEditDlg::MarkCurrentChanged()
{
    if (m_commonFlags && m_currentRow >= 0 && m_list) {
        const int position = MapPropertyIndex(m_currentRow);
        if (position >= 0 && position < m_list->GetSize())
            m_commonFlags[position] = TRUE;
    }
}

void CPropEditDlg::EditPropValue()
{
    switch (EditKindOf(m_current)) {
    case KindColour: BrowseColour(); break;
    case KindFont: ChooseFont(); break;
    case KindFile: ChooseFile(); break;
    case KindBitmap: BrowseBitmap(); break;
    case KindSnapPoints: EditSnapPoints(); break;
    case KindLayers: BrowseLayers(); break;
    case KindDateTime: BrowseDateTime(); break;
    case KindDateTimeAlt: BrowseDateTimeAlt(); break;
    default: break;
    }
}

void CPropEditDlg::ApplyAndNotify()
{
    CPropDialogBase::ApplyAndNotify();
    CRect rect;
    if (!m_owner || !m_list || !m_owner->GetObjectRect(&rect))
        return;
    struct Edge {
        UINT id;
        LONG CRect::*side;
    };
    static constexpr Edge edges[] = {
        {27136, &CRect::left}, {27137, &CRect::right}, {27138, &CRect::top}, {27139, &CRect::bottom}};
    for (INT_PTR i = 0; i < m_list->GetSize(); ++i) {
        auto* position = dynamic_cast<CPropLong*>(m_list->GetProp(i));
        for (const Edge& edge : edges) {
            if (!position || position->GetNameId() != edge.id || position->m_edited == rect.*edge.side)
                continue;
            position->m_edited = rect.*edge.side;
            position->Apply();
            OnPropertyListChanged(position);
        }
    }
}

void CPropEditDlg::OnOK()
{
    if (!ExchangeProperty(TRUE))
        return;
    ApplyProperties();
    CPropDialogBase::OnOK();
}

void CPropEditDlg::OnCancel()
{
    RestoreProperties();
}

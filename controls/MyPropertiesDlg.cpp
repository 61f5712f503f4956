#include "controls/MyPropertiesDlg.h"

#include "objects/PropText.h"
#include "platform/ui/Resources.h"
#include "platform/ui/WinApp.h"

namespace {

constexpr LPCTSTR ButtonPressedText = "AutoShape";

void RegisterBlobRunTemplate()
{
    if (FindDialogResource(CBlobRunDlg::Template))
        return;
    DialogTemplate t;
    t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    t.cx = 180;
    t.cy = 70;
    t.caption = "Blob";
    const DWORD visible = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
    t.items = {
        {"edit", "", CBlobRunDlg::FirstEdit, visible | WS_BORDER | ES_AUTOHSCROLL, 0, 7, 7, 166, 14},
        {"edit", "", CBlobRunDlg::SecondEdit, visible | WS_BORDER | ES_AUTOHSCROLL, 0, 7, 27, 166, 14},
        {"button", "OK", IDOK, visible | BS_DEFPUSHBUTTON, 0, 70, 49, 50, 14},
        {"button", "Cancel", IDCANCEL, visible, 0, 123, 49, 50, 14},
    };
    RegisterDialogResource(CBlobRunDlg::Template, t);
}

} // namespace

CMyPropertiesDlg::CMyPropertiesDlg(CWnd* parent) : CAnchorSnapsPropDlg(Template, parent)
{
    SetTabs(2, FirstTabId);
    m_textButtonIds.Add(ButtonTextId);
}

BOOL CMyPropertiesDlg::IsTextButtonProperty(const CPropOb* property) const
{
    if (!property || EditKindOf(property) != KindText)
        return FALSE;
    for (INT_PTR i = 0; i < m_textButtonIds.GetSize(); ++i)
        if (m_textButtonIds.GetAt(i) == property->GetNameId())
            return TRUE;
    return FALSE;
}

// The edit field leaves room for the row's button.
BOOL CMyPropertiesDlg::HitTestEditor(const CRect& cell, const CString& valueText)
{
    if (!IsTextButtonProperty(m_current) || m_current->m_controlId == BrowseControl)
        return FALSE;
    CWnd* edit = GetDlgItem(EditControl);
    if (!edit)
        return FALSE;
    m_settingText = TRUE;
    PlaceEditorOverCell(edit, CRect(cell.left + 4, cell.top + 1, cell.right - 17, cell.bottom - 1), FALSE);
    edit->SetWindowText(valueText);
    m_settingText = FALSE;
    m_activeEditor = EditControl;
    edit->SetFocus();
    edit->SendMessage(EM_SETSEL, 0, -1);
    return TRUE;
}

void CMyPropertiesDlg::DrawRowButton(CDC* dc, INT_PTR data, const CRect& row)
{
    CPropOb* property = PropertyOfRow(data);
    if (!IsTextButtonProperty(property)) {
        CPropertiesDlg::DrawRowButton(dc, data, row);
        return;
    }
    const UINT own = property->m_controlId;
    property->m_controlId = BrowseControl;
    CPropertiesDlg::DrawRowButton(dc, data, row);
    property->m_controlId = own;
}

// The button of a text row shows the text, then sets it to its fixed word.
void CMyPropertiesDlg::OnRowActivated()
{
    if (!m_rightZone || !IsTextButtonProperty(m_current))
        return;
    auto* text = static_cast<CPropStr*>(m_current);
    AfxMessageBox(text->m_edited);
    text->m_edited = ButtonPressedText;
    ApplyAndNotify();
    OnPropertyListChanged(nullptr);
}

void CMyPropertiesDlg::ExchangePropValue(BOOL save)
{
    CAnchorSnapsPropDlg::ExchangePropValue(save);
    if (!save && EditKindOf(m_current) == CPropBlob::BlobKind) {
        m_blobProperty = static_cast<CPropBlob*>(m_current);
        m_blobRun = m_blobProperty->m_edited;
    } else if (save && m_blobProperty && EditKindOf(m_current) == CPropBlob::BlobKind) {
        m_blobProperty->m_edited = m_blobRun;
    }
}

void CMyPropertiesDlg::EditPropValue()
{
    CAnchorSnapsPropDlg::EditPropValue();
    const int kind = EditKindOf(m_current);
    if (kind == KindText) {
        m_rightZone = TRUE;
        OnRowActivated();
    } else if (kind == CPropBlob::BlobKind) {
        EditBlobRun();
    }
}

void CMyPropertiesDlg::EditBlobRun()
{
    CBlobRunDlg dialog(&m_blobRun, this);
    dialog.DoModal();
    ExchangeProperty(TRUE);
}

CBlobRunDlg::CBlobRunDlg(CBlobRun* target, CWnd* parent)
    : CDialog(Template, parent), m_first(target->first), m_second(target->second), m_target(target)
{
    RegisterBlobRunTemplate();
}

void CBlobRunDlg::DoDataExchange(CDataExchange* dx)
{
    CDialog::DoDataExchange(dx);
    DDX_Text(dx, FirstEdit, m_first);
    DDX_Text(dx, SecondEdit, m_second);
}

void CBlobRunDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    m_target->first = m_first;
    m_target->second = m_second;
    EndDialog(IDOK);
}

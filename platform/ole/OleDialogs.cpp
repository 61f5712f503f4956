// The container's standard dialogs.
#include "platform/ole/OleDialogs.h"

#include "platform/ole/OleClientItem.h"
#include "platform/ole/OleDataObject.h"
#include "platform/ole/OleDocument.h"
#include "platform/ui/WinApp.h"

IMPLEMENT_DYNAMIC(COleInsertDialog, CCommonDialog)
IMPLEMENT_DYNAMIC(COlePasteSpecialDialog, CCommonDialog)
IMPLEMENT_DYNAMIC(COlePropertiesDialog, CDialog)
IMPLEMENT_DYNAMIC(COleUpdateDialog, CCommonDialog)

COleInsertDialog::COleInsertDialog(DWORD, CWnd* pParentWnd) : CCommonDialog(pParentWnd) { }

INT_PTR COleInsertDialog::DoModal()
{
    CFileDialog chooser(TRUE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, "All Files (*.*)|*.*||",
                        m_pParentWnd);
    if (chooser.DoModal() != IDOK)
        return IDCANCEL;
    m_pathName = chooser.GetPathName();
    return IDOK;
}

BOOL COleInsertDialog::CreateItem(COleClientItem* pItem)
{
    return pItem && !m_pathName.IsEmpty() && pItem->CreateFromFile(m_pathName);
}

COlePasteSpecialDialog::COlePasteSpecialDialog(DWORD, COleDataObject* pDataObject, CWnd* pParentWnd)
    : CCommonDialog(pParentWnd), m_pData(pDataObject)
{
    if (!m_pData) {
        m_pData = new COleDataObject;
        m_ownData = true;
        m_pData->AttachClipboard();
    }
}

COlePasteSpecialDialog::~COlePasteSpecialDialog()
{
    if (m_ownData)
        delete m_pData;
}

void COlePasteSpecialDialog::AddStandardFormats(BOOL) { }

INT_PTR COlePasteSpecialDialog::DoModal()
{
    if (!COleClientItem::CanCreateFromData(m_pData)) {
        AfxMessageBox("The clipboard holds nothing that can be pasted as an object.", MB_OK | MB_ICONINFORMATION);
        return IDCANCEL;
    }
    bool embedded = m_pData->IsDataAvailable(static_cast<CLIPFORMAT>(RegisterClipboardFormat(CF_EMBEDDEDPACKAGE_NAME))) ||
                    m_pData->IsDataAvailable(CF_HDROP);
    m_selection = embedded ? pasteNormal : pasteStatic;
    CString question = embedded ? "Paste the clipboard contents as an embedded file?"
                                : "Paste the clipboard contents as a picture?";
    return AfxMessageBox(question, MB_OKCANCEL | MB_ICONQUESTION) == IDOK ? IDOK : IDCANCEL;
}

BOOL COlePasteSpecialDialog::CreateItem(COleClientItem* pItem)
{
    if (!pItem)
        return FALSE;
    return m_selection == pasteStatic ? pItem->CreateStaticFromData(m_pData) : pItem->CreateFromData(m_pData);
}

COlePropertiesDialog::COlePropertiesDialog(COleClientItem* pItem, UINT nScaleMin, UINT nScaleMax, CWnd* pParentWnd)
    : CDialog(0, pParentWnd), m_pItem(pItem), m_scaleMin(nScaleMin), m_scaleMax(nScaleMax)
{
}

INT_PTR COlePropertiesDialog::DoModal()
{
    if (!m_pItem)
        return IDCANCEL;
    CString type, size;
    m_pItem->GetUserType(USERCLASSTYPE_FULL, type);
    size.Format("%zu bytes", m_pItem->GetFileData().size());
    DialogTemplate form;
    form.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER;
    form.cx = 200;
    form.cy = 92;
    form.caption = "Object Properties";
    form.items = {
        {"static", ("File: " + m_pItem->GetFileName()).GetString(), 0xFFFF, WS_CHILD | WS_VISIBLE, 0, 7, 7, 186, 10},
        {"static", ("Type: " + type).GetString(), 0xFFFF, WS_CHILD | WS_VISIBLE, 0, 7, 20, 186, 10},
        {"static", ("Size: " + size).GetString(), 0xFFFF, WS_CHILD | WS_VISIBLE, 0, 7, 33, 186, 10},
        {"static", "&Scale (%):", 0xFFFF, WS_CHILD | WS_VISIBLE, 0, 7, 50, 50, 10},
        {"edit", "", IDC_SCALE, WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER, 0, 60, 48, 40, 12},
        {"button", "OK", IDOK, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 86, 70, 50, 14},
        {"button", "Cancel", IDCANCEL, WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 143, 70, 50, 14},
    };
    InitModalIndirect(form, m_pParentWnd);
    return CDialog::DoModal();
}

BOOL COlePropertiesDialog::OnInitDialog()
{
    m_scale = 100;
    return CDialog::OnInitDialog();
}

void COlePropertiesDialog::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, IDC_SCALE, m_scale);
    DDV_MinMaxUInt(pDX, m_scale, m_scaleMin, m_scaleMax);
}

void COlePropertiesDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    OnApplyScale(m_pItem, static_cast<int>(m_scale), FALSE);
    EndDialog(IDOK);
}

BOOL COlePropertiesDialog::OnApplyScale(COleClientItem*, int, BOOL) { return FALSE; }

COleUpdateDialog::COleUpdateDialog(COleDocument* pDoc, BOOL, BOOL bUpdateEmbeddings, CWnd* pParentWnd)
    : CCommonDialog(pParentWnd), m_pDoc(pDoc), m_bUpdateEmbeddings(bUpdateEmbeddings)
{
}

INT_PTR COleUpdateDialog::DoModal()
{
    if (m_pDoc && m_bUpdateEmbeddings) {
        POSITION pos = m_pDoc->GetStartPosition();
        while (pos)
            if (COleClientItem* item = m_pDoc->GetNextItem(pos); item->IsOpen())
                item->UpdateFromOpenFile();
    }
    return IDOK;
}

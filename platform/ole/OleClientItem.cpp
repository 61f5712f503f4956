// COleClientItem: lifecycle, creation and states of an embedded file package.
#include "platform/ole/OleClientItem.h"

#include "platform/core/File.h"
#include "platform/core/FileException.h"
#include "platform/core/GlobalMemory.h"
#include "platform/ole/ClipSource.h"
#include "platform/ole/ItemPackage.h"
#include "platform/ole/OleDataObject.h"
#include "platform/ole/OleDataSource.h"
#include "platform/ole/OleDocument.h"
#include "platform/ui/UiApi.h"

#include <cstring>

IMPLEMENT_DYNAMIC(COleClientItem, CCmdTarget)

namespace {

struct NewDocumentKind {
    const CLSID* clsid;
    LPCSTR fileName;
    LPCSTR contents;
};

constexpr NewDocumentKind kNewDocumentKinds[] = {
    {&CLSID_TextPackage, "New Text Document.txt", ""},
    {&CLSID_RichTextPackage, "New Rich Text Document.rtf", "{\\rtf1\\ansi }"},
};

UINT PackageFormat() { return RegisterClipboardFormat(CF_EMBEDDEDPACKAGE_NAME); }

bool ReadWholeFile(LPCTSTR path, std::vector<BYTE>& data)
{
    CFile file;
    if (!path || !file.Open(path, CFile::modeRead | CFile::shareDenyNone))
        return false;
    try {
        ULONGLONG length = file.GetLength();
        if (length > ole::kMaxPackageBytes)
            return false;
        data.resize(static_cast<size_t>(length));
        return file.Read(data.data(), static_cast<UINT>(length)) == length;
    } catch (CFileException* e) {
        e->Delete();
        return false;
    }
}

// A packed DIB as the bytes of a .bmp file.
std::vector<BYTE> BmpFileFromDib(const std::vector<BYTE>& dib)
{
    size_t offset = ole::PackedDibBitsOffset(dib);
    if (!offset)
        return {};
    std::vector<BYTE> file(14, 0);
    DWORD size = static_cast<DWORD>(14 + dib.size());
    DWORD bits = static_cast<DWORD>(14 + offset);
    file[0] = 'B';
    file[1] = 'M';
    std::memcpy(&file[2], &size, 4);
    std::memcpy(&file[10], &bits, 4);
    file.insert(file.end(), dib.begin(), dib.end());
    return file;
}

} // namespace

COleClientItem::COleClientItem(COleDocument* pContainerDoc)
{
    if (pContainerDoc)
        pContainerDoc->AddItem(this);
}

COleClientItem::~COleClientItem()
{
    if (m_pDocument)
        m_pDocument->RemoveItem(this);
}

void COleClientItem::Delete(BOOL bAutoDelete)
{
    Close(OLECLOSE_NOSAVE);
    if (m_pDocument)
        m_pDocument->RemoveItem(this);
    if (bAutoDelete)
        delete this;
}

void COleClientItem::SetPackage(CString fileName, std::vector<BYTE> data, OLE_OBJTYPE type)
{
    Close(OLECLOSE_NOSAVE);
    m_package = std::make_unique<Package>(Package{ole::SafeFileName(fileName), std::move(data), type});
}

BOOL COleClientItem::CreateFromFile(LPCTSTR lpszFileName, REFCLSID)
{
    std::vector<BYTE> data;
    if (!ReadWholeFile(lpszFileName, data))
        return FALSE;
    CString path(lpszFileName);
    int slash = std::max(path.ReverseFind('/'), path.ReverseFind('\\'));
    SetPackage(path.Mid(slash + 1), std::move(data), OT_EMBEDDED);
    return TRUE;
}

BOOL COleClientItem::CreateNewItem(REFCLSID clsid)
{
    for (const NewDocumentKind& kind : kNewDocumentKinds) {
        if (*kind.clsid == clsid) {
            SetPackage(kind.fileName, std::vector<BYTE>(kind.contents, kind.contents + std::strlen(kind.contents)),
                       OT_EMBEDDED);
            return TRUE;
        }
    }
    return FALSE;
}

BOOL COleClientItem::CreateFromData(COleDataObject* pDataObject)
{
    if (!pDataObject)
        return FALSE;
    if (HGLOBAL record = pDataObject->GetGlobalData(static_cast<CLIPFORMAT>(PackageFormat()))) {
        std::vector<BYTE> bytes;
        BytesFromGlobal(record, bytes);
        GlobalFree(record);
        return ole::ReadPackageRecord(*this, bytes);
    }
    HDROP drop = static_cast<HDROP>(pDataObject->GetGlobalData(CF_HDROP));
    if (!drop)
        return FALSE;
    char path[MAX_PATH * 4] = "";
    BOOL ok = DragQueryFile(drop, 0, path, sizeof path) > 0 && CreateFromFile(path);
    DragFinish(drop);
    return ok;
}

BOOL COleClientItem::CreateStaticFromData(COleDataObject* pDataObject)
{
    HGLOBAL dib = pDataObject ? pDataObject->GetGlobalData(CF_DIB) : nullptr;
    std::vector<BYTE> bytes;
    bool ok = dib && BytesFromGlobal(dib, bytes);
    GlobalFree(dib);
    std::vector<BYTE> file = ok ? BmpFileFromDib(bytes) : std::vector<BYTE>();
    if (file.empty())
        return FALSE;
    SetPackage("Picture.bmp", std::move(file), OT_STATIC);
    return TRUE;
}

BOOL COleClientItem::CanCreateFromData(const COleDataObject* pDataObject)
{
    return pDataObject && (pDataObject->IsDataAvailable(static_cast<CLIPFORMAT>(PackageFormat())) ||
                           pDataObject->IsDataAvailable(CF_HDROP) || pDataObject->IsDataAvailable(CF_DIB));
}

BOOL COleClientItem::CreateCloneFrom(const COleClientItem* pSrcItem)
{
    if (!pSrcItem || !pSrcItem->m_package)
        return FALSE;
    SetPackage(pSrcItem->m_package->fileName, pSrcItem->m_package->data, pSrcItem->m_package->type);
    m_drawAspect = pSrcItem->m_drawAspect;
    return TRUE;
}

COleClientItem::ItemState COleClientItem::GetItemState() const
{
    if (!m_package)
        return emptyState;
    return m_open ? openState : loadedState;
}

OLE_OBJTYPE COleClientItem::GetType() const { return m_package ? m_package->type : OT_UNKNOWN; }

CString COleClientItem::GetFileName() const { return m_package ? m_package->fileName : CString(); }

const std::vector<BYTE>& COleClientItem::GetFileData() const
{
    static const std::vector<BYTE> none;
    return m_package ? m_package->data : none;
}

BOOL COleClientItem::SetItemRects(LPCRECT, LPCRECT) { return FALSE; }

void COleClientItem::GetClipboardData(COleDataSource* pDataSource, BOOL, LPPOINT, LPSIZE)
{
    if (!pDataSource || !m_package)
        return;
    pDataSource->CacheGlobalData(static_cast<CLIPFORMAT>(PackageFormat()),
                                 GlobalFromBytes(ole::PackageRecord(*this)));
    SIZE picture = ole::PictureSize(m_package->data);
    if (picture.cx > 0 && m_package->data.size() > 14 && m_package->data[0] == 'B' && m_package->data[1] == 'M')
        pDataSource->CacheGlobalData(CF_DIB, GlobalFromBytes({m_package->data.begin() + 14, m_package->data.end()}));
}

void COleClientItem::NotifyChange(OLE_NOTIFICATION nCode) { OnChange(nCode, m_drawAspect); }

void COleClientItem::OnChange(OLE_NOTIFICATION nCode, DWORD)
{
    if (nCode == OLE_CHANGED && m_pDocument)
        m_pDocument->SetModifiedFlag();
}

void COleClientItem::OnGetItemPosition(CRect& rPosition) { rPosition.SetRectEmpty(); }

BOOL COleClientItem::OnChangeItemPosition(const CRect&) { return TRUE; }

void COleClientItem::OnActivate() { }

void COleClientItem::OnActivateUI() { }

void COleClientItem::OnDeactivateUI(BOOL) { }

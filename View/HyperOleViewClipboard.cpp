// The container's side of the clipboard and of drops: embedded objects go along with a copy,
// and text and pictures of other programs are pasted or dropped as text and picture objects.
#include "View/HyperOleView.h"

#include "View/HyperOleViewDib.h"
#include "View/ObjectsFormat.h"
#include "View/ViewPropertyDialog.h"
#include "imaging/ExtDib.h"
#include "objects/HyperOb.h"
#include "objects/LayerFmt.h"
#include "objects/kinds/BitmapOb.h"
#include "objects/kinds/HyperOleItem.h"
#include "objects/kinds/HyperOleOb.h"
#include "objects/kinds/StrokeOb.h"
#include "platform/core/GlobalMemory.h"
#include "platform/core/MemFile.h"
#include "platform/ole/OleDataObject.h"
#include "platform/ole/OleDataSource.h"
#include "platform/ui/CmdUI.h"
#include "platform/ui/Document.h"
#include "platform/ui/WinApp.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

namespace {

// A copy of a global block's bytes; the block is freed.
std::vector<BYTE> TakeBlock(HGLOBAL block)
{
    std::vector<BYTE> bytes;
    if (!block)
        return bytes;
    if (const auto* data = static_cast<const BYTE*>(GlobalLock(block)))
        bytes.assign(data, data + GlobalSize(block));
    GlobalUnlock(block);
    GlobalFree(block);
    return bytes;
}

// The text of a CF_TEXT block, up to its NUL or its end.
CString TextOf(const std::vector<BYTE>& bytes)
{
    const auto end = std::find(bytes.begin(), bytes.end(), BYTE(0));
    return CString(std::string(bytes.begin(), end).c_str());
}

// The picture is kept in the document, as one placed from a file in place.
BOOL ReadPicture(const std::vector<BYTE>& dib, CExtDib& picture)
{
    std::vector<BYTE> file = BmpFileFromPackedDib(dib.data(), dib.size());
    if (file.empty())
        return FALSE;
    CMemFile memory(file.data(), static_cast<UINT>(file.size()));
    if (!picture.Read(&memory, nullptr))
        return FALSE;
    picture.m_kind = CExtDib::InPlace;
    return TRUE;
}

} // namespace

BOOL CHyperOleView::CanPasteAsObject(COleDataObject* data) const
{
    return (data->IsDataAvailable(CF_TEXT) && GetToolClass(GetTextTool())) ||
           (data->IsDataAvailable(CF_DIB) && GetToolClass(GetBitmapTool()));
}

BOOL CHyperOleView::OffersPasteableData(COleDataObject* data) const
{
    return data->IsDataAvailable(static_cast<CLIPFORMAT>(GetPrivateFormat())) || CanPasteAsObject(data) ||
           COleClientItem::CanCreateFromData(data);
}

// The objects' own format first, then text and pictures, then anything an item can hold; the
// program's own copies of run mode last.
void CHyperOleView::PasteClipList()
{
    COleDataObject clipboard;
    if (!m_editMode || IsInkEnabled() || !clipboard.AttachClipboard()) {
        CHyperFmtView::PasteClipList();
        return;
    }
    if (clipboard.IsDataAvailable(static_cast<CLIPFORMAT>(GetPrivateFormat())))
        PastePrivateFormat(&clipboard, nullptr);
    else if (CanPasteAsObject(&clipboard))
        PasteClipboardData(&clipboard, nullptr);
    else if (!COleClientItem::CanCreateFromData(&clipboard) || !InsertOleObject(&clipboard))
        CHyperFmtView::PasteClipList();
}

// Paste in edit mode also takes what other programs offer.
BOOL CHyperOleView::OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo)
{
    if (id != CmdPaste || (code != CN_COMMAND && code != CN_UPDATE_COMMAND_UI) || handlerInfo || !m_editMode ||
        IsInkEnabled())
        return CHyperFmtView::OnCmdMsg(id, code, extra, handlerInfo);
    COleDataObject clipboard;
    const BOOL offered = HasPasteData() || (clipboard.AttachClipboard() && OffersPasteableData(&clipboard));
    const BOOL enabled = IsCurrentLayerEditable() && offered;
    if (code == CN_UPDATE_COMMAND_UI)
        static_cast<CCmdUI*>(extra)->Enable(enabled);
    else if (enabled)
        PasteClipList();
    return TRUE;
}

CHyperOb* CHyperOleView::MakeTextObject(const CString& text)
{
    CHyperOb* object = CreateObjectForTool(GetTextTool());
    if (!object)
        return nullptr;
    object->Init(this, nullptr, TRUE);
    object->SetText(text);
    return object;
}

// A picture that cannot be read is reported; nothing is made of it.
CHyperOb* CHyperOleView::MakePictureObject(COleDataObject* data)
{
    CExtDib picture;
    if (!ReadPicture(TakeBlock(data->GetGlobalData(CF_DIB)), picture)) {
        AfxMessageBox("The picture on the clipboard cannot be read.", MB_OK | MB_ICONEXCLAMATION);
        return nullptr;
    }
    std::unique_ptr<CHyperOb> object(CreateObjectForTool(GetBitmapTool()));
    auto* bitmap = dynamic_cast<CBitmapOb*>(object.get());
    if (!bitmap)
        return nullptr;
    bitmap->Init(this, nullptr, TRUE);
    bitmap->SetPicture(&picture);
    return object.release();
}

// The link is one undoable change of the object.
BOOL CHyperOleView::LinkObjectAt(const POINT& target, const CString& text)
{
    CPoint page = target;
    DeviceToLogical(&page, nullptr);
    const int index = TopUnlockedObjectAt(page);
    if (!IsFrameMainView() || index < 0)
        return FALSE;
    PushUndo(new CUndoRecord(this, UndoProperties), FALSE);
    GetObjectAtIndex(index)->SetURL(text);
    if (CDocument* document = GetDocument())
        document->SetModifiedFlag(TRUE);
    if (m_propertyDialog)
        m_propertyDialog->ReloadValues();
    return TRUE;
}

void CHyperOleView::PasteClipboardData(COleDataObject* data, const POINT* target)
{
    std::vector<CHyperOb*> made;
    if (data->IsDataAvailable(CF_TEXT) && GetToolClass(GetTextTool())) {
        const CString text = TextOf(TakeBlock(data->GetGlobalData(CF_TEXT)));
        if (!(target && LinkObjectAt(*target, text)))
            if (CHyperOb* object = MakeTextObject(text))
                made.push_back(object);
    }
    if (data->IsDataAvailable(CF_DIB) && GetToolClass(GetBitmapTool()))
        if (CHyperOb* object = MakePictureObject(data))
            made.push_back(object);
    PasteMadeObjects(made, target);
}

// Made objects are placed as pasted ones are: together, at the target or by the paste offset.
void CHyperOleView::PasteMadeObjects(std::vector<CHyperOb*>& made, const POINT* target)
{
    CObArray objects;
    for (CHyperOb* object : made)
        objects.Add(object);
    made.clear();
    InsertObjects(objects, target);
}

void CHyperOleView::CompleteSelectionSource(COleDataSource* source, const CObArray& bottomUp, HGLOBAL block)
{
    if (CHyperOleOb* object = GetSelectedOleObject(); object && object->GetOleItem())
        object->GetOleItem()->GetClipboardData(source);
    std::vector<const CHyperOb*> objects;
    for (INT_PTR i = 0; i < bottomUp.GetSize(); ++i)
        objects.push_back(static_cast<const CHyperOb*>(bottomUp[i]));
    OfferInk(source, objects);
    OnDataSourceHook(source, objects, GetPrivateFormat(), block, FALSE);
}

void CHyperOleView::OfferInk(COleDataSource* source, const std::vector<const CHyperOb*>& objects)
{
    CStrokeOb collected;
    collected.ResetInk();
    for (const CHyperOb* object : objects)
        if (const auto* stroke = dynamic_cast<const CStrokeOb*>(object); stroke && stroke->LayerID >= CLayerFmt::NoticeBase)
            stroke->CopyStrokesTo(collected);
    collected.CopyToDataSource(source);
}

BOOL CHyperOleView::OnDataSourceHook(COleDataSource*, const std::vector<const CHyperOb*>&, UINT, HGLOBAL, BOOL)
{
    return TRUE;
}

// One line or connector dragged in snaps to the snap points it passes.
DWORD CHyperOleView::OnDragEnter(COleDataObject* dataObject, DWORD keyState, CPoint point)
{
    m_singleEndDrag = FALSE;
    const auto format = static_cast<CLIPFORMAT>(GetPrivateFormat());
    HGLOBAL block = m_editMode && !m_draggingSelection ? dataObject->GetGlobalData(format) : nullptr;
    if (block) {
        WORD count = 0;
        if (const void* bytes = GlobalLock(block); bytes && GlobalSize(block) >= sizeof count)
            std::memcpy(&count, bytes, sizeof count);
        GlobalUnlock(block);
        const BOOL single = count == 1;
        if (single) {
            auto objects = LoadObjectsFromGlobal(block);
            m_singleEndDrag = objects.size() == 1 && objects[0]->GetEndPoints() != nullptr;
        }
        GlobalFree(block);
    }
    return CHyperFmtView::OnDragEnter(dataObject, keyState, point);
}

DWORD CHyperOleView::OnDragOver(COleDataObject* dataObject, DWORD keyState, CPoint point)
{
    if (!m_editMode || m_draggingSelection || !(CarriesObjects(dataObject) || CanPasteAsObject(dataObject)))
        return CHyperFmtView::OnDragOver(dataObject, keyState, point);
    if (m_singleEndDrag)
        UpdateSnapMarker(point);
    return (keyState & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
}

void CHyperOleView::OnDragLeave()
{
    m_singleEndDrag = FALSE;
    HideSnapMarker();
    CHyperFmtView::OnDragLeave();
}

// A shown snap marker moves the drop to its snap point.
BOOL CHyperOleView::OnDrop(COleDataObject* dataObject, DWORD dropEffect, CPoint point)
{
    CPoint at = point;
    if (m_snapMarkerShown) {
        at = m_snapMarkerPoint;
        LogicalToDevice(&at, nullptr);
        HideSnapMarker();
    }
    m_singleEndDrag = FALSE;
    if (!m_editMode || m_draggingSelection || CarriesObjects(dataObject) || !CanPasteAsObject(dataObject))
        return CHyperFmtView::OnDrop(dataObject, dropEffect, at);
    const POINT target = at;
    PasteClipboardData(dataObject, &target);
    SetFocus();
    return TRUE;
}

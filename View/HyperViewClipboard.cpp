// Cut, copy and paste, placing pasted objects on the page, and drops on the view: objects in
// the private format and tool entries dragged as the text "!" with a tool id. Outside edit mode
// Copy fills the program's clip list; in edit mode it puts the objects on the system clipboard
// in the private format, so that another document or another running program takes them.
// Either way the selection goes along as a picture.
#include "View/HyperView.h"

#include "View/ObjectsFormat.h"
#include "objects/GridGeometry.h"
#include "objects/HyperOb.h"
#include "objects/ViewSettings.h"
#include "platform/core/Archive.h"
#include "platform/core/ArchiveException.h"
#include "platform/core/Exception.h"
#include "platform/core/File.h"
#include "platform/core/GlobalMemory.h"
#include "platform/gdi/Metafile.h"
#include "platform/ole/OleDataObject.h"
#include "platform/ole/OleDataSource.h"
#include "platform/ole/OleDropTarget.h"
#include "platform/ui/WinApp.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr char kPictureDescription[] = "SelectionMeta\0";

// Copies made outside edit mode, shared by every view of the program; they belong to no view
// until Paste binds them. The list outlives every other static, so that copies still in it at
// exit never outlive what their destructors use.
CHyperObArray& ClipList()
{
    static auto* list = new CHyperObArray;
    return *list;
}

std::vector<const CHyperOb*> AsObjects(const CObArray& objects)
{
    std::vector<const CHyperOb*> list;
    for (INT_PTR i = 0; i < objects.GetSize(); ++i)
        list.push_back(static_cast<const CHyperOb*>(objects[i]));
    return list;
}

CHyperOb* DetachedClone(const CHyperOb* object)
{
    CHyperOb* copy = object->Clone();
    copy->ResetConnections();
    copy->SetView(nullptr);
    return copy;
}

CRect UnionOf(const CObArray& objects)
{
    CRect all;
    for (INT_PTR i = 0; i < objects.GetSize(); ++i) {
        CRect rect;
        static_cast<CHyperOb*>(objects[i])->GetRect(&rect, nullptr);
        all.UnionRect(all, rect);
    }
    return all;
}

// A picture of the objects with their union's top-left corner at the origin.
HENHMETAFILE DrawPicture(const CObArray& bottomUp)
{
    const CRect all = UnionOf(bottomUp);
    CMetaFileDC meta;
    if (!meta.CreateEnhanced(nullptr, nullptr, nullptr, kPictureDescription))
        return nullptr;
    meta.SetViewportOrg(-all.left, -all.top);
    for (INT_PTR i = 0; i < bottomUp.GetSize(); ++i)
        static_cast<CHyperOb*>(bottomUp[i])->Paint(&meta);
    return meta.CloseEnhanced();
}

void OfferPicture(COleDataSource* source, const CObArray& bottomUp)
{
    HENHMETAFILE picture = DrawPicture(bottomUp);
    if (!picture)
        return;
    STGMEDIUM medium{};
    medium.tymed = TYMED_ENHMF;
    medium.hEnhMetaFile = picture;
    source->CacheData(CF_ENHMETAFILE, &medium);
}

bool Contains(const CObArray& objects, const CObject* object)
{
    for (INT_PTR i = 0; i < objects.GetSize(); ++i)
        if (objects[i] == object)
            return true;
    return false;
}

void DeleteObjects(CObArray& objects)
{
    for (INT_PTR i = 0; i < objects.GetSize(); ++i)
        delete objects[i];
    objects.RemoveAll();
}

} // namespace

UINT CHyperView::GetPrivateFormat()
{
    return PrivateObjectFormat();
}

BOOL CHyperView::HasPasteData()
{
    return ClipList().GetSize() > 0 || IsClipboardFormatAvailable(GetPrivateFormat());
}

COleDataSource* CHyperView::CreateSelectionSource(BOOL privateFormat)
{
    CObArray selected;
    GetSelectedObjects(selected);
    if (selected.GetSize() == 0)
        return nullptr;
    CObArray bottomUp;
    OrderByStacking(GetObjects(), selected, bottomUp);
    auto* source = new COleDataSource;
    if (privateFormat)
        if (HGLOBAL block = SaveObjectsToGlobal(AsObjects(bottomUp))) {
            source->CacheGlobalData(static_cast<CLIPFORMAT>(GetPrivateFormat()), block);
            CompleteSelectionSource(source, bottomUp, block);
        }
    OfferPicture(source, bottomUp);
    return source;
}

void CHyperView::CopySelection()
{
    if (!m_editMode) {
        ClipList().DeleteAll();
        CObArray selected;
        GetSelectedObjects(selected);
        CObArray bottomUp;
        OrderByStacking(GetObjects(), selected, bottomUp);
        for (INT_PTR i = 0; i < bottomUp.GetSize(); ++i)
            ClipList().Add(DetachedClone(static_cast<CHyperOb*>(bottomUp[i])));
    }
    if (COleDataSource* source = CreateSelectionSource(m_editMode))
        source->SetClipboard();
}

void CHyperView::CutSelection()
{
    if (!m_editMode)
        return;
    CopySelection();
    OnEditDelete();
}

void CHyperView::PasteClipList()
{
    if (!m_editMode)
        return;
    COleDataObject clipboard;
    if (clipboard.AttachClipboard() && clipboard.IsDataAvailable(static_cast<CLIPFORMAT>(GetPrivateFormat()))) {
        PastePrivateFormat(&clipboard, nullptr);
        return;
    }
    CObArray copies;
    for (INT_PTR i = 0; i < ClipList().GetSize(); ++i) {
        auto* kept = static_cast<CHyperOb*>(ClipList()[i]);
        kept->SetView(this);
        CHyperOb* copy = kept->Clone();
        kept->SetView(nullptr);
        copy->SetView(this);
        copies.Add(copy);
    }
    InsertObjects(copies, nullptr);
}

// Damaged or foreign data is refused with the archive's message; the page stays as it was.
BOOL CHyperView::PastePrivateFormat(COleDataObject* dataObject, const POINT* target)
{
    std::unique_ptr<CFile> file(dataObject->GetFileData(static_cast<CLIPFORMAT>(GetPrivateFormat())));
    if (!file)
        return FALSE;
    CObArray objects;
    try {
        ReadPrivateObjects(file.get(), objects);
    } catch (CException* e) {
        char text[512] = "";
        if (!e->GetErrorMessage(text, sizeof(text)))
            std::strcpy(text, "The clipboard data cannot be pasted.");
        AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
        e->Delete();
        return FALSE;
    }
    for (INT_PTR i = 0; i < objects.GetSize(); ++i)
        static_cast<CHyperOb*>(objects[i])->Init(this, nullptr, FALSE);
    InsertObjects(objects, target);
    return TRUE;
}

void CHyperView::ReadPrivateObjects(CFile* file, CObArray& objects)
{
    try {
        CArchive archive(file, CArchive::load);
        WORD count = 0;
        archive >> count;
        for (WORD i = 0; i < count; ++i) {
            auto* object = static_cast<CHyperOb*>(archive.ReadObject(RUNTIME_CLASS(CHyperOb)));
            // A reference back to an object read before would be placed twice.
            if (!object || Contains(objects, object))
                AfxThrowArchiveException(CArchiveException::badClass);
            objects.Add(object);
        }
    } catch (CException*) {
        DeleteObjects(objects);
        throw;
    }
}

void CHyperView::InsertObjects(CObArray& objects, const POINT* target)
{
    if (objects.GetSize() == 0)
        return;
    RenumberPastedGroups(objects);
    const CRect bounds = UnionOf(objects);
    const CPoint offset = PasteOffsetFor(bounds, target);
    m_serializing = TRUE;
    BOOL first = TRUE;
    for (INT_PTR i = 0; i < objects.GetSize(); ++i) {
        auto* object = static_cast<CHyperOb*>(objects[i]);
        CRect rect;
        object->GetRect(&rect, nullptr);
        rect.OffsetRect(offset);
        object->SetRect(rect);
        if (!AddObject(object, first, TRUE))
            continue;
        first = FALSE;
        m_selection.Add(object);
    }
    m_serializing = FALSE;
    objects.RemoveAll();
    for (INT_PTR i = 0; i < m_selection.GetSize(); ++i) {
        auto* object = static_cast<CHyperOb*>(m_selection[i]);
        if (object->GetEndPoints())
            object->UpdateLayout(TRUE, 0);
    }
    if (!IsSnapToCenter())
        ClampObjectsToPage(m_selection, FALSE);
    if (m_selection.GetSize() == 1)
        m_selection.RemoveAll();
    UpdateGroupRects();
    NotifyChanged(TRUE);
}

// Where pasted objects go: by the paste offset while they fit the page, else centred on the
// target (the middle of the window without one), on the shown grid.
CPoint CHyperView::PasteOffsetFor(const CRect& bounds, const POINT* target)
{
    CRect page;
    GetPageRect(&page, TRUE);
    const POINT& settingsOffset = GetViewSettings().m_lastPastePosition;
    const BOOL ownOffset = m_pasteOffset.x != settingsOffset.x || m_pasteOffset.y != settingsOffset.y;
    CRect inside;
    if (!target && (ownOffset || (!IsSnapToCenter() && inside.IntersectRect(bounds, page) && inside == bounds)))
        return CPoint(m_pasteOffset);
    CPoint centre;
    if (target) {
        centre = *target;
        DeviceToLogical(&centre, nullptr);
    } else {
        CRect client;
        if (m_hWnd)
            GetClientRect(&client);
        centre = client.CenterPoint();
        DeviceToLogical(&centre, nullptr);
    }
    const int stepX = GetPasteGridX();
    const int stepY = GetPasteGridY();
    CPoint corner(centre.x - bounds.Width() / 2, centre.y - bounds.Height() / 2);
    CPoint old = bounds.TopLeft();
    if (IsSnapToCenter()) {
        corner.Offset(-stepX / 2, -stepY / 2);
        SnapToGrid(reinterpret_cast<int*>(&corner.x), stepX);
        SnapToGrid(reinterpret_cast<int*>(&corner.y), stepY);
        if (stepX > 0 && (bounds.Width() - 1) % (2 * stepX) > stepX)
            corner.x += stepX / 2;
        if (stepY > 0 && (bounds.Height() - 1) % (2 * stepY) > stepY)
            corner.y += stepY / 2;
        return CPoint(corner.x - old.x, corner.y - old.y);
    }
    SnapToGrid(reinterpret_cast<int*>(&corner.x), stepX);
    SnapToGrid(reinterpret_cast<int*>(&corner.y), stepY);
    SnapToGrid(reinterpret_cast<int*>(&old.x), stepX);
    SnapToGrid(reinterpret_cast<int*>(&old.y), stepY);
    return CPoint(corner.x - old.x, corner.y - old.y);
}

// The tool id of a dragged tool entry, the text "!" and a decimal id; 0 for any other data.
UINT CHyperView::ReadDragToolId(COleDataObject* dataObject)
{
    HGLOBAL block = dataObject->GetGlobalData(CF_TEXT);
    if (!block)
        return 0;
    const size_t size = GlobalSize(block);
    std::string text(static_cast<const char*>(GlobalLock(block)), size);
    GlobalUnlock(block);
    GlobalFree(block);
    text.resize(std::strlen(text.c_str()));
    long id = 0;
    if (text.size() < 2 || text[0] != '!' || std::sscanf(text.c_str(), "!%ld", &id) != 1 || id <= 0 ||
        id > 0xFFFF)
        return 0;
    return static_cast<UINT>(id);
}

BOOL CHyperView::CarriesObjects(COleDataObject* dataObject)
{
    return ReadDragToolId(dataObject) != 0 ||
           dataObject->IsDataAvailable(static_cast<CLIPFORMAT>(GetPrivateFormat()));
}

DWORD CHyperView::OnDragEnter(COleDataObject* dataObject, DWORD keyState, CPoint point)
{
    return OnDragOver(dataObject, keyState, point);
}

DWORD CHyperView::OnDragOver(COleDataObject* dataObject, DWORD keyState, CPoint point)
{
    // Objects move within their own page with the tracker, not by a drop.
    if (m_draggingSelection)
        return DROPEFFECT_NONE;
    if (!m_editMode || !CarriesObjects(dataObject))
        return CHyperRunView::OnDragOver(dataObject, keyState, point);
    return (keyState & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
}

BOOL CHyperView::OnDrop(COleDataObject* dataObject, DWORD dropEffect, CPoint point)
{
    if (!m_editMode || m_draggingSelection)
        return CHyperRunView::OnDrop(dataObject, dropEffect, point);
    if (const UINT tool = ReadDragToolId(dataObject)) {
        CPoint page = point;
        DeviceToLogical(&page, nullptr);
        InsertObjectAt(page.x, page.y, tool, FALSE, TRUE);
        SetFocus();
        return TRUE;
    }
    if (!dataObject->IsDataAvailable(static_cast<CLIPFORMAT>(GetPrivateFormat())))
        return CHyperRunView::OnDrop(dataObject, dropEffect, point);
    const POINT target = point;
    const BOOL pasted = PastePrivateFormat(dataObject, &target);
    if (pasted)
        SetFocus();
    return pasted;
}

// Drags the selection to another view or program; a move takes the objects off this page.
DWORD CHyperView::DragSelection()
{
    COleDataSource* source = CreateSelectionSource(TRUE);
    if (!source)
        return DROPEFFECT_NONE;
    m_draggingSelection = TRUE;
    const DROPEFFECT effect = source->DoDragDrop(DROPEFFECT_COPY | DROPEFFECT_MOVE);
    m_draggingSelection = FALSE;
    source->InternalRelease();
    // The other view took the objects; the selection here is still the dragged one.
    if (effect == DROPEFFECT_MOVE)
        OnEditDelete();
    return effect;
}

void CHyperView::RegisterDropTarget()
{
    if (!m_dropTarget)
        m_dropTarget = std::make_unique<COleDropTarget>();
    m_dropTarget->Register(this);
}

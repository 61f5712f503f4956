// Links on objects: the object and link under a point, clicks and double clicks that open notes
// and links, the hand cursor over links in run mode, and files dropped on the page.
#include "View/MyView.h"

#include "View/DocumentRules.h"
#include "View/HyperTextEdit.h"
#include "View/MainViewHost.h"
#include "imaging/ExtDib.h"
#include "objects/HyperOb.h"
#include "objects/kinds/SoundOb.h"
#include "objects/kinds/StickyOb.h"
#include "platform/core/GlobalMemory.h"
#include "platform/core/StringTable.h"
#include "platform/ole/Clipboard.h"
#include "platform/ole/OleDataObject.h"
#include "platform/ole/OleDataSource.h"
#include "platform/sys/Shell.h"
#include "platform/ui/Document.h"
#include "platform/ui/UiApi.h"
#include "platform/ui/WinApp.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

namespace {

constexpr int kInside = 8;
constexpr UINT kMaxDroppedName = 256;
constexpr const char* kFileScheme = "file://";
// Dropped files of these kinds open as documents; any other file is offered as a picture.
constexpr const char* kDocumentKinds[] = {"trn", "prj", "cat"};

std::vector<std::string> DroppedNames(HDROP drop)
{
    std::vector<std::string> names;
    const UINT count = ::DragQueryFile(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        char name[kMaxDroppedName + 1] = {};
        ::DragQueryFile(drop, i, name, sizeof name);
        names.emplace_back(name);
    }
    return names;
}

} // namespace

CHyperOb* CMyView::ObjectAt(CPoint page) const
{
    for (INT_PTR i = 0; i < GetObjects().GetSize(); ++i) {
        CHyperOb* object = GetObjectAtIndex(i);
        // A group member answers for itself: its hit test leaves the group out.
        if (object->IsEnabled() && object->HitTest(page) == kInside)
            return object;
    }
    return nullptr;
}

// A group's link is the one of the member that holds the group's record.
CString CMyView::GetLinkOf(const CHyperOb* object) const
{
    if (!object || object->GroupID <= -1)
        return object ? object->GetURL() : CString();
    for (INT_PTR i = 0; i < GetObjects().GetSize(); ++i) {
        const CHyperOb* member = GetObjectAtIndex(i);
        if (member->GroupID == object->GroupID && member->GetOwnGroupInfo())
            return member->GetURL();
    }
    return CString();
}

CString CMyView::GetLinkAt(CPoint page) const
{
    return GetLinkOf(ObjectAt(page));
}

CString CMyView::LinkForDroppedFile(const CString& name)
{
    if (name.IsEmpty())
        return CString();
    // An absolute path of this system.
    if (name[0] == '/')
        return kFileScheme + name;
    const char first = static_cast<char>(std::toupper(static_cast<unsigned char>(name[0])));
    if (first < 'A' || first > 'Z')
        return CString();
    if (name.Mid(1, 2) != ":\\" && name.Mid(1, 2) != ":/")
        return name;
    CString path = name;
    path.Replace('\\', '/');
    return kFileScheme + path;
}

void CMyView::OnLButtonDown(UINT flags, CPoint point)
{
    CPoint page = point;
    DeviceToLogical(&page, nullptr);
    CHyperOb* object = ObjectAt(page);
    if (auto* sound = dynamic_cast<CSoundOb*>(object))
        sound->AttachToAudioManager();
    else
        GetMainViewHost().ReleaseSoundNote();
    if (auto* note = dynamic_cast<CStickyOb*>(object); note && !m_editMode)
        note->Open();
    CCatView::OnLButtonDown(flags, point);
}

void CMyView::OnLButtonDblClk(UINT flags, CPoint point)
{
    CPoint page = point;
    DeviceToLogical(&page, nullptr);
    if (m_editMode && m_selection.GetSize() <= 1) {
        CHyperOb* object = ObjectAt(page);
        CRect rect;
        if (object && object->CanInlineEditText()) {
            object->GetRect(&rect, nullptr);
            rect.NormalizeRect();
            if (GetTextEdit().BeginEdit(rect.CenterPoint().x, rect.CenterPoint().y, object, 0))
                return;
        }
    }
    CCatView::OnLButtonDblClk(flags, point);
    if (m_editMode)
        return;
    if (auto* note = dynamic_cast<CStickyOb*>(ObjectAt(page)))
        note->Open();
    const CString link = GetLinkAt(page);
    if (!link.IsEmpty())
        OpenLink(link);
}

// Web and mail addresses open at once; a file only after the user confirmed it, and never a
// program or script; anything else is refused.
void CMyView::OpenLink(const CString& link)
{
    CString target = link;
    if (target.Left(7).CompareNoCase(kFileScheme) == 0)
        target = target.Mid(7);
    const ShellTarget kind = ClassifyShellTarget(target);
    if (kind == ShellTarget::webAddress || kind == ShellTarget::mailAddress) {
        ShellExecute(m_hWnd, "open", target, nullptr, nullptr, SW_SHOWNORMAL);
        return;
    }
    CString text;
    if (kind != ShellTarget::document) {
        AfxFormatString1(text, LinkRefusedText, link);
        AfxMessageBox(text, MB_ICONEXCLAMATION);
        return;
    }
    AfxFormatString1(text, LinkConfirmText, target);
    if (AfxMessageBox(text, MB_YESNO | MB_ICONQUESTION) == IDYES)
        ShellExecute(m_hWnd, "open", target, nullptr, nullptr, SW_SHOWNORMAL);
}

void CMyView::OnMouseMove(UINT flags, CPoint point)
{
    CPoint page = point;
    DeviceToLogical(&page, nullptr);
    m_handWanted = !m_editMode && !GetLinkAt(page).IsEmpty();
    CCatView::OnMouseMove(flags, point);
}

BOOL CMyView::OnSetCursor(CWnd* wnd, UINT hitTest, UINT message)
{
    if (m_handWanted && m_handCursor) {
        ::SetCursor(m_handCursor);
        return TRUE;
    }
    return CCatView::OnSetCursor(wnd, hitTest, message);
}

void CMyView::OnDropFiles(HDROP drop)
{
    POINT device{};
    const BOOL placed = ::DragQueryPoint(drop, &device);
    const std::vector<std::string> names = DroppedNames(drop);
    ::DragFinish(drop);
    if (placed && !names.empty())
        TakeDroppedFile(names.front().c_str(), device);
}

// On an object the file becomes its link; on empty page space a document opens and a picture
// becomes a picture object.
void CMyView::TakeDroppedFile(const CString& name, CPoint device)
{
    CPoint page = device;
    DeviceToLogical(&page, nullptr);
    CHyperOb* object = ObjectAt(page);
    if (!object) {
        DropOnPage(name, page);
        return;
    }
    const CString link = LinkForDroppedFile(name);
    if (link.IsEmpty())
        return;
    SelectOnly(FindObjectIndex(object));
    object->SetURL(link);
    if (GetDocument())
        GetDocument()->SetModifiedFlag(TRUE);
    OnSelectionChanged();
}

void CMyView::DropOnPage(const CString& file, CPoint page)
{
    const CString extension = LowerExtension(file);
    for (const char* kind : kDocumentKinds)
        if (extension == kind) {
            AfxGetApp()->OpenDocumentFile(file);
            return;
        }
    CExtDib probe;
    if (!m_editMode || !probe.Load(file, CExtDib::Embedded, FALSE))
        return;
    m_droppedPicture = file;
    InsertObjectAt(page.x, page.y, ToolBitmap, FALSE, TRUE);
    m_droppedPicture.Empty();
}

namespace {

// Files from the desktop are this view's; objects, tools and anything else go to the OLE view.
bool CarriesFilesOnly(COleDataObject* dataObject)
{
    return dataObject->IsDataAvailable(CF_HDROP) && !CHyperView::CarriesObjects(dataObject) &&
           !CHyperView::ReadDragToolId(dataObject);
}

}  // namespace

// Files dragged in from other programs take the same way as dropped ones.
DWORD CMyView::OnDragOver(COleDataObject* dataObject, DWORD keyState, CPoint point)
{
    return CarriesFilesOnly(dataObject) ? DROPEFFECT_COPY : CCatView::OnDragOver(dataObject, keyState, point);
}

DWORD CMyView::OnDragEnter(COleDataObject* dataObject, DWORD keyState, CPoint point)
{
    return CarriesFilesOnly(dataObject) ? DROPEFFECT_COPY : CCatView::OnDragEnter(dataObject, keyState, point);
}

BOOL CMyView::OnDrop(COleDataObject* dataObject, DWORD dropEffect, CPoint point)
{
    if (!CarriesFilesOnly(dataObject))
        return CCatView::OnDrop(dataObject, dropEffect, point);
    auto drop = static_cast<HDROP>(dataObject->GetGlobalData(CF_HDROP));
    const std::vector<std::string> names = drop ? DroppedNames(drop) : std::vector<std::string>();
    if (drop)
        ::GlobalFree(drop);
    if (names.empty())
        return FALSE;
    TakeDroppedFile(names.front().c_str(), point);
    return TRUE;
}

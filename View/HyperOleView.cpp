#include "View/HyperOleView.h"

#include "View/HyperOleViewScale.h"
#include "objects/ScriptText.h"
#include "objects/kinds/HyperOleItem.h"
#include "objects/kinds/HyperOleOb.h"
#include "platform/ole/OleDataObject.h"
#include "platform/ole/OleDataSource.h"
#include "platform/ole/OleDialogs.h"
#include "platform/ole/OleDocument.h"
#include "platform/ole/OleVerbMenu.h"
#include "platform/ui/CmdUI.h"
#include "platform/ui/Menu.h"
#include "platform/ui/WinApp.h"

#include <memory>

IMPLEMENT_DYNCREATE(CHyperOleView, CHyperFmtView)

BEGIN_MESSAGE_MAP(CHyperOleView, CHyperFmtView)
    ON_COMMAND(CHyperOleView::CmdInsertObject, OnInsertObject)
    ON_COMMAND(CHyperOleView::CmdPasteSpecial, OnPasteSpecial)
    ON_UPDATE_COMMAND_UI(CHyperOleView::CmdPasteSpecial, OnUpdatePasteSpecial)
    ON_COMMAND(CHyperOleView::CmdObjectProperties, OnObjectProperties)
    ON_UPDATE_COMMAND_UI(CHyperOleView::CmdObjectProperties, OnUpdateObjectProperties)
    ON_COMMAND_RANGE(ID_OLE_VERB_FIRST, ID_OLE_VERB_LAST, OnObjectVerb)
    ON_WM_LBUTTONDOWN()
    ON_WM_RBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
END_MESSAGE_MAP()

namespace {

// The wait cursor for as long as the guard lives.
class WaitCursor {
public:
    explicit WaitCursor(CCmdTarget& target) : m_target(target) { m_target.BeginWaitCursor(); }
    ~WaitCursor() { m_target.EndWaitCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    CCmdTarget& m_target;
};

} // namespace

CString CHyperOleView::TypeTextFrom(CString userType)
{
    const int cut = userType.FindOneOf(". ");
    if (cut >= 0)
        userType = userType.Left(cut);
    StripNonIdentChars(userType);
    return userType;
}

void CHyperOleView::RegisterTools()
{
    CHyperFmtView::RegisterTools();
    SetToolClass(ToolOleObject, RUNTIME_CLASS(CHyperOleOb));
}

CHyperOb* CHyperOleView::CreateOleObject()
{
    CHyperOb* object = CreateObjectForTool(ToolOleObject);
    return object ? object : new CHyperOleOb;
}

CHyperOleItem* CHyperOleView::CreateOleItem(COleDocument* document, CHyperOleOb* owner)
{
    return new CHyperOleItem(document, owner);
}

CHyperOleOb* CHyperOleView::GetSelectedOleObject() const
{
    CHyperOb* object = m_editMode ? (m_selection.GetSize() == 0 ? GetCurrentObject() : nullptr) : GetCurrentOleObject();
    return dynamic_cast<CHyperOleOb*>(object);
}

// The remembered object only while it is still on the page.
CHyperOb* CHyperOleView::GetCurrentOleObject() const
{
    return m_currentOleObject && FindObjectIndex(m_currentOleObject) >= 0 ? m_currentOleObject : nullptr;
}

CHyperOleOb* CHyperOleView::AddOleObject(const std::function<BOOL(CHyperOleItem*)>& makeItem)
{
    WaitCursor wait(*this);
    std::unique_ptr<CHyperOb> created(CreateOleObject());
    auto* object = dynamic_cast<CHyperOleOb*>(created.get());
    if (!object)
        return nullptr;
    object->Init(this, nullptr, TRUE);
    CHyperOleItem* item = CreateOleItem(dynamic_cast<COleDocument*>(GetDocument()), object);
    if (!makeItem(item)) {
        item->Delete(TRUE);
        return nullptr;
    }
    object->SetOleItem(item);
    CString userType;
    item->GetUserType(USERCLASSTYPE_SHORT, userType);
    object->TypeName = TypeTextFrom(userType);
    item->UpdateExtent();
    CRect rect;
    object->GetRect(&rect, nullptr);
    object->SetRect(rect);
    if (!AddObject(created.release(), TRUE, FALSE))
        return nullptr;
    object->InvalidateArea(nullptr);
    NotifyChanged(TRUE);
    return object;
}

CHyperOb* CHyperOleView::InsertOleObject(COleDataObject* data)
{
    return AddOleObject([data](CHyperOleItem* item) {
        return item->CreateFromData(data) || item->CreateStaticFromData(data);
    });
}

void CHyperOleView::OnInsertObject()
{
    if (!m_editMode)
        return;
    CWorkingFolderKeeper folder;
    COleInsertDialog dialog(IOF_SELECTCREATENEW);
    if (dialog.DoModal() != IDOK)
        return;
    CHyperOleOb* object = AddOleObject([&dialog](CHyperOleItem* item) { return dialog.CreateItem(item); });
    if (object && dialog.GetSelectionType() == COleInsertDialog::createNewItem)
        object->GetOleItem()->DoVerb(OLEIVERB_PRIMARY, this);
}

void CHyperOleView::OnPasteSpecial()
{
    if (!m_editMode)
        return;
    COlePasteSpecialDialog dialog(PSF_SELECTPASTE);
    dialog.AddStandardFormats();
    if (dialog.DoModal() == IDOK)
        AddOleObject([&dialog](CHyperOleItem* item) { return dialog.CreateItem(item); });
}

void CHyperOleView::OnUpdatePasteSpecial(CCmdUI* cmdUI)
{
    COleDataObject clipboard;
    cmdUI->Enable(m_editMode && clipboard.AttachClipboard() && COleClientItem::CanCreateFromData(&clipboard));
}

// A scale the user applies is one undoable change of the page.
void CHyperOleView::OnObjectProperties()
{
    CHyperOleOb* object = GetSelectedOleObject();
    if (!object || !object->GetOleItem())
        return;
    CWorkingFolderKeeper folder;
    auto record = std::make_unique<CUndoRecord>(this, UndoMoveResize);
    COleScaleDialog dialog(object->GetOleItem(), MinScale, MaxScale);
    if (dialog.DoModal() != IDOK)
        return;
    PushUndo(record.release(), FALSE);
    if (CDocument* document = GetDocument())
        document->SetModifiedFlag(TRUE);
    NotifyChanged(FALSE);
}

void CHyperOleView::OnUpdateObjectProperties(CCmdUI* cmdUI)
{
    cmdUI->Enable(GetSelectedOleObject() != nullptr);
}

// The menu's verb placeholder lists the verbs of the object's item.
void CHyperOleView::ShowObjectMenu(CHyperBaseOb* object, POINT point, UINT menuId)
{
    CMenu menu;
    if (!menu.LoadMenu(menuId))
        return;
    CMenu* popup = menu.GetSubMenu(0);
    if (!popup)
        return;
    auto* ole = dynamic_cast<CHyperOleOb*>(object);
    for (UINT i = 0; i < popup->GetMenuItemCount(); ++i)
        if (popup->GetMenuItemID(static_cast<int>(i)) == ID_OLE_VERB_FIRST)
            AfxOleSetEditMenu(ole ? ole->GetOleItem() : nullptr, popup, i, ID_OLE_VERB_FIRST, ID_OLE_VERB_LAST);
    CPoint screen = point;
    ClientToScreen(&screen);
    popup->TrackPopupMenu(TPM_RIGHTBUTTON, screen.x, screen.y, AfxGetMainWnd());
}

BOOL CHyperOleView::HasFocusFrame(const CHyperBaseOb* object) const
{
    return object && object == GetCurrentOleObject();
}

void CHyperOleView::OnObjectVerb(UINT id)
{
    CHyperOleOb* object = GetSelectedOleObject();
    if (object && object->GetOleItem()) {
        WaitCursor wait(*this);
        object->GetOleItem()->DoVerb(static_cast<LONG>(id - ID_OLE_VERB_FIRST), this);
    }
}

void CHyperOleView::PickRunModeOleObject(CPoint point)
{
    if (m_editMode)
        return;
    CPoint page = point;
    DeviceToLogical(&page, nullptr);
    CHyperOb* hit = nullptr;
    for (int i = 0; i < GetObjects().GetSize() && !hit; ++i) {
        auto* object = dynamic_cast<CHyperOleOb*>(GetObjectAtIndex(i));
        if (object && object->GetOleItem() && object->HitTest(page) == HitInside && object->IsEnabled())
            hit = object;
    }
    if (CHyperOb* previous = GetCurrentOleObject())
        previous->Deselect(TRUE);
    m_currentOleObject = hit;
    if (hit)
        hit->Select(TRUE);
}

// The embedded object clicked in run mode is no selection of the page being edited.
void CHyperOleView::SetEditMode(BOOL editMode)
{
    if (editMode && !m_editMode) {
        if (CHyperOb* clicked = GetCurrentOleObject())
            clicked->Deselect(TRUE);
        m_currentOleObject = nullptr;
    }
    CHyperFmtView::SetEditMode(editMode);
}

BOOL CHyperOleView::IsAltClickOnCurrent(UINT) const
{
    return GetCurrentObject() && IsAltClick();
}

// The selection goes wherever it is dropped: moved, or copied with Ctrl.
BOOL CHyperOleView::OnOleItemClick(UINT flags, CPoint)
{
    if (!IsAltClickOnCurrent(flags))
        return FALSE;
    DragSelection();
    return TRUE;
}

void CHyperOleView::OnLButtonDown(UINT flags, CPoint point)
{
    PickRunModeOleObject(point);
    if (m_editMode && OnOleItemClick(flags, point))
        return;
    CHyperFmtView::OnLButtonDown(flags, point);
}

// An object open in its server keeps the right button to itself.
void CHyperOleView::OnRButtonDown(UINT flags, CPoint point)
{
    PickRunModeOleObject(point);
    CHyperOleOb* object = GetSelectedOleObject();
    const COleClientItem* item = object ? object->GetOleItem() : nullptr;
    if (item && (item->GetItemState() == COleClientItem::activeState ||
                 item->GetItemState() == COleClientItem::activeUIState))
        return;
    if (!m_editMode && TrackObjectMenu(object, point))
        return;
    CHyperFmtView::OnRButtonDown(flags, point);
}

// An object with hot spots (an embedded object with verbs) takes right clicks on itself.
BOOL CHyperOleView::TrackObjectMenu(CHyperOb* object, CPoint point)
{
    if (!object || object->GetHotSpots().GetSize() == 0)
        return FALSE;
    CPoint page = point;
    DeviceToLogical(&page, nullptr);
    return object->TrackContextMenu(0, nullptr, page.x, page.y, WM_RBUTTONDOWN);
}

// Ctrl+double click opens the object in a window of its own, a plain one runs its primary verb.
void CHyperOleView::OnLButtonDblClk(UINT flags, CPoint point)
{
    CHyperOleOb* object = GetSelectedOleObject();
    if (!object || !object->GetOleItem()) {
        CHyperFmtView::OnLButtonDblClk(flags, point);
        return;
    }
    WaitCursor wait(*this);
    object->GetOleItem()->DoVerb((flags & MK_CONTROL) ? OLEIVERB_OPEN : OLEIVERB_PRIMARY, this);
}

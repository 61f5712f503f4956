#include "projects/ProjTreeCtrl.h"

#include "projects/ProjManager.h"
#include "projects/ProjectHelpers.h"
#include "projects/ProjectHost.h"
#include "projects/ProjectIcons.h"

#include "platform/gdi/Dc.h"
#include "platform/gdi/Icon.h"
#include "platform/sys/Shell.h"
#include "platform/ui/DragImage.h"
#include "platform/ui/Menu.h"
#include "platform/ui/UiApi.h"
#include "platform/ui/WinApp.h"

namespace {

// The tree's own images: closed and open folder, document, member, link and locked project.
constexpr UINT kTreeIcons[] = {23000, 23001, 23002, 129, 23004, 367};

constexpr MarkerGroup kCellOrder[] = {MarkerGroup::Priority, MarkerGroup::Workload, MarkerGroup::Finished,
                                      MarkerGroup::Flags, MarkerGroup::Arrows};

constexpr UINT kEditKey = 1;
constexpr UINT kEditFocusLost = 3;

} // namespace

const UINT CProjTreeCtrl::s_editNotify = RegisterWindowMessage("ipc_CtrlMsg");

BEGIN_MESSAGE_MAP(CRenameEdit, CEdit)
    ON_WM_KEYDOWN()
    ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

void CRenameEdit::OnKeyDown(UINT key, UINT repeat, UINT flags)
{
    if (key == VK_RETURN || key == VK_ESCAPE) {
        GetParent()->SendMessage(CProjTreeCtrl::EditNotifyMessage(), kEditKey, key);
        return;
    }
    CEdit::OnKeyDown(key, repeat, flags);
}

void CRenameEdit::OnKillFocus(CWnd* next)
{
    CEdit::OnKillFocus(next);
    if (IsWindowVisible())
        GetParent()->SendMessage(CProjTreeCtrl::EditNotifyMessage(), kEditFocusLost,
                                 reinterpret_cast<LPARAM>(next ? next->m_hWnd : nullptr));
}

BEGIN_MESSAGE_MAP(CProjTreeCtrl, CTreeCtrl)
    ON_WM_CREATE()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_RBUTTONDOWN()
    ON_WM_KEYDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_NOTIFY_REFLECT(TVN_BEGINDRAG, OnBeginDrag)
    ON_NOTIFY_REFLECT(TVN_ITEMEXPANDED, OnItemExpanded)
    ON_NOTIFY_REFLECT(TVN_SELCHANGED, OnSelChanged)
    ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, OnCustomDraw)
    ON_NOTIFY_EX_RANGE(TTN_NEEDTEXT, 0, 0xFFFF, OnToolTipText)
    ON_REGISTERED_MESSAGE(CProjTreeCtrl::s_editNotify, OnEditNotify)
END_MESSAGE_MAP()

CProjTreeCtrl::~CProjTreeCtrl() { EndDragImage(); }

BOOL CProjTreeCtrl::CreateTree(CWnd* parent)
{
    constexpr DWORD style = WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT |
                            TVS_SHOWSELALWAYS | TVS_TRACKSELECT;
    return Create(style, CRect(), parent, IdcTree);
}

int CProjTreeCtrl::OnCreate(LPCREATESTRUCT cs)
{
    if (CTreeCtrl::OnCreate(cs) == -1)
        return -1;
    ModifyStyleEx(0, WS_EX_CLIENTEDGE);
    m_images.Create(16, 16, ILC_MASK | ILC_COLOR32, 0, 1);
    for (UINT id : kTreeIcons) {
        HICON icon = LoadProjectIcon(id);
        m_images.Replace(-1, icon);
        DestroyIcon(icon);
    }
    SendMessage(TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(m_images.m_hImageList));
    m_edit.Create(WS_CHILD | WS_BORDER, CRect(), this, 1);
    m_edit.SendMessage(WM_SETFONT, SendMessage(WM_GETFONT));
    m_tips.Create(this);
    m_tips.AddTool(this, LPSTR_TEXTCALLBACK, CRect(), 1);
    m_dropTarget.SetTree(this);
    m_dropTarget.Register(this);
    Invalidate();
    return 0;
}

void CProjTreeCtrl::OnLButtonDblClk(UINT flags, CPoint point)
{
    const HTREEITEM caret = GetSelectedItem();
    if (m_pManager->IsProjectItemOfAny(caret)) {
        CRect label;
        if (GetItemRect(caret, &label, TRUE) && point.x >= label.left && point.x <= label.right &&
            point.y >= label.top && point.y <= label.bottom)
            BeginRename();
    } else {
        CTreeCtrl::OnLButtonDblClk(flags, point);
    }
    if (HTREEITEM hit = HitTest(point))
        OpenMember(hit);
}

void CProjTreeCtrl::OpenMember(HTREEITEM item)
{
    CProjOb* project = m_pManager->FindProjectOfMember(item);
    if (!project)
        return;
    const int index = project->IndexOfMemberItem(item);
    const CProjMemberEntry& entry = *project->m_entries[static_cast<size_t>(index)];
    if (project->IsMemberMissing(index)) {
        ::MessageBox(nullptr, ProjectText("File not found!"), nullptr, MB_OK);
        return;
    }
    if (!entry.m_bOwnIcon) {
        m_pManager->OnCmdMsg(CProjManager::CmdViewObject, CN_COMMAND, nullptr, nullptr);
        return;
    }
    CString target = entry.m_path;
    ParseUrlIdent(entry.m_path, &target);
    const ShellTarget kind = ClassifyShellTarget(target);
    if (kind == ShellTarget::missing) {
        ::MessageBox(nullptr, ProjectText("File not found!"), nullptr, MB_OK);
        return;
    }
    if (kind == ShellTarget::webAddress || kind == ShellTarget::mailAddress || kind == ShellTarget::document)
        if (reinterpret_cast<intptr_t>(ShellExecute(m_hWnd, "open", target, nullptr, nullptr, SW_SHOWNORMAL)) ==
            SE_ERR_FNF)
            ::MessageBox(nullptr, ProjectText("File not found!"), nullptr, MB_OK);
}

void CProjTreeCtrl::BeginRename()
{
    const HTREEITEM caret = GetSelectedItem();
    if (!caret)
        return;
    m_bRenaming = TRUE;
    m_hRenameItem = caret;
    CString text = GetItemText(caret);
    const CString caption = LoadProjectString(CProjOb::ProjectCaption) + "(";
    const bool captioned = !caption.IsEmpty() && text.Find(caption) >= 0;
    text.Replace(caption, "");
    text.Replace(")", "");
    CRect label;
    GetItemRect(caret, &label, TRUE);
    if (captioned)
        label.left += 4 * caption.GetLength();
    label.InflateRect(0, 2);
    m_edit.SetWindowText(text);
    m_edit.MoveWindow(&label);
    m_edit.ShowWindow(SW_SHOW);
    m_edit.SetFocus();
    m_edit.SetSel(0, -1);
}

LRESULT CProjTreeCtrl::OnEditNotify(WPARAM event, LPARAM parameter)
{
    if (!m_bRenaming)
        return 0;
    if (event == kEditKey) {
        EndRename(parameter == VK_ESCAPE);
        return 1;
    }
    if (event == kEditFocusLost) {
        if (reinterpret_cast<HWND>(parameter) == m_edit.m_hWnd)
            return 0;
        EndRename(FALSE);
        return 1;
    }
    return event == 2 ? 0 : 1;
}

void CProjTreeCtrl::EndRename(BOOL cancel)
{
    if (!m_bRenaming)
        return;
    m_bRenaming = FALSE;
    m_edit.ShowWindow(SW_HIDE);
    SetFocus();
    CString text;
    m_edit.GetWindowText(text);
    text.Trim();
    const HTREEITEM item = m_hRenameItem;
    m_hRenameItem = nullptr;
    // An empty name renames nothing.
    if (cancel || text.IsEmpty() || text.FindOneOf("/\\:") >= 0 || text == "." || text == "..")
        return;
    if (CProjOb* project = m_pManager->FindProjectByItem(item); project && project->m_hItem == item) {
        SetItemText(item, text);
        m_pManager->RenameProject(*project, text);
    } else if (m_pManager->IsMemberItemOfAny(item)) {
        RenameMember(item, text);
    }
    Invalidate();
}

void CProjTreeCtrl::RenameMember(HTREEITEM item, const CString& text)
{
    CProjOb* project = m_pManager->FindProjectOfMember(item);
    const int index = project->IndexOfMemberItem(item);
    CProjMemberEntry& entry = *project->m_entries[static_cast<size_t>(index)];
    if (project->IsMemberMissing(index))
        return;
    if (ParseUrlIdent(project->m_paths[index], nullptr)) {
        SetItemText(item, text);
        project->m_titles[index] = text;
        project->Save();
        return;
    }
    const CString old = entry.m_path;
    const CString name = FileNameOf(old);
    const int dot = name.ReverseFind('.');
    const CString renamed = FolderOf(old) + "/" + text + (dot < 0 ? CString() : name.Mid(dot));
    if (renamed == old || !m_pManager->ConfirmOutsideFile(*project, old, "Rename this file?"))
        return;
    if (!entry.m_bOwnIcon) {
        m_pManager->RenameMemberFile(old, text);
        return;
    }
    if (FileExists(renamed) || !RenameFile(old, renamed)) {
        ::MessageBox(nullptr, ProjectText("File cannot be renamed"), nullptr, MB_OK);
        return;
    }
    entry.m_path = renamed;
    project->m_paths[index] = MakeRelativePath(renamed, project->m_filePath);
    project->m_titles[index] = text;
    project->RefreshTree(FALSE);
    project->Save();
}

void CProjTreeCtrl::OnRButtonDown(UINT flags, CPoint point)
{
    CTreeCtrl::OnRButtonDown(flags, point);
    const HTREEITEM hit = HitTest(point);
    if (hit) {
        SelectItem(hit);
        // The menu holds the screen: the item it acts on shows selected before it opens.
        UpdateWindow();
    }
    ShowContextMenu(hit, point);
}

void CProjTreeCtrl::ShowContextMenu(HTREEITEM item, CPoint client)
{
    ClientToScreen(&client);
    CMenu* menu = m_pManager->GetContextMenu(m_pManager->IsProjectItemOfAny(item));
    CMenu* popup = menu ? menu->GetSubMenu(0) : nullptr;
    if (!popup)
        return;
    CWnd* owner = AfxGetMainWnd() ? AfxGetMainWnd() : GetParent();
    popup->TrackPopupMenu(TPM_RIGHTBUTTON, client.x, client.y, owner);
    Invalidate(FALSE);
}

void CProjTreeCtrl::OnKeyDown(UINT key, UINT repeat, UINT flags)
{
    // Escape lets go of a drag as on the desktop: nothing is dropped.
    if (key == VK_ESCAPE && m_hDragItem) {
        EndDrag();
        return;
    }
    if (key == VK_DELETE) {
        const HTREEITEM caret = GetSelectedItem();
        if (m_pManager->IsProjectItemOfAny(caret))
            m_pManager->DeleteProjectOf(caret);
        else if (m_pManager->IsMemberItemOfAny(caret))
            m_pManager->OnCmdMsg(CProjManager::CmdRemove, CN_COMMAND, nullptr, nullptr);
    }
    CTreeCtrl::OnKeyDown(key, repeat, flags);
}

void CProjTreeCtrl::OnBeginDrag(NMHDR* header, LRESULT* result)
{
    const auto* notice = reinterpret_cast<NMTREEVIEW*>(header);
    m_hDragItem = notice->itemNew.hItem;
    SetCapture();
    EndDragImage();
    m_dragImage.reset(CreateDragImage(m_hDragItem));
    CPoint screen = notice->ptDrag;
    ClientToScreen(&screen);
    // The picture sits right of the mouse, so the item under the mouse stays in sight.
    if (m_dragImage && ImageList_BeginDrag(m_dragImage->GetSafeHandle(), 0, -15, 0))
        ImageList_DragEnter(nullptr, screen.x, screen.y);
    *result = 0;
}

void CProjTreeCtrl::EndDragImage()
{
    if (!m_dragImage)
        return;
    ImageList_DragLeave(nullptr);
    ImageList_EndDrag();
    m_dragImage.reset();
}

void CProjTreeCtrl::OnMouseMove(UINT flags, CPoint point)
{
    if (m_hDragItem)
        MoveDragImage(point);
    HTREEITEM item = nullptr;
    MarkerGroup group {};
    CRect cell;
    m_tips.SetToolRect(this, 1, MarkerCellAt(point, &item, &group, &cell) ? &cell : CRect());
    MSG message {m_hWnd, WM_MOUSEMOVE, flags, MAKELPARAM(point.x, point.y), 0, {point.x, point.y}};
    m_tips.RelayEvent(&message);
    CTreeCtrl::OnMouseMove(flags, point);
}

void CProjTreeCtrl::MoveDragImage(CPoint client)
{
    CPoint screen = client;
    ClientToScreen(&screen);
    ImageList_DragMove(screen.x, screen.y);
    const HTREEITEM hit = HitTest(client);
    if (!hit || hit == GetDropHilightItem())
        return;
    CRect label;
    const bool overLabel = GetItemRect(hit, &label, TRUE) && client.x >= 0 && client.x <= label.right &&
                           client.y >= label.top && client.y < label.bottom;
    // The picture is hidden while the highlight changes under it.
    if (overLabel)
        ImageList_DragShowNolock(FALSE);
    SelectDropTarget(hit);
    if (overLabel)
        ImageList_DragShowNolock(TRUE);
}

void CProjTreeCtrl::OnLButtonUp(UINT flags, CPoint point)
{
    if (m_hDragItem) {
        const HTREEITEM target = HitTest(point);
        const HTREEITEM dragged = EndDrag();
        if (target != dragged)
            DropItem(dragged, target);
    }
    CTreeCtrl::OnLButtonUp(flags, point);
    Invalidate(FALSE);
}

HTREEITEM CProjTreeCtrl::EndDrag()
{
    const HTREEITEM dragged = m_hDragItem;
    m_hDragItem = nullptr;
    ReleaseCapture();
    EndDragImage();
    SelectDropTarget(nullptr);
    Invalidate(FALSE);
    return dragged;
}

void CProjTreeCtrl::OnItemExpanded(NMHDR* header, LRESULT* result)
{
    Invalidate();
    const HTREEITEM item = reinterpret_cast<NMTREEVIEW*>(header)->itemNew.hItem;
    CProjOb* project = m_pManager->FindProjectByItem(item);
    const BOOL open = (GetItemState(item, TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
    if (project && project->m_hMemberParent == item && project->m_hItem != item) {
        const int image = open ? CProjOb::FolderOpenImage : CProjOb::FolderClosedImage;
        SetItemImage(item, image, image);
    }
    if (project && project->m_hItem == item) {
        if (open != project->m_bExpanded) {
            project->m_bExpanded = open;
            project->SaveToFile(project->m_filePath);
        }
    }
    *result = 0;
}

void CProjTreeCtrl::OnSelChanged(NMHDR* header, LRESULT* result)
{
    const HTREEITEM item = reinterpret_cast<NMTREEVIEW*>(header)->itemNew.hItem;
    m_pManager->OnCaretChanged(item);
    *result = 0;
}

void CProjTreeCtrl::OnCustomDraw(NMHDR* header, LRESULT* result)
{
    auto* draw = reinterpret_cast<NMTVCUSTOMDRAW*>(header);
    if (draw->nmcd.dwDrawStage == CDDS_PREPAINT) {
        *result = CDRF_NOTIFYPOSTPAINT;
        return;
    }
    if (draw->nmcd.dwDrawStage == CDDS_POSTPAINT)
        m_pManager->DrawAllMarkers(CDC::FromHandle(draw->nmcd.hdc));
    *result = CDRF_DODEFAULT;
}

BOOL CProjTreeCtrl::MarkerCellAt(CPoint client, HTREEITEM* item, MarkerGroup* group, CRect* cell) const
{
    const HTREEITEM hit = HitTest(CPoint(client.x, client.y));
    CRect label;
    if (!hit || !m_pManager->IsProjectItemOfAny(hit) || !GetItemRect(hit, &label, TRUE))
        return FALSE;
    for (size_t i = 0; i < std::size(kCellOrder); ++i) {
        const int left = label.right + CellLeft + static_cast<int>(i) * CellStep;
        const CRect rect(left, label.top, left + CellWidth, label.bottom);
        if (rect.PtInRect(client)) {
            *item = hit;
            *group = kCellOrder[i];
            *cell = rect;
            return TRUE;
        }
    }
    return FALSE;
}

BOOL CProjTreeCtrl::MarkerTipAt(CPoint client, CString& text) const
{
    HTREEITEM item = nullptr;
    MarkerGroup group {};
    CRect cell;
    if (!MarkerCellAt(client, &item, &group, &cell))
        return FALSE;
    const CProjOb* project = m_pManager->FindProjectByItem(item);
    const char* name = project ? MarkerValueName(group, project->m_markers.Of(group)) : nullptr;
    if (!name)
        return FALSE;
    text = ProjectText(name);
    return TRUE;
}

BOOL CProjTreeCtrl::OnToolTipText(UINT, NMHDR* header, LRESULT* result)
{
    auto* tip = reinterpret_cast<NMTTDISPINFO*>(header);
    CPoint cursor;
    GetCursorPos(&cursor);
    ScreenToClient(&cursor);
    if (!MarkerTipAt(cursor, m_tipText)) {
        *result = 0;
        return TRUE;
    }
    tip->lpszText = const_cast<LPSTR>(static_cast<LPCTSTR>(m_tipText));
    *result = 1;
    return TRUE;
}

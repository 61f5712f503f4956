// The page view's window: creation, first update, messages, page bounds and small helpers.
#include "View/HyperRunView.h"

#include "View/HyperRunFrame.h"
#include "objects/HyperFrameOb.h"
#include "objects/HyperOb.h"
#include "objects/HyperTracker.h"
#include "objects/HyperViewOb.h"
#include "objects/LayerFmt.h"
#include "objects/ShellServices.h"
#include "objects/ViewSettings.h"
#include "platform/core/System.h"
#include "platform/gdi/Dc.h"
#include "platform/ui/DocTemplate.h"
#include "platform/ui/CmdUI.h"
#include "platform/ui/ControlBar.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/ControlTypes.h"
#include "platform/ui/Menu.h"
#include "platform/ui/WinApp.h"

#include <algorithm>
#include <strings.h>

namespace {

BOOL FileExists(LPCTSTR path)
{
    return GetFileAttributes(path) != INVALID_FILE_ATTRIBUTES;
}

} // namespace

BOOL CHyperRunView::Create(LPCTSTR className, LPCTSTR windowName, DWORD style, const RECT& rect, CWnd* parent,
                           UINT id, CCreateContext* context)
{
    m_createContext = context;
    BOOL created = CScrollView::Create(className, windowName, style, rect, parent, id, context);
    m_createContext = nullptr;
    if (!created)
        return FALSE;
    SetScrollSizes(MM_TEXT, CSize(rect.right - rect.left, rect.bottom - rect.top));
    SetWindowPos(nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    return TRUE;
}

// However the window is made, the frame learns its view and the tools are registered.
int CHyperRunView::OnCreate(LPCREATESTRUCT cs)
{
    if (CScrollView::OnCreate(cs) == -1)
        return -1;
    if (CHyperRunFrame* frame = AsHyperRunFrame(GetParent()))
        frame->AddView(this);
    RegisterTools();
    return 0;
}

void CHyperRunView::OnInitialUpdate()
{
    BeginWaitCursor();
    CScrollView::OnInitialUpdate();
    m_stateWords[0] = 0;
    if (!m_pageObject)
        CreatePageObject();
    SetScrollSizes(MM_TEXT, CSize(0, 0));
    if (IsMapped())
        UpdateScrollSizes(m_pageObject->GetScrollWidth(), m_pageObject->GetScrollHeight());
    CObArray& views = GetViewSettings().m_openViews;
    DetachFromSettings();
    views.Add(this);
    SendMessage(WM_VIEW_INITIALIZED, 0, 0);
    for (INT_PTR i = 0; i < m_objects.GetSize(); ++i)
        GetObjectAtIndex(i)->RememberRects();
    EndWaitCursor();
}

void CHyperRunView::OnActivateView(BOOL activate, CView* activateView, CView* deactiveView)
{
    CScrollView::OnActivateView(activate, activateView, deactiveView);
    if (m_active != activate && m_hWnd)
        Invalidate(FALSE);
    m_active = activate;
}

BOOL CHyperRunView::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (m_lastContextMenuSource && m_lastContextMenuSource != this) {
        CWnd* source = std::exchange(m_lastContextMenuSource, nullptr);
        if (source->OnCmdMsg(LOWORD(wParam), HIWORD(wParam), nullptr, nullptr))
            return TRUE;
    }
    if (HIWORD(wParam) == EN_SETFOCUS && lParam)
        m_focusedChild = reinterpret_cast<HWND>(lParam);
    if (lParam == 0 && LOWORD(wParam) == ID_EDIT_COPY && OnEditCopy())
        return TRUE;
    if (lParam == 0 && LOWORD(wParam) == ID_EDIT_PASTE && OnEditPaste())
        return TRUE;
    return CScrollView::OnCommand(wParam, lParam);
}

void CHyperRunView::OnDestroy()
{
    DetachFromSettings();
    CScrollView::OnDestroy();
}

void CHyperRunView::PostNcDestroy()
{
    if (m_ownsFrameObject) {
        delete m_frameObject;
        m_frameObject = nullptr;
    }
    CScrollView::PostNcDestroy();
}

BOOL CHyperRunView::OnPreparePrinting(CPrintInfo* info)
{
    info->SetMaxPage(1);
    return DoPreparePrinting(info);
}

void CHyperRunView::GetPageRect(CRect* out, BOOL usePage)
{
    if (usePage && IsMapped()) {
        out->SetRect(0, 0, m_pageObject->GetScrollWidth(), m_pageObject->GetScrollHeight());
    } else {
        if (m_hWnd)
            GetClientRect(out);
        else
            out->SetRectEmpty();
        CPoint corners[2] = {out->TopLeft(), out->BottomRight()};
        DeviceToLogical(&corners[0], nullptr);
        DeviceToLogical(&corners[1], nullptr);
        out->SetRect(corners[0].x, corners[0].y, corners[1].x, corners[1].y);
    }
    out->DeflateRect(m_margins.left, m_margins.top, m_margins.right, m_margins.bottom);
}

void CHyperRunView::SaveWindowPos(BOOL save)
{
    POINT& next = GetViewSettings().m_nextFramePosition;
    if (!save) {
        next = {-1, -1};
        return;
    }
    CWnd* frame = GetParent();
    CWnd* main = AfxGetMainWnd();
    if (!frame || !main)
        return;
    CRect placed;
    frame->GetWindowRect(&placed);
    CPoint corner = placed.TopLeft();
    main->ScreenToClient(&corner);
    next = {corner.x - 2, corner.y - 8};
}

BOOL CHyperRunView::OpenDocumentByName(LPCTSTR path)
{
    if (RefusesOpenByName())
        return FALSE;
    CString name = path;
    int cut = std::max(name.ReverseFind('\\'), name.ReverseFind(':'));
    name = name.Mid(cut + 1);
    name.MakeLower();
    const CString candidates[] = {GetViewSettings().m_documentFolder + "\\" + name, name, CString(path)};
    BOOL opened = FALSE;
    for (const CString& candidate : candidates) {
        if (FileExists(candidate)) {
            CWinApp* app = AfxGetApp();
            opened = app && app->OpenDocumentFile(candidate) != nullptr;
            break;
        }
    }
    SaveWindowPos(FALSE);
    return opened;
}

void CHyperRunView::PumpMessages(UINT first, UINT last)
{
    MSG msg;
    while (PeekMessage(&msg, nullptr, first, last, PM_NOREMOVE)) {
        if (!GetMessage(&msg, nullptr, first, last))
            break;
        DispatchMessage(&msg);
    }
}

void CHyperRunView::UpdateEditCopy(CCmdUI* cmdUI)
{
    CWnd* focus = GetFocusWnd();
    char className[16] = "";
    if (focus && focus->m_hWnd)
        ::GetClassName(focus->m_hWnd, className, sizeof className);
    DWORD start = 0, end = 0;
    const BOOL edit = strcasecmp(className, "edit") == 0;
    if (edit)
        focus->SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    cmdUI->Enable(edit && start != end);
}

int CHyperRunView::MouseActivate(CWnd* desktop, UINT hitTest, UINT message)
{
    if (!OwnsFrameObject() && desktop && desktop->m_hWnd)
        return CScrollView::OnMouseActivate(desktop, hitTest, message);
    return static_cast<int>(Default());
}

void CHyperRunView::OnContextMenu(CPoint point, CMenu* menu, UINT menuId, BOOL parentOwns)
{
    if (!menu->LoadMenu(menuId))
        return;
    CWnd* focus = GetFocusWnd();
    CHyperRunView* focusView = AsHyperRunView(focus);
    if (focusView)
        focusView->m_contextMenuSource = this;
    ClientToScreen(&point);
    CMenu* popup = menu->GetSubMenu(0);
    CWnd* owner = focus && parentOwns ? focus->GetParent() : focus;
    if (popup)
        popup->TrackPopupMenu(TPM_RIGHTBUTTON, point.x, point.y, owner ? owner : this);
    // The menu loop is over: the focus view offers the chosen command to this view first.
    if (focusView)
        focusView->m_lastContextMenuSource = std::exchange(focusView->m_contextMenuSource, nullptr);
}

BOOL CHyperRunView::TrackBandInView(CHyperTracker& tracker, POINT device)
{
    return m_hWnd && tracker.TrackRubberBand(this, device, TRUE);
}

const CLayerFmt* CHyperRunView::GetLayerList() const
{
    return m_pageObject ? m_pageObject->GetLayerList() : nullptr;
}

BOOL CHyperRunView::IsLayerVisible(int layer) const
{
    const CLayerFmt* layers = GetLayerList();
    return !layers || layers->IsLayerVisible(layer);
}

BOOL CHyperRunView::IsLayerLocked(int layer) const
{
    const CLayerFmt* layers = GetLayerList();
    return layers && layers->IsLayerLocked(layer);
}

COLORREF CHyperRunView::GetPageObjectColor() const
{
    return m_pageObject ? m_pageObject->GetColor() : static_cast<COLORREF>(-1);
}

BOOL CHyperRunView::GetPageFont(LOGFONT* font) const
{
    if (!m_pageObject)
        return FALSE;
    *font = m_pageObject->Font.GetLogFont();
    return TRUE;
}

CHyperBaseOb* CHyperRunView::GetObjectAt(int index) const
{
    return GetObjectAtIndex(index);
}

void CHyperRunView::GetCodesInUse(CStringArray& codes, const CHyperBaseOb* except) const
{
    if (m_pageObject)
        codes.Add(m_pageObject->GetCode());
    if (m_frameObject)
        codes.Add(m_frameObject->GetCode());
    for (INT_PTR i = 0; i < m_objects.GetSize(); ++i) {
        CHyperOb* object = GetObjectAtIndex(i);
        if (object != except)
            codes.Add(object->Code);
    }
}

CHyperBaseOb* CHyperRunView::FindObject(const CString& code, const CHyperBaseOb* except) const
{
    for (INT_PTR i = 0; i < m_objects.GetSize(); ++i) {
        CHyperOb* object = GetObjectAtIndex(i);
        if (object != except && object->Code == code)
            return object;
    }
    return nullptr;
}

CFrameWindow* CHyperRunView::GetFrameWindow() const
{
    CHyperRunFrame* frame = AsHyperRunFrame(GetParent());
    return frame ? frame->GetFrameWindow() : nullptr;
}

POINT CHyperRunView::GetScreenOrigin() const
{
    CPoint origin(0, 0);
    if (m_hWnd)
        ClientToScreen(&origin);
    return origin;
}

void CHyperRunView::InvalidateDevice(const RECT& rect, BOOL erase)
{
    if (m_hWnd && !IsRepaintBatched())
        InvalidateRect(&rect, erase);
}

// The status bar shows the selected object's position and size while its panes are shown.
void CHyperRunView::ShowRectInStatusBar(const RECT& rect)
{
    constexpr UINT WM_STATUSPOSITION = 0x8100;
    CWnd* main = AfxGetMainWnd();
    if (!main || !main->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
        return;
    if (CControlBar* bar = static_cast<CFrameWnd*>(main)->GetControlBar(AFX_IDW_STATUS_BAR))
        bar->SendMessage(WM_STATUSPOSITION, 1, reinterpret_cast<LPARAM>(&rect));
}

void CHyperRunView::ShowAngleTip(const CString& text, POINT centre, SIZE size)
{
    if (m_hWnd)
        GetShellServices().ShowTip(m_hWnd, text, centre, size);
}

void CHyperRunView::HideAngleTip() { GetShellServices().HideTip(); }

BEGIN_MESSAGE_MAP(CHyperRunView, CScrollView)
    ON_WM_CREATE()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

namespace {

struct Overhangs {
    int left = 0;
    int right = 0;
    int top = 0;
    int bottom = 0;
};

// Left before right and top before bottom: an object counts on one edge of each axis only.
void AddOverhang(Overhangs& all, const CRect& rect, const CRect& page)
{
    if (rect.left < page.left)
        all.left = std::max(all.left, page.left - rect.left);
    else if (rect.right > page.right)
        all.right = std::max(all.right, rect.right - page.right);
    if (rect.top < page.top)
        all.top = std::max(all.top, page.top - rect.top);
    else if (rect.bottom > page.bottom)
        all.bottom = std::max(all.bottom, rect.bottom - page.bottom);
}

// The shift that brings a set overhanging exactly one edge of an axis back; 0 otherwise.
int AxisShift(int before, int after)
{
    if ((before > 0) == (after > 0))
        return 0;
    return before > 0 ? before : -after;
}

BOOL IsOutside(const CPoint& corner, const CRect& page)
{
    return corner.x < page.left || corner.x > page.right || corner.y < page.top || corner.y > page.bottom;
}

CRect RectOf(const CObject* object)
{
    CRect rect;
    static_cast<const CHyperOb*>(object)->GetRect(&rect, nullptr);
    return rect;
}

} // namespace

void CHyperRunView::ClampObjectsToPage(CObArray& objects, BOOL)
{
    CRect page;
    GetPageRect(&page, TRUE);
    Overhangs all;
    for (INT_PTR i = 0; i < objects.GetSize(); ++i)
        AddOverhang(all, RectOf(objects[i]), page);
    const CSize shift(AxisShift(all.left, all.right), AxisShift(all.top, all.bottom));
    BOOL noted = FALSE;
    if (shift.cx != 0 || shift.cy != 0) {
        for (INT_PTR i = 0; i < objects.GetSize(); ++i) {
            CRect rect = RectOf(objects[i]);
            noted |= IsOutside(rect.TopLeft(), page) || IsOutside(rect.BottomRight(), page);
            rect.OffsetRect(shift);
            static_cast<CHyperOb*>(objects[i])->SetRect(rect);
        }
    }
    UpdateConnectors();
    const BOOL bothX = all.left > 0 && all.right > 0;
    const BOOL bothY = all.top > 0 && all.bottom > 0;
    if (!noted && !bothX && !bothY)
        return;
    for (INT_PTR i = 0; i < objects.GetSize(); ++i) {
        const CRect rect = RectOf(objects[i]);
        Overhangs own;
        AddOverhang(own, rect, page);
        const CSize move(own.left - own.right, own.top - own.bottom);
        if (move.cx != 0 || move.cy != 0) {
            CRect moved = rect;
            moved.OffsetRect(move);
            static_cast<CHyperOb*>(objects[i])->SetRect(moved);
        }
    }
}

void CHyperRunView::ShowCursor(UINT id) { ::SetCursor(::LoadCursor(AfxGetResourceHandle(), MAKEINTRESOURCE(id))); }

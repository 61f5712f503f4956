// Dialogs built from templates, modal loops and the dialog keys.
#include "platform/ui/Dialog.h"

#include "platform/core/Exception.h"
#include "platform/ui/Resources.h"
#include "platform/ui/WinApp.h"

#include <algorithm>
#include <vector>

IMPLEMENT_DYNAMIC(CDialog, CWnd)

const char* const AfxDialogClass = "AfxDialog";

namespace {

void registerDialogClass()
{
    WNDCLASS wc{};
    if (::GetClassInfo(nullptr, AfxDialogClass, &wc))
        return;
    wc.style = CS_DBLCLKS | CS_SAVEBITS;
    wc.lpfnWndProc = ::DefWindowProc;
    wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<uintptr_t>(COLOR_BTNFACE + 1));
    wc.lpszClassName = AfxDialogClass;
    ::RegisterClass(&wc);
}

// Dialog units to pixels, corner by corner.
RECT mapDialogRect(int x, int y, int cx, int cy)
{
    return RECT{DialogUnitsToPixelsX(x), DialogUnitsToPixelsY(y), DialogUnitsToPixelsX(x + cx), DialogUnitsToPixelsY(y + cy)};
}

} // namespace

void AfxCreateDialogItems(HWND dialog, const DialogTemplate& t)
{
    registerDialogClass();
    for (const DialogItemTemplate& item : t.items) {
        WNDCLASS wc{};
        LPCTSTR cls = ::GetClassInfo(nullptr, item.className.c_str(), &wc) ? item.className.c_str() : AfxDialogClass;
        RECT r = mapDialogRect(item.x, item.y, item.cx, item.cy);
        ::CreateWindowEx(item.exStyle, cls, item.text.c_str(), item.style | WS_CHILD, r.left, r.top, r.right - r.left,
                         r.bottom - r.top, dialog, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(item.id)), nullptr, nullptr);
    }
}

CDialog::CDialog(UINT templateId, CWnd* parent) : m_nIDHelp(templateId), m_nIDTemplate(templateId), m_pParentWnd(parent) {}

BOOL CDialog::CreateFromTemplate(const DialogTemplate* t, CWnd* parent)
{
    registerDialogClass();
    DialogTemplate fallback;
    fallback.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    fallback.cx = 200;
    fallback.cy = 100;
    if (!t)
        t = &fallback;
    DWORD style = t->style & ~WS_VISIBLE;
    HWND owner = parent ? parent->m_hWnd : nullptr;
    RECT r = mapDialogRect(t->x, t->y, t->cx, t->cy);
    if (!CreateEx(t->exStyle, AfxDialogClass, t->caption.c_str(), style, r.left, r.top, r.right - r.left,
                  r.bottom - r.top, owner, nullptr))
        return FALSE;
    AfxCreateDialogItems(m_hWnd, *t);
    if (!(style & WS_CHILD))
        CenterWindow(parent);
    BOOL focusDefault = static_cast<BOOL>(SendMessage(WM_INITDIALOG, 0, 0));
    if (!m_hWnd)
        return FALSE;
    if (focusDefault) {
        HWND first = ::GetWindow(m_hWnd, GW_CHILD);
        if (first)
            ::SetFocus(first);
    }
    if (t->style & WS_VISIBLE)
        ShowWindow(SW_SHOW);
    return TRUE;
}

BOOL CDialog::Create(UINT templateId, CWnd* parent)
{
    m_nIDTemplate = templateId;
    m_pParentWnd = parent;
    return CreateFromTemplate(FindDialogResource(templateId), parent);
}

BOOL CDialog::CreateIndirect(const DialogTemplate& dialogTemplate, CWnd* parent)
{
    m_pParentWnd = parent;
    return CreateFromTemplate(&dialogTemplate, parent);
}

INT_PTR CDialog::DoModal()
{
    HWND top = nullptr;
    CWnd* owner = CWnd::GetSafeOwner(m_pParentWnd, &top);
    HWND ownerHandle = owner ? owner->m_hWnd : nullptr;
    bool enableOwner = ownerHandle && ::IsWindowEnabled(ownerHandle);
    if (enableOwner)
        ::EnableWindow(ownerHandle, FALSE);
    m_nModalResult = -1;
    m_nFlags |= WF_CONTINUEMODAL;
    if (CreateFromTemplate(FindDialogResource(m_nIDTemplate), owner)) {
        if (m_nFlags & WF_CONTINUEMODAL)
            RunModalLoop(MLF_SHOWONIDLE);
        if (m_hWnd)
            SetWindowPos(nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    }
    m_nFlags &= ~WF_CONTINUEMODAL;
    if (enableOwner && ::IsWindow(ownerHandle))
        ::EnableWindow(ownerHandle, TRUE);
    if (ownerHandle && ::IsWindow(ownerHandle) && (!m_hWnd || ::GetActiveWindow() == m_hWnd))
        ::SetActiveWindow(ownerHandle);
    if (m_hWnd)
        DestroyWindow();
    return m_nModalResult;
}

void CDialog::EndDialog(int result)
{
    m_nModalResult = result;
    if (m_nFlags & (WF_MODALLOOP | WF_CONTINUEMODAL))
        EndModalLoop(result);
    else if (m_hWnd)
        ShowWindow(SW_HIDE);
}

BOOL CDialog::UpdateData(BOOL saveAndValidate)
{
    CDataExchange dx(this, saveAndValidate);
    TRY
    {
        DoDataExchange(&dx);
    }
    CATCH(CUserException, e)
    {
        return FALSE;
    }
    END_CATCH
    return TRUE;
}

void CDialog::DoDataExchange(CDataExchange*) {}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (UpdateData(TRUE))
        EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM) { return OnInitDialog(); }

// The next (or previous) enabled, visible child with WS_TABSTOP after from, wrapping around.
HWND CDialog::NextTabStop(HWND from, BOOL previous) const
{
    std::vector<HWND> stops;
    for (HWND c = ::GetWindow(m_hWnd, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT))
        if ((::GetWindowLongPtr(c, GWL_STYLE) & WS_TABSTOP) && ::IsWindowVisible(c) && ::IsWindowEnabled(c))
            stops.push_back(c);
    if (stops.empty())
        return nullptr;
    // Children are kept front first; the tab order is the order of creation.
    std::reverse(stops.begin(), stops.end());
    auto it = std::find(stops.begin(), stops.end(), from);
    if (it == stops.end())
        return previous ? stops.back() : stops.front();
    size_t i = static_cast<size_t>(it - stops.begin());
    return previous ? stops[(i + stops.size() - 1) % stops.size()] : stops[(i + 1) % stops.size()];
}

BOOL CDialog::PreTranslateMessage(MSG* msg)
{
    if (msg->message != WM_KEYDOWN || (msg->hwnd != m_hWnd && !::IsChild(m_hWnd, msg->hwnd)))
        return CWnd::PreTranslateMessage(msg);
    if (msg->wParam == VK_ESCAPE) {
        SendMessage(WM_COMMAND, IDCANCEL, 0);
        return TRUE;
    }
    if (msg->wParam == VK_RETURN) {
        SendMessage(WM_COMMAND, IDOK, 0);
        return TRUE;
    }
    if (msg->wParam == VK_TAB) {
        HWND focus = ::GetFocus();
        while (focus && ::GetParent(focus) != m_hWnd && focus != m_hWnd)
            focus = ::GetParent(focus);
        if (HWND next = NextTabStop(focus, ::GetKeyState(VK_SHIFT) < 0))
            ::SetFocus(next);
        return TRUE;
    }
    return CWnd::PreTranslateMessage(msg);
}

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, OnOK)
    ON_COMMAND(IDCANCEL, OnCancel)
    ON_MESSAGE(WM_INITDIALOG, HandleInitDialog)
END_MESSAGE_MAP()

// Dialogs built from templates, modal loops and the dialog keys.
#include "platform/ui/Dialog.h"

#include "platform/core/Exception.h"
#include "platform/ui/LanguageTexts.h"
#include "platform/ui/Resources.h"

#include <vector>

IMPLEMENT_DYNAMIC(CDialog, CWnd)

const char* const AfxDialogClass = "AfxDialog";

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_MESSAGE(WM_INITDIALOG, HandleInitDialog)
    ON_MESSAGE(DM_GETDEFID, OnGetDefId)
    ON_MESSAGE(DM_SETDEFID, OnSetDefId)
    ON_MESSAGE(WM_NEXTDLGCTL, OnNextDlgCtl)
    ON_COMMAND(IDOK, OnOK)
    ON_COMMAND(IDCANCEL, OnCancel)
    ON_WM_CLOSE()
END_MESSAGE_MAP()

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

// The dialog of a dialog object made without a template.
const DialogTemplate& emptyTemplate()
{
    static const DialogTemplate empty = [] {
        DialogTemplate t;
        t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
        t.cx = 200;
        t.cy = 100;
        return t;
    }();
    return empty;
}

bool tabStop(HWND h)
{
    DWORD style = static_cast<DWORD>(::GetWindowLongPtr(h, GWL_STYLE));
    return (style & (WS_TABSTOP | WS_VISIBLE | WS_DISABLED)) == (WS_TABSTOP | WS_VISIBLE);
}

UINT dialogCode(HWND h, MSG* msg)
{
    return h ? static_cast<UINT>(::SendMessage(h, WM_GETDLGCODE, msg ? msg->wParam : 0, reinterpret_cast<LPARAM>(msg))) : 0;
}

// The child after (or before) from in z-order, wrapping round.
HWND step(HWND parent, HWND from, bool previous)
{
    HWND next = from ? ::GetWindow(from, previous ? GW_HWNDPREV : GW_HWNDNEXT) : nullptr;
    if (!next) {
        HWND first = ::GetWindow(parent, GW_CHILD);
        next = previous && first ? ::GetWindow(first, GW_HWNDLAST) : first;
    }
    return next;
}

} // namespace

CDialog::CDialog(UINT idTemplate, CWnd* parent) : m_nIDHelp(idTemplate), m_nIDTemplate(idTemplate), m_pParentWnd(parent) {}

CDialog::~CDialog()
{
    if (m_hWnd)
        DestroyWindow();
}

BOOL CDialog::Create(UINT idTemplate, CWnd* parent)
{
    m_nIDTemplate = idTemplate;
    m_pParentWnd = parent;
    const DialogTemplate* dialog = FindDialogResource(idTemplate);
    return dialog && createFromTemplate(*dialog, parent, false);
}

BOOL CDialog::CreateIndirect(const DialogTemplate& dialog, CWnd* parent)
{
    m_pParentWnd = parent;
    return createFromTemplate(dialog, parent, false);
}

BOOL CDialog::createFromTemplate(const DialogTemplate& dialog, CWnd* parent, bool modal)
{
    AfxRegisterControlClasses();
    registerDialogClass();
    WORD points = dialog.fontSize ? dialog.fontSize : 8;
    m_baseUnits = SIZE{MulDiv(6, points, 8), MulDiv(13, points, 8)};
    if (!dialog.fontName.empty() && !m_font.m_hObject)
        m_font.CreatePointFont(points * 10, dialog.fontName.c_str());
    DWORD style = modal ? (dialog.style & ~WS_VISIBLE) : dialog.style;
    CRect rect(dialog.x, dialog.y, dialog.x + dialog.cx, dialog.y + dialog.cy);
    MapDialogRect(&rect);
    ::AdjustWindowRectEx(&rect, style, FALSE, dialog.exStyle);
    HWND owner = parent ? parent->m_hWnd : nullptr;
    if (!(style & WS_CHILD) && parent)
        owner = parent->GetTopLevelParent() ? parent->GetTopLevelParent()->m_hWnd : owner;
    if (!CreateEx(dialog.exStyle, AfxDialogClass, dialog.caption.c_str(), style & ~WS_VISIBLE, rect.left, rect.top,
                  rect.Width(), rect.Height(), owner, nullptr))
        return FALSE;
    if (!(style & WS_CHILD) && (modal || (dialog.style & DS_CENTER)))
        CenterWindow(parent);
    createControls(dialog);
    // Every dialog shows the language's words for the keys its template holds.
    Parlex_SetAllTexts(m_hWnd);
    HWND first = GetNextDlgTabItem(nullptr) ? GetNextDlgTabItem(nullptr)->m_hWnd : nullptr;
    if (SendMessage(WM_INITDIALOG, reinterpret_cast<WPARAM>(first), 0) && first && ::IsWindow(m_hWnd))
        GotoDlgCtrl(CWnd::FromHandle(first));
    if (::IsWindow(m_hWnd) && (style & WS_VISIBLE))
        ShowWindow(SW_SHOW);
    return ::IsWindow(m_hWnd);
}

namespace {

// One template item as a visible child at rect (pixels), below the items made before it so
// that the tab order is the template's.
HWND createItem(HWND parent, const DialogItemTemplate& item, const RECT& rect)
{
    WNDCLASS wc{};
    LPCTSTR cls = ::GetClassInfo(nullptr, item.className.c_str(), &wc) ? item.className.c_str() : AfxDialogClass;
    HWND control = ::CreateWindowEx(item.exStyle, cls, item.text.c_str(), item.style | WS_CHILD | WS_VISIBLE, rect.left,
                                    rect.top, rect.right - rect.left, rect.bottom - rect.top, parent,
                                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(item.id)), nullptr, nullptr);
    if (control)
        ::SetWindowPos(control, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return control;
}

// Group boxes are drawn behind the controls they frame.
void sendFramesBack(HWND parent)
{
    std::vector<HWND> frames;
    for (HWND h = ::GetWindow(parent, GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT))
        if (::SendMessage(h, WM_GETDLGCODE, 0, 0) == DLGC_STATIC &&
            (::GetWindowLongPtr(h, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX)
            frames.push_back(h);
    for (HWND h : frames)
        ::SetWindowPos(h, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

} // namespace

void AfxCreateDialogItems(HWND parent, const DialogTemplate& dialogTemplate)
{
    AfxRegisterControlClasses();
    registerDialogClass();
    for (const DialogItemTemplate& item : dialogTemplate.items)
        createItem(parent, item,
                   RECT{DialogUnitsToPixelsX(item.x), DialogUnitsToPixelsY(item.y), DialogUnitsToPixelsX(item.x + item.cx),
                        DialogUnitsToPixelsY(item.y + item.cy)});
    sendFramesBack(parent);
}

void CDialog::createControls(const DialogTemplate& dialog)
{
    for (const DialogItemTemplate& item : dialog.items) {
        CRect rect(item.x, item.y, item.x + item.cx, item.y + item.cy);
        MapDialogRect(&rect);
        HWND control = createItem(m_hWnd, item, rect);
        if (!control)
            continue;
        if (m_font.m_hObject)
            ::SendMessage(control, WM_SETFONT, reinterpret_cast<WPARAM>(m_font.m_hObject), FALSE);
        if ((item.className == WC_BUTTON || item.className == "button") && (item.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
            m_defId = item.id;
    }
    sendFramesBack(m_hWnd);
}

INT_PTR CDialog::DoModal()
{
    const DialogTemplate* dialog = m_indirect        ? m_indirect.get()
                                   : m_nIDTemplate ? FindDialogResource(m_nIDTemplate)
                                                   : &emptyTemplate();
    if (!dialog)
        return -1;
    CWnd* owner = CWnd::GetSafeOwner(m_pParentWnd);
    HWND ownerHwnd = owner ? owner->m_hWnd : nullptr;
    bool reenable = ownerHwnd && ::IsWindowEnabled(ownerHwnd);
    if (reenable)
        ::EnableWindow(ownerHwnd, FALSE);
    m_nModalResult = -1;
    m_nFlags |= WF_CONTINUEMODAL;
    if (createFromTemplate(*dialog, owner, true) && (m_nFlags & WF_CONTINUEMODAL)) {
        ShowWindow(SW_SHOWNORMAL);
        RunModalLoop(MLF_SHOWONIDLE);
    }
    m_nFlags &= ~WF_CONTINUEMODAL;
    if (reenable)
        ::EnableWindow(ownerHwnd, TRUE);
    if (m_hWnd)
        SetWindowPos(nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    if (ownerHwnd && ::IsWindow(ownerHwnd) && (!m_hWnd || ::GetActiveWindow() == m_hWnd))
        ::SetActiveWindow(ownerHwnd);
    if (m_hWnd)
        DestroyWindow();
    return m_nModalResult;
}

void CDialog::InitModalIndirect(const DialogTemplate& dialog, CWnd* parent)
{
    m_indirect = std::make_unique<DialogTemplate>(dialog);
    if (parent)
        m_pParentWnd = parent;
}

void CDialog::EndDialog(int result)
{
    m_nModalResult = result;
    if (m_nFlags & (WF_MODALLOOP | WF_CONTINUEMODAL))
        EndModalLoop(result);
    else if (m_hWnd)
        ShowWindow(SW_HIDE);
}

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

void CDialog::OnClose() { SendMessage(WM_COMMAND, IDCANCEL, 0); }

void CDialog::DoDataExchange(CDataExchange*) {}

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

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM) { return OnInitDialog(); }

LRESULT CDialog::OnGetDefId(WPARAM, LPARAM) { return MAKELONG(static_cast<WORD>(m_defId), DC_HASDEFID); }

LRESULT CDialog::OnSetDefId(WPARAM id, LPARAM)
{
    auto restyle = [this](UINT button, DWORD type) {
        HWND h = ::GetDlgItem(m_hWnd, static_cast<int>(button));
        DWORD kind = h ? static_cast<DWORD>(::SendMessage(h, WM_GETDLGCODE, 0, 0)) : 0;
        if (kind & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON))
            ::SendMessage(h, BM_SETSTYLE, type, TRUE);
    };
    restyle(m_defId, BS_PUSHBUTTON);
    m_defId = static_cast<UINT>(id);
    restyle(m_defId, BS_DEFPUSHBUTTON);
    return TRUE;
}

LRESULT CDialog::OnNextDlgCtl(WPARAM wParam, LPARAM lParam)
{
    CWnd* target = lParam ? CWnd::FromHandle(reinterpret_cast<HWND>(wParam)) : GetNextDlgTabItem(GetFocus(), wParam != 0);
    if (target)
        GotoDlgCtrl(target);
    return 0;
}

void CDialog::SetDefID(UINT id) { SendMessage(DM_SETDEFID, id, 0); }
DWORD CDialog::GetDefID() const { return static_cast<DWORD>(SendMessage(DM_GETDEFID, 0, 0)); }

void CDialog::NextDlgCtrl() const { ::SendMessage(m_hWnd, WM_NEXTDLGCTL, 0, 0); }
void CDialog::PrevDlgCtrl() const { ::SendMessage(m_hWnd, WM_NEXTDLGCTL, 1, 0); }

void CDialog::GotoDlgCtrl(CWnd* control)
{
    if (!control || !control->m_hWnd)
        return;
    control->SetFocus();
    if (dialogCode(control->m_hWnd, nullptr) & DLGC_HASSETSEL)
        ::SendMessage(control->m_hWnd, EM_SETSEL, 0, -1);
}

void CDialog::MapDialogRect(LPRECT rect) const
{
    rect->left = rect->left * m_baseUnits.cx / 4;
    rect->right = rect->right * m_baseUnits.cx / 4;
    rect->top = rect->top * m_baseUnits.cy / 8;
    rect->bottom = rect->bottom * m_baseUnits.cy / 8;
}

CWnd* CDialog::GetNextDlgTabItem(CWnd* control, BOOL previous) const
{
    HWND from = control && ::IsChild(m_hWnd, control->m_hWnd) ? control->m_hWnd : nullptr;
    HWND h = from;
    for (HWND first = nullptr;;) {
        h = step(m_hWnd, h, previous);
        if (!h || h == first || (h == from && from))
            return from ? CWnd::FromHandle(from) : nullptr;
        if (!first)
            first = h;
        if (tabStop(h))
            return CWnd::FromHandle(h);
    }
}

CWnd* CDialog::GetNextDlgGroupItem(CWnd* control, BOOL previous) const
{
    if (!control)
        return nullptr;
    HWND h = control->m_hWnd;
    for (int guard = 0; guard < 1000; ++guard) {
        auto style = [](HWND w) { return static_cast<DWORD>(::GetWindowLongPtr(w, GWL_STYLE)); };
        HWND next;
        if (previous) {
            next = (style(h) & WS_GROUP) ? nullptr : ::GetWindow(h, GW_HWNDPREV);
            if (!next)
                for (next = h; ::GetWindow(next, GW_HWNDNEXT) && !(style(::GetWindow(next, GW_HWNDNEXT)) & WS_GROUP);)
                    next = ::GetWindow(next, GW_HWNDNEXT);
        } else {
            next = ::GetWindow(h, GW_HWNDNEXT);
            if (!next || (style(next) & WS_GROUP))
                for (next = h; !(style(next) & WS_GROUP) && ::GetWindow(next, GW_HWNDPREV);)
                    next = ::GetWindow(next, GW_HWNDPREV);
        }
        if (next == control->m_hWnd)
            return control;
        h = next;
        if ((style(h) & (WS_VISIBLE | WS_DISABLED)) == WS_VISIBLE)
            return CWnd::FromHandle(h);
    }
    return control;
}

void CDialog::CheckRadioButton(int first, int last, int check)
{
    for (int id = first; id <= last; ++id)
        CheckDlgButton(id, id == check ? BST_CHECKED : BST_UNCHECKED);
}

int CDialog::GetCheckedRadioButton(int first, int last)
{
    for (int id = first; id <= last; ++id)
        if (IsDlgButtonChecked(id) == BST_CHECKED)
            return id;
    return 0;
}

void CDialog::pressButton(UINT id)
{
    HWND button = ::GetDlgItem(m_hWnd, static_cast<int>(id));
    if (button && !::IsWindowEnabled(button))
        return;
    SendMessage(WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

bool CDialog::handleDialogKey(MSG* msg)
{
    HWND focus = ::GetFocus();
    HWND control = focus && ::IsChild(m_hWnd, focus) ? focus : nullptr;
    UINT code = dialogCode(control, msg);
    bool shift = ::GetKeyState(VK_SHIFT) < 0;
    switch (msg->wParam) {
    case VK_TAB:
        if (code & (DLGC_WANTTAB | DLGC_WANTALLKEYS))
            return false;
        GotoDlgCtrl(GetNextDlgTabItem(CWnd::FromHandle(control), shift));
        return true;
    case VK_ESCAPE:
        if (control && ::SendMessage(control, CB_GETDROPPEDSTATE, 0, 0) && (code & DLGC_WANTALLKEYS))
            return false;
        pressButton(IDCANCEL);
        return true;
    case VK_RETURN:
        if (code & DLGC_WANTALLKEYS)
            return false;
        pressButton((code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) ? static_cast<UINT>(::GetDlgCtrlID(control))
                                                                         : LOWORD(GetDefID()));
        return true;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN: {
        if (!control || (code & DLGC_WANTARROWS))
            return false;
        CWnd* next = GetNextDlgGroupItem(CWnd::FromHandle(control), msg->wParam == VK_LEFT || msg->wParam == VK_UP);
        GotoDlgCtrl(next);
        if (next && (dialogCode(next->m_hWnd, nullptr) & DLGC_RADIOBUTTON))
            ::SendMessage(next->m_hWnd, BM_CLICK, 0, 0);
        return true;
    }
    default: return false;
    }
}

BOOL CDialog::PreTranslateMessage(MSG* msg)
{
    if (msg->message == WM_KEYDOWN && (msg->hwnd == m_hWnd || ::IsChild(m_hWnd, msg->hwnd)) && handleDialogKey(msg))
        return TRUE;
    return CWnd::PreTranslateMessage(msg);
}

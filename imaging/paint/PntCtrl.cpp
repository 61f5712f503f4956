// The paint control's state: construction, the window class, notifications, tools,
// colours and the text settings.
#include "imaging/paint/PntCtrl.h"

#include "objects/ShellServices.h"
#include "platform/core/Exception.h"
#include "platform/ui/CmdUI.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/WinApp.h"

#include <array>

IMPLEMENT_DYNCREATE(CPntCtrl, CWnd)

const ColourTableEntry g_PaintColours[16] = {
    {0x000000, "Black"},        {0xFFFFFF, "White"},      {0xFF0000, "Blue"},         {0x00FF00, "Bright green"},
    {0xFFFF00, "Cyan"},         {0x0000FF, "Red"},        {0xFF00FF, "Magenta"},      {0x00FFFF, "Yellow"},
    {0x800000, "Dark Blue"},    {0x008000, "Dark Green"}, {0x808000, "Dark Cyan"},    {0x000080, "Dark red"},
    {0x800080, "Dark Magenta"}, {0x008080, "Dark yellow"}, {0x808080, "Grey - 50%"}, {0xC0C0C0, "Light grey"}};

namespace {

constexpr std::array<const char*, 17> kModeTexts = {
    "",
    "Adjusts the selection rectangle for the image.",
    "Drag and drop the selected area within the image.",
    "Increases or decreases the magnification of the image.",
    "Fills an area.",
    "Draws using a pen with the current width.",
    "Erases using an eraser with the current width.",
    "Select a colour from the image",
    "Draws a line using the current pen width and colour.",
    "Draws text using the current pen colour.",
    "Paints with the airbrush in the current colour.",
    "Draws a rectangle using the current pen width and colour.",
    "Draws a rounded rectangle using the current pen width and colour.",
    "Draws an ellipse using the current pen width and colour.",
    "Draws a filled rectangle using the current pen width and colour.",
    "Draws a filled rounded rectangle using the current pen width and colour.",
    "Draws a filled ellipse using the current pen width and colour.",
};
constexpr UINT kIdleStatusText = 57345;

void RegisterPaintClass()
{
    WNDCLASS wc{};
    if (::GetClassInfo(AfxGetInstanceHandle(), CPntCtrl::ClassName, &wc))
        return;
    wc.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    wc.lpfnWndProc = ::DefWindowProc;
    wc.hInstance = AfxGetInstanceHandle();
    wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<uintptr_t>(COLOR_BTNFACE + 1));
    wc.lpszClassName = CPntCtrl::ClassName;
    if (!::RegisterClass(&wc))
        AfxThrowResourceException();
}

} // namespace

BEGIN_MESSAGE_MAP(CPntCtrl, CWnd)
    ON_COMMAND(ID_EDIT_UNDO, OnEditUndo)
    ON_COMMAND(ID_EDIT_REDO, OnEditRedo)
    ON_COMMAND(ID_EDIT_COPY, OnEditCopy)
    ON_COMMAND(ID_EDIT_CUT, OnEditCut)
    ON_COMMAND(ID_EDIT_PASTE, OnEditPaste)
    ON_UPDATE_COMMAND_UI(ID_EDIT_UNDO, OnUpdateEditUndo)
    ON_UPDATE_COMMAND_UI(ID_EDIT_REDO, OnUpdateEditRedo)
    ON_UPDATE_COMMAND_UI(ID_EDIT_COPY, OnUpdateEditCopy)
    ON_UPDATE_COMMAND_UI(ID_EDIT_CUT, OnUpdateEditCopy)
    ON_UPDATE_COMMAND_UI(ID_EDIT_PASTE, OnUpdateEditPaste)
    ON_WM_SIZE()
    ON_WM_DESTROY()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_RBUTTONUP()
    ON_WM_SETCURSOR()
    ON_WM_SETFOCUS()
    ON_WM_GETDLGCODE()
    ON_WM_KEYDOWN()
    ON_WM_CHAR()
    ON_WM_TIMER()
END_MESSAGE_MAP()

CPntCtrl::CPntCtrl()
{
    RegisterPaintClass();
    m_pUndoPos = m_UndoList.end();
    LoadCursors();
    m_rcSelection = WholeImage();
    LOGFONT font{};
    CFont::FromHandle(static_cast<HFONT>(::GetStockObject(SYSTEM_FONT)))->GetLogFont(&font);
    m_Font.CreateFontIndirect(&font);
}

CPntCtrl::~CPntCtrl() = default;

void CPntCtrl::LoadCursors()
{
    for (UINT i = 0; i < 7; ++i)
        m_Cursors[i] = ::LoadCursor(AfxGetResourceHandle(), MAKEINTRESOURCE(FirstCursorId + i));
}

UINT CPntCtrl::ImageChangedCode()
{
    static const UINT code = ::RegisterWindowMessage("_PAINT_CONTROL_IMAGE_CHANGED_");
    return code;
}

UINT CPntCtrl::ZoomChangedCode()
{
    static const UINT code = ::RegisterWindowMessage("_PAINT_CONTROL_MAG_CHANGED_");
    return code;
}

UINT CPntCtrl::ColourSampledCode()
{
    static const UINT code = ::RegisterWindowMessage("_PAINT_CONTROL_COLOUR_SAMPLER");
    return code;
}

UINT CPntCtrl::ModeChangedCode()
{
    static const UINT code = ::RegisterWindowMessage("_PAINT_CONTROL_MODE_CHANGED");
    return code;
}

void CPntCtrl::Notify(UINT code)
{
    if (!m_hWnd)
        return;
    CWnd* receiver = GetOwner() ? GetOwner() : GetParent();
    if (!receiver || !receiver->GetSafeHwnd())
        return;
    NMHDR header{m_hWnd, static_cast<UINT_PTR>(GetDlgCtrlID()), code};
    receiver->SendMessage(WM_NOTIFY, static_cast<WPARAM>(GetDlgCtrlID()), reinterpret_cast<LPARAM>(&header));
}

void CPntCtrl::NotifyImageChanged() { Notify(ImageChangedCode()); }
void CPntCtrl::NotifyZoomChanged() { Notify(ZoomChangedCode()); }
void CPntCtrl::NotifyColourSampled() { Notify(ColourSampledCode()); }

CString CPntCtrl::GetModeDescription(int mode) const
{
    if (mode < 0 || mode >= static_cast<int>(kModeTexts.size()))
        return CString();
    return GetShellServices().GetLanguageText(kModeTexts[static_cast<size_t>(mode)]);
}

void CPntCtrl::SetStatusText(const CString& text)
{
    auto* frame = dynamic_cast<CFrameWnd*>(AfxGetMainWnd());
    if (frame && frame->GetSafeHwnd())
        frame->SetMessageText(text);
}

void CPntCtrl::RestoreIdleStatus()
{
    CString idle;
    idle.LoadString(kIdleStatusText);
    SetStatusText(idle);
}

void CPntCtrl::SetMode(int mode)
{
    m_bTextActive = FALSE;
    m_strText.Empty();
    ClearTextBar();
    ResetSelection();
    const bool selectionTool = m_nMode == ModeSelect || m_nMode == ModeText;
    if (selectionTool)
        m_bSelectionShown = m_bSavedSelectionShown;
    m_nPrevMode = m_nMode;
    m_nMode = mode;
    SetStatusText(GetModeDescription(mode));
    if (mode == ModeSelect || mode == ModeText) {
        m_bSavedSelectionShown = m_bSelectionShown;
        m_bSelectionShown = TRUE;
    }
    if (m_hWnd)
        Invalidate();
    Notify(ModeChangedCode());
    if (!m_TextBar)
        return;
    if (mode == ModeText) {
        m_TextBar->Show();
        m_bTextActive = TRUE;
    } else {
        m_TextBar->Hide();
    }
}

void CPntCtrl::SetForegroundColour(COLORREF colour)
{
    m_crForeground = colour;
    if (m_nMode == ModeText)
        SetText(CString(m_strText));
}

void CPntCtrl::SetTransparencyColour(COLORREF colour)
{
    m_crTransparent = colour;
    if (m_bTransparencyOn && m_hWnd) {
        Invalidate();
        // What the picture shows changed: previews of it follow.
        NotifyImageChanged();
    }
}

void CPntCtrl::EnableTransparency(BOOL on)
{
    m_bTransparencyOn = on;
    if (m_hWnd)
        Invalidate();
}

void CPntCtrl::ShowSelection(BOOL show)
{
    m_bSelectionShown = show;
    if (m_hWnd)
        Invalidate();
}

void CPntCtrl::SetTextFormat(UINT flags)
{
    m_nTextFormat = flags;
    if (m_nMode == ModeText)
        SetText(CString(m_strText));
}

void CPntCtrl::SetTextFont(CFont* font)
{
    LOGFONT logFont{};
    if (!font || !font->GetLogFont(&logFont))
        return;
    m_Font.DeleteObject();
    m_Font.CreateFontIndirect(&logFont);
    if (m_nMode == ModeText)
        SetText(CString(m_strText));
}

void CPntCtrl::GetTextLogFont(LOGFONT* font) const { m_Font.GetLogFont(font); }

void CPntCtrl::SetText(const char* text) { SetText(CString(text ? text : "")); }

void CPntCtrl::SetText(const CString& text)
{
    if (m_nMode != ModeText || !m_bTextActive) {
        m_strText = text;
        return;
    }
    if (!m_strText.IsEmpty())
        UndoStep(TRUE);
    m_strText = text;
    if (m_strText.IsEmpty())
        return;
    PushUndo();
    DrawTextAt(m_rcSelection);
    SetModified(TRUE);
    if (m_hWnd)
        Invalidate(FALSE);
}

void CPntCtrl::SetTextInput(std::unique_ptr<CPntTextInput> input) { m_TextBar = std::move(input); }

void CPntCtrl::ClearTextBar()
{
    if (m_TextBar)
        m_TextBar->ClearText();
}

void CPntCtrl::OnDestroy()
{
    RestoreIdleStatus();
    CWnd::OnDestroy();
}

void CPntCtrl::OnUpdateEditUndo(CCmdUI* ui) { ui->Enable(CanUndo()); }
void CPntCtrl::OnUpdateEditRedo(CCmdUI* ui) { ui->Enable(CanRedo()); }
void CPntCtrl::OnUpdateEditCopy(CCmdUI* ui) { ui->Enable(CanCopy()); }
void CPntCtrl::OnUpdateEditPaste(CCmdUI* ui) { ui->Enable(CanPaste()); }

#include "imaging/paint/PntTextFmtBar.h"

#include "platform/gdi/Dc.h"
#include "platform/ole/Clipboard.h"
#include "platform/ui/CommonDialogs.h"
#include "platform/ui/ControlTypes.h"
#include "platform/ui/Resources.h"
#include "platform/ui/WinApp.h"

#include <cstdio>

IMPLEMENT_DYNAMIC(CPntTextFmtBar, CPntDlg)

namespace {

constexpr const char* kSection = "Text Tool";
constexpr const char* kDefaultFont = "0,0,0,0,0,0,0,0,0,0,0,0,0,System";
constexpr UINT kAlignBits = 0x3;
constexpr UINT kAlignFlags[3] = {DT_LEFT, DT_CENTER, DT_RIGHT};
constexpr int kNormal = 400, kBold = 700;

} // namespace

BEGIN_MESSAGE_MAP(CPntTextFmtBar, CPntDlg)
    ON_COMMAND_RANGE(CPntTextFmtBar::IdLeft, CPntTextFmtBar::IdRight, OnAlign)
    ON_COMMAND_RANGE(CPntTextFmtBar::IdBold, CPntTextFmtBar::IdUnderline, OnStyle)
    ON_BN_CLICKED(CPntTextFmtBar::IdFont, OnFontButton)
    ON_EN_CHANGE(CPntTextFmtBar::IdEditLeft, OnEditChange)
    ON_EN_CHANGE(CPntTextFmtBar::IdEditCentre, OnEditChange)
    ON_EN_CHANGE(CPntTextFmtBar::IdEditRight, OnEditChange)
    ON_WM_CLOSE()
    ON_WM_SIZE()
    ON_WM_SETFOCUS()
END_MESSAGE_MAP()

CPntTextFmtBar::CPntTextFmtBar(CPntCtrl* ctrl)
    : CPntDlg(TemplateId, ctrl)
    , m_pCtrl(ctrl)
{
}

CString CPntTextFmtBar::FormatFont(const LOGFONT& f)
{
    CString text;
    text.Format("%d,%d,%d,%d,%d,%u,%u,%u,%u,%u,%u,%u,%u,%s", f.lfHeight, f.lfWidth, f.lfEscapement, f.lfOrientation,
                f.lfWeight, f.lfItalic, f.lfUnderline, f.lfStrikeOut, f.lfCharSet, f.lfOutPrecision, f.lfClipPrecision,
                f.lfQuality, f.lfPitchAndFamily, f.lfFaceName);
    return text;
}

BOOL CPntTextFmtBar::ParseFont(const CString& text, LOGFONT* font)
{
    LOGFONT f{};
    unsigned v[8] = {};
    const int read = std::sscanf(text, "%d,%d,%d,%d,%d,%u,%u,%u,%u,%u,%u,%u,%u", &f.lfHeight, &f.lfWidth,
                                 &f.lfEscapement, &f.lfOrientation, &f.lfWeight, &v[0], &v[1], &v[2], &v[3], &v[4],
                                 &v[5], &v[6], &v[7]);
    if (read != 13)
        return FALSE;
    BYTE* bytes[8] = {&f.lfItalic,       &f.lfUnderline,     &f.lfStrikeOut, &f.lfCharSet,
                      &f.lfOutPrecision, &f.lfClipPrecision, &f.lfQuality,   &f.lfPitchAndFamily};
    for (int i = 0; i < 8; ++i)
        *bytes[i] = static_cast<BYTE>(v[i]);
    const int comma = text.ReverseFind(',');
    if (comma > 0)
        std::snprintf(f.lfFaceName, LF_FACESIZE, "%s", static_cast<LPCTSTR>(text.Mid(comma + 1)));
    *font = f;
    return TRUE;
}

BOOL CPntTextFmtBar::OnInitDialog()
{
    CPntDlg::OnInitDialog();
    SetButtonPictures();
    LoadFont();
    LoadAlignment();
    return TRUE;
}

void CPntTextFmtBar::SetButtonPictures()
{
    for (UINT i = 0; i <= IdUnderline - IdLeft; ++i) {
        CWnd* button = GetDlgItem(static_cast<int>(IdLeft + i));
        if (!button || !m_buttonPictures[i].Attach(LoadBitmapResource(FirstButtonBitmap + i)))
            continue;
        button->ModifyStyle(0, BS_BITMAP);
        button->SendMessage(BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(m_buttonPictures[i].GetSafeHandle()));
    }
}

void CPntTextFmtBar::Show()
{
    if (!m_hWnd && !Create(TemplateId, m_pCtrl))
        return;
    ShowWindow(SW_SHOW);
    m_bHidden = FALSE;
}

void CPntTextFmtBar::Hide()
{
    if (m_hWnd)
        ShowWindow(SW_HIDE);
    m_bHidden = TRUE;
}

BOOL CPntTextFmtBar::IsShown() const { return m_hWnd && !m_bHidden; }

void CPntTextFmtBar::ClearText()
{
    if (!m_hWnd)
        return;
    for (int a = 0; a < 3; ++a)
        SetDlgItemText(static_cast<int>(EditId(a)), "");
}

HWND CPntTextFmtBar::GetEditWindow() const
{
    CWnd* edit = m_hWnd ? GetDlgItem(static_cast<int>(EditId(m_nAlignment))) : nullptr;
    return edit ? edit->GetSafeHwnd() : nullptr;
}

void CPntTextFmtBar::FocusEdit()
{
    HWND edit = GetEditWindow();
    if (edit && ::GetFocus() != edit)
        ::SetFocus(edit);
}

void CPntTextFmtBar::Copy() { ::SendMessage(GetEditWindow(), WM_COPY, 0, 0); }
void CPntTextFmtBar::Cut() { ::SendMessage(GetEditWindow(), WM_CUT, 0, 0); }
void CPntTextFmtBar::Paste() { ::SendMessage(GetEditWindow(), WM_PASTE, 0, 0); }
BOOL CPntTextFmtBar::CanPaste() const { return ::IsClipboardFormatAvailable(CF_TEXT); }

void CPntTextFmtBar::ShowEdit(int alignment, BOOL show)
{
    if (CWnd* edit = GetDlgItem(static_cast<int>(EditId(alignment)))) {
        edit->ShowWindow(show ? SW_SHOW : SW_HIDE);
        edit->EnableWindow(show);
    }
}

void CPntTextFmtBar::SetAlignment(int alignment)
{
    if (alignment < 0 || alignment > 2)
        return;
    if (m_pCtrl)
        m_pCtrl->SetTextFormat((m_pCtrl->GetTextFormat() & ~kAlignBits) | kAlignFlags[alignment]);
    const int old = m_nAlignment;
    m_nAlignment = alignment;
    UpdateButtons();
    if (old == alignment || !m_hWnd)
        return;
    CString text;
    GetDlgItemText(static_cast<int>(EditId(old)), text);
    const LRESULT selection = SendDlgItemMessage(static_cast<int>(EditId(old)), EM_GETSEL);
    SetDlgItemText(static_cast<int>(EditId(alignment)), text);
    SendDlgItemMessage(static_cast<int>(EditId(alignment)), EM_SETSEL, LOWORD(selection), HIWORD(selection));
    ShowEdit(old, FALSE);
    ShowEdit(alignment, TRUE);
    FocusEdit();
    SaveAlignment();
}

void CPntTextFmtBar::ApplyFont(const LOGFONT& font, BOOL toControl)
{
    m_EditFont.DeleteObject();
    m_EditFont.CreateFontIndirect(&font);
    for (int a = 0; a < 3 && m_hWnd; ++a)
        SendDlgItemMessage(static_cast<int>(EditId(a)), WM_SETFONT, reinterpret_cast<WPARAM>(m_EditFont.GetSafeHandle()),
                           TRUE);
    if (toControl && m_pCtrl)
        m_pCtrl->SetTextFont(&m_EditFont);
    UpdateButtons();
    if (m_hWnd) {
        CDC screen;
        screen.CreateCompatibleDC(nullptr);
        CString caption;
        caption.Format("%s [%s, %dpt]", "Text Tool", font.lfFaceName,
                       -MulDiv(font.lfHeight, 72, screen.GetDeviceCaps(LOGPIXELSY)));
        SetWindowText(caption);
    }
    SaveFont();
}

void CPntTextFmtBar::SaveFont()
{
    LOGFONT font{};
    if (CWinApp* app = AfxGetApp(); app && m_EditFont.GetLogFont(&font))
        app->WriteProfileString(kSection, "Font", FormatFont(font));
}

void CPntTextFmtBar::LoadFont()
{
    CWinApp* app = AfxGetApp();
    LOGFONT font{};
    if (!ParseFont(app ? app->GetProfileString(kSection, "Font", kDefaultFont) : CString(kDefaultFont), &font))
        ParseFont(kDefaultFont, &font);
    ApplyFont(font, TRUE);
}

void CPntTextFmtBar::SaveAlignment()
{
    if (CWinApp* app = AfxGetApp())
        app->WriteProfileInt(kSection, "Alignment", m_nAlignment);
}

void CPntTextFmtBar::LoadAlignment()
{
    CWinApp* app = AfxGetApp();
    const int alignment = app ? static_cast<int>(app->GetProfileInt(kSection, "Alignment", 0)) : 0;
    for (int a = 0; a < 3; ++a)
        ShowEdit(a, FALSE);
    m_nAlignment = alignment >= 0 && alignment <= 2 ? alignment : 0;
    ShowEdit(m_nAlignment, TRUE);
    SetAlignment(m_nAlignment);
}

void CPntTextFmtBar::UpdateButtons()
{
    if (!m_hWnd)
        return;
    LOGFONT font{};
    if (m_pCtrl)
        m_pCtrl->GetTextLogFont(&font);
    const UINT align = m_pCtrl ? m_pCtrl->GetTextFormat() & kAlignBits : 0;
    CheckDlgButton(IdLeft, align == DT_LEFT);
    CheckDlgButton(IdCentre, align == DT_CENTER);
    CheckDlgButton(IdRight, align == DT_RIGHT);
    CheckDlgButton(IdBold, font.lfWeight > kNormal);
    CheckDlgButton(IdItalic, font.lfItalic != 0);
    CheckDlgButton(IdUnderline, font.lfUnderline != 0);
    for (UINT id = IdFont; id <= IdUnderline; ++id)
        if (id < IdEditLeft || id > IdEditRight)
            if (CWnd* button = GetDlgItem(static_cast<int>(id)))
                button->EnableWindow(m_pCtrl != nullptr);
}

void CPntTextFmtBar::OnAlign(UINT id)
{
    if (m_pCtrl)
        SetAlignment(static_cast<int>(id - IdLeft));
}

void CPntTextFmtBar::OnStyle(UINT id)
{
    if (!m_pCtrl)
        return;
    LOGFONT font{};
    m_pCtrl->GetTextLogFont(&font);
    if (id == IdBold)
        font.lfWeight = font.lfWeight == kNormal ? kBold : kNormal;
    else if (id == IdItalic)
        font.lfItalic = !font.lfItalic;
    else
        font.lfUnderline = !font.lfUnderline;
    ApplyFont(font, TRUE);
    FocusEdit();
}

void CPntTextFmtBar::OnFontButton()
{
    if (!m_pCtrl)
        return;
    LOGFONT font{};
    m_pCtrl->GetTextLogFont(&font);
    CFontDialog dialog(&font, CF_EFFECTS | CF_SCREENFONTS, nullptr, this);
    dialog.m_cf.rgbColors = m_pCtrl->GetForegroundColour();
    if (dialog.DoModal() != IDOK)
        return;
    m_pCtrl->SetForegroundColour(dialog.GetColor());
    dialog.GetCurrentFont(&font);
    ApplyFont(font, TRUE);
}

void CPntTextFmtBar::OnEditChange()
{
    if (!m_pCtrl)
        return;
    CString text;
    GetDlgItemText(static_cast<int>(EditId(m_nAlignment)), text);
    m_pCtrl->SetText(text);
}

void CPntTextFmtBar::OnClose()
{
    Hide();
    if (CWnd* main = AfxGetMainWnd())
        main->SetFocus();
    if (m_pCtrl)
        m_pCtrl->SetMode(CPntCtrl::ModeSelect);
}

void CPntTextFmtBar::OnSize(UINT type, int cx, int cy)
{
    CPntDlg::OnSize(type, cx, cy);
    for (int a = 0; a < 3; ++a) {
        CWnd* edit = GetDlgItem(static_cast<int>(EditId(a)));
        if (!edit)
            continue;
        CRect r;
        edit->GetWindowRect(&r);
        ScreenToClient(&r);
        edit->MoveWindow(r.left, r.top, cx - r.left - r.left, cy - r.top - r.left);
    }
}

void CPntTextFmtBar::OnSetFocus(CWnd*) { FocusEdit(); }

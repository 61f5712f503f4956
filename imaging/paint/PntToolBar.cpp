#include "imaging/paint/PntToolBar.h"

#include "controls/CoolComboNotify.h"
#include "imaging/paint/PntCtrl.h"
#include "objects/ShellServices.h"

#include <algorithm>

namespace {

constexpr int kEraserSlot = 18, kLineSlot = 19, kForegroundSlot = 27, kTransparencySlot = 28;
constexpr UINT kUnnamed = 52782;
constexpr COLORREF kWidthMask = 0xC0C0C0, kColourMask = 0x020000FF;

// The tool a button picks; 0 for commands.
int toolOf(UINT id)
{
    switch (id) {
    case 52774: return CPntCtrl::ModeZoom;
    case 52777: return CPntCtrl::ModeSelect;
    case 52778: return CPntCtrl::ModeSampler;
    case 52779: return CPntCtrl::ModeFill;
    case 52780: return CPntCtrl::ModeText;
    case 52781: return CPntCtrl::ModeAirbrush;
    case 52783: return CPntCtrl::ModeEraser;
    case 52784: return CPntCtrl::ModePencil;
    case 52785: return CPntCtrl::ModeLine;
    case 52789: return CPntCtrl::ModeRect;
    case 52790: return CPntCtrl::ModeRoundRect;
    case 52791: return CPntCtrl::ModeEllipse;
    case 52792: return CPntCtrl::ModeFilledRect;
    case 52793: return CPntCtrl::ModeFilledRoundRect;
    case 52794: return CPntCtrl::ModeFilledEllipse;
    default: return 0;
    }
}

template <size_t N>
int positionOf(const std::array<int, N>& values, int value)
{
    for (size_t i = 0; i < N; ++i)
        if (values[i] == value)
            return static_cast<int>(i);
    return CC_NONE;
}

} // namespace

const std::array<CPntToolBar::Button, CPntToolBar::ButtonCount> CPntToolBar::Buttons = {{
    {52768, "Cut"}, {52769, "Copy"}, {52770, "Paste"}, {52771, "Clear"}, {52772, "Undo"}, {52773, "Redo"},
    {52774, "Magnify"}, {52775, "Size to fit window"}, {52776, "Resize"}, {52777, "Select Area"},
    {52778, "Select Color"}, {52779, "Flood Fill"}, {52780, "Add Text"}, {52781, "Air brush"}, {52782, ""},
    {52783, "Freehand Erase"}, {52784, "Freehand Draw"}, {52785, "Line"}, {52786, "Eraser width"},
    {52787, "Pen Width"}, {0, "Separator1"}, {52789, "Rectangle"}, {52790, "Rounded Rectangle"},
    {52791, "Ellipse"}, {52792, "Filled Rectangle"}, {52793, "Filled Rounded Rectangle"},
    {52794, "Filled Ellipse"}, {52795, "Foreground Color"}, {52796, "Transparency Color"},
}};
const std::array<int, 4> CPntToolBar::EraserWidths = {4, 6, 8, 10};
const std::array<int, 5> CPntToolBar::LineWidths = {1, 2, 3, 4, 5};
const std::array<int, 4> CPntToolBar::RowTable = {6, 7, 10, 11};

BEGIN_MESSAGE_MAP(CPntToolBar, CToolBarEx)
    ON_COMMAND_RANGE(CPntToolBar::FirstCommand, CPntToolBar::LastCommand, OnCommandRange)
    ON_WM_SIZE()
END_MESSAGE_MAP()

BOOL CPntToolBar::Create(CWnd* parent, CPntCtrl* ctrl, UINT bitmapId, DWORD style)
{
    m_pCtrl = ctrl;
    if (!CreateEx(parent, TBSTYLE_FLAT, style))
        return FALSE;
    SetWindowText("Tools");
    SetOwner(this);
    LoadToolBar(bitmapId);
    std::array<UINT, ButtonCount> ids{};
    for (size_t i = 0; i < Buttons.size(); ++i)
        ids[i] = Buttons[i].id;
    SetButtons(ids.data(), ButtonCount);
    for (int i = 0; i < ButtonCount; ++i)
        if (ids[size_t(i)])
            SetButtonInfo(i, ids[size_t(i)], TBBS_BUTTON, i);
    const BOOL created = CreateControls(bitmapId);
    if (m_bNoViewButtons)
        for (UINT id : {52776u, 52775u, 52774u})
            SetButtonInfo(CommandToIndex(id), id, TBBS_BUTTON | TBBS_HIDDEN, 0);
    if (created)
        AddToolTips();
    return created;
}

// Pickers are windows of their own; buttons are places on the bar.
void CPntToolBar::AddToolTips()
{
    m_tips.Create(this);
    const CShellServices& shell = GetShellServices();
    for (CCoolCombo* picker : std::array<CCoolCombo*, 4>{&m_EraserWidth, &m_LineWidth, &m_Foreground, &m_Transparency})
        m_tips.AddTool(picker, shell.GetLanguageText(Buttons[size_t(CommandToIndex(picker->GetDlgCtrlID()))].name));
    for (int i = 0; i < ButtonCount; ++i) {
        UINT id = 0, style = 0;
        int image = 0;
        GetButtonInfo(i, id, style, image);
        if (id == 0 || Buttons[size_t(i)].name[0] == '\0' || (style & (TBBS_SEPARATOR | TBBS_HIDDEN)))
            continue;
        CRect place;
        GetItemRect(i, &place);
        m_tips.AddTool(this, shell.GetLanguageText(Buttons[size_t(i)].name), &place, id);
    }
}

int CPntToolBar::WrapToWidth(int width)
{
    const int right = width - m_cxRightBorder;
    int x = m_cxLeftBorder, rows = 1;
    for (int i = 0; i < GetCount(); ++i) {
        CToolBar::Button& b = m_buttons[size_t(i)];
        b.style &= ~TBBS_WRAPPED;
        const int wide = (b.style & TBBS_HIDDEN) ? 0 : (b.style & TBBS_SEPARATOR) ? b.image : int(m_sizeButton.cx);
        if (i > 0 && wide > 0 && x > m_cxLeftBorder && x + wide > right) {
            int last = i - 1;
            while (last > 0 && (m_buttons[size_t(last)].style & TBBS_HIDDEN))
                --last;
            m_buttons[size_t(last)].style |= TBBS_WRAPPED;
            x = m_cxLeftBorder;
            ++rows;
        }
        x += wide;
    }
    m_nRows = rows;
    PlaceControls();
    return rows;
}

CSize CPntToolBar::CalcDynamicLayout(int length, DWORD mode)
{
    WrapToWidth(length - GetClientOffset().cx);
    CSize size = CalcFixedLayout(FALSE, TRUE);
    const bool upright = (mode & LayoutHorizontal) == 0;
    const int lessRows = m_bNoViewButtons ? 1 : 0;
    const bool listed = std::any_of(RowTable.begin(), RowTable.end(),
                                    [&](int rows) { return rows - lessRows == m_nRows; });
    if (IsFloating() ? listed : upright && m_pDockBar)
        size.cy += m_sizeButton.cy;
    return size;
}

void CPntToolBar::OnSize(UINT type, int cx, int cy)
{
    CToolBarEx::OnSize(type, cx, cy);
    WrapToWidth(cx);
    Invalidate();
}

void CPntToolBar::PlaceControls()
{
    for (CCoolCombo* picker : std::array<CCoolCombo*, 4>{&m_EraserWidth, &m_LineWidth, &m_Foreground, &m_Transparency}) {
        if (!picker->GetSafeHwnd())
            continue;
        CRect slot;
        GetItemRect(CommandToIndex(picker->GetDlgCtrlID()), &slot);
        picker->SetWindowPos(nullptr, slot.left, slot.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    }
    if (!m_tips.GetSafeHwnd())
        return;
    for (int i = 0; i < ButtonCount; ++i) {
        CRect place;
        GetItemRect(i, &place);
        if (GetItemID(i) && !(GetButtonStyle(i) & TBBS_SEPARATOR))
            m_tips.SetToolRect(this, GetItemID(i), &place);
    }
}

BOOL CPntToolBar::PreTranslateMessage(MSG* msg)
{
    if (m_tips.GetSafeHwnd())
        m_tips.RelayEvent(msg);
    return CToolBarEx::PreTranslateMessage(msg);
}

BOOL CPntToolBar::CreateControls(UINT bitmapId)
{
    CRect button;
    GetItemRect(0, &button);
    const int wide = 3 * button.Width() / 2;
    struct Slot {
        int index;
        CCoolCombo* picker;
        int width;
        const char* title;
        COLORREF mask;
    };
    const Slot slots[] = {{kEraserSlot, &m_EraserWidth, wide, "Eraser Width", kWidthMask},
                          {kLineSlot, &m_LineWidth, 3 * button.Width() - wide, "Line Width", kWidthMask},
                          {kForegroundSlot, &m_Foreground, wide, "Foreground Color", kColourMask},
                          {kTransparencySlot, &m_Transparency, 3 * button.Width() - wide, "Transparency Color",
                           kColourMask}};
    for (const Slot& s : slots) {
        const UINT id = Buttons[size_t(s.index)].id;
        SetButtonInfo(s.index, id, TBBS_SEPARATOR, s.width);
        CRect r;
        GetItemRect(s.index, &r);
        if (!s.picker->Create("", WS_CHILD | WS_VISIBLE, r, this, id))
            return FALSE;
        s.picker->SetButtonImage(bitmapId, 16, s.index, s.mask);
        s.picker->SetPopupTitle(s.title);
        s.picker->SetOwner(this);
    }
    m_Foreground.SetExtraText("");
    m_Transparency.SetExtraText("None");
    if (m_pCtrl)
        m_Transparency.SetColourTable(g_PaintColours, 16);
    SetControlImages(LineImagesId, 32, EraserImagesId, 16);
    return TRUE;
}

void CPntToolBar::SetControlImages(UINT lineBitmap, int lineImageWidth, UINT eraserBitmap, int eraserImageWidth)
{
    m_LineWidth.SetImageList(lineBitmap, lineImageWidth, kWidthMask);
    m_EraserWidth.SetImageList(eraserBitmap, eraserImageWidth, kWidthMask);
}

void CPntToolBar::OnCommandRange(UINT id)
{
    if (!m_pCtrl)
        return;
    if (const int tool = toolOf(id)) {
        m_pCtrl->SetMode(tool);
    } else {
        switch (id) {
        case 52768: m_pCtrl->Cut(); break;
        case 52769: m_pCtrl->Copy(); break;
        case 52770: m_pCtrl->Paste(); break;
        case 52771: m_pCtrl->EraseArea(nullptr, TRUE); break;
        case 52772: m_pCtrl->Undo(); break;
        case 52773: m_pCtrl->Redo(); break;
        case 52775: m_pCtrl->FitToWindow(); break;
        case 52776: m_pCtrl->Resize(); break;
        default: break;
        }
    }
    UpdateButtons();
}

void CPntToolBar::UpdateButton(int index, bool enabled, bool checked)
{
    if (index < 0)
        return;
    UINT style = GetButtonStyle(index) & ~(TBBS_DISABLED | TBBS_CHECKED);
    if (!enabled)
        style |= TBBS_DISABLED;
    if (checked)
        style |= TBBS_CHECKED;
    SetButtonStyle(index, style);
}

void CPntToolBar::UpdateButtons()
{
    if (!m_pCtrl || !m_pCtrl->GetSafeHwnd() || !m_hWnd)
        return;
    const bool idle = !m_pCtrl->IsMovingPiece();
    const int mode = m_pCtrl->GetMode();
    for (int i = 0; i < ButtonCount; ++i) {
        const UINT id = Buttons[size_t(i)].id;
        if (id == 0 || (GetButtonStyle(i) & TBBS_SEPARATOR))
            continue;
        const int tool = toolOf(id);
        if (tool) {
            const bool always = tool == CPntCtrl::ModeSelect || tool == CPntCtrl::ModeZoom;
            const bool checked = mode == tool || (tool == CPntCtrl::ModeSelect && mode == CPntCtrl::ModePasted);
            UpdateButton(i, always || idle, checked);
            continue;
        }
        switch (id) {
        case 52770: UpdateButton(i, idle && m_pCtrl->CanPaste(), false); break;
        case 52772: UpdateButton(i, idle && m_pCtrl->CanUndo(), false); break;
        case 52773: UpdateButton(i, idle && m_pCtrl->CanRedo(), false); break;
        case 52769:
        case 52775: UpdateButton(i, true, false); break;
        case kUnnamed: UpdateButton(i, false, false); break;
        default: UpdateButton(i, idle, false); break;
        }
    }
    UpdateColourTables();
    m_Foreground.SetColour(m_pCtrl->GetForegroundColour());
    m_Transparency.SetColour(m_pCtrl->GetTransparencyColour());
    m_LineWidth.SetCurSel(positionOf(LineWidths, m_pCtrl->m_nLineWidth));
    m_EraserWidth.SetCurSel(positionOf(EraserWidths, m_pCtrl->m_nEraserWidth));
    for (CWnd* picker : {static_cast<CWnd*>(&m_EraserWidth), static_cast<CWnd*>(&m_LineWidth),
                         static_cast<CWnd*>(&m_Foreground)})
        picker->EnableWindow(idle);
    m_Transparency.EnableWindow(idle && m_pCtrl->IsTransparencyOn());
}

// Small palettes offer the paint colours; larger ones and true colour the pickers' own table.
void CPntToolBar::UpdateColourTables()
{
    const int colours = m_bSixteenColours ? 16 : m_pCtrl->GetCanvas().GetColorTableSize();
    if (colours == m_nColours)
        return;
    m_nColours = colours;
    const auto* table = g_PaintColours;
    const bool own = colours == 0 || colours > 16;
    for (CColourPicker* picker : {&m_Foreground, &m_Transparency})
        picker->SetColourTable(own ? nullptr : table, own ? 0 : colours);
}

BOOL CPntToolBar::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    const auto* record = reinterpret_cast<const NMCOOLCOMBO*>(lParam);
    if (!record || (record->hdr.code != CCN_SELECT && record->hdr.code != CCN_EXTRA))
        return CToolBarEx::OnNotify(wParam, lParam, result);
    *result = 0;
    if (!m_pCtrl)
        return TRUE;
    const UINT id = static_cast<UINT>(record->hdr.idFrom);
    const bool chosen = record->hdr.code == CCN_SELECT;
    const int index = static_cast<int>(record->value);
    if (id == Buttons[kEraserSlot].id && chosen && index >= 0 && index < int(EraserWidths.size()))
        m_pCtrl->m_nEraserWidth = EraserWidths[size_t(index)];
    else if (id == Buttons[kLineSlot].id && chosen && index >= 0 && index < int(LineWidths.size()))
        m_pCtrl->m_nLineWidth = LineWidths[size_t(index)];
    else if (id == Buttons[kForegroundSlot].id) {
        const COLORREF colour = chosen ? record->value : RGB(0, 0, 0);
        m_pCtrl->SetForegroundColour(colour);
        m_pCtrl->SetFillColour(colour);
    } else if (id == Buttons[kTransparencySlot].id) {
        m_pCtrl->SetTransparencyColour(chosen ? record->value : CPntCtrl::NoColour);
    }
    return TRUE;
}

// The ink tools: four pens, four markers and four highlighters, the editing modes of the
// overlay, the tool commands and turning the pen over to erase.
#include "View/NotesView.h"

#include "objects/kinds/StrokeOb.h"
#include "platform/ink/InkOverlay.h"
#include "platform/ui/CmdUI.h"
#include "platform/ui/WinApp.h"

#include <cstdio>
#include <random>

namespace {

struct InkTool {
    UINT id;
    InkToolRecord record;
};

constexpr COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(0, 128, 0), kBlue = RGB(0, 0, 255), kBlack = RGB(0, 0, 0);
constexpr InkToolRecord Pen(COLORREF c) { return {c, 10.0f, 10.0f, 0, kInkCopyPen, TRUE, TRUE}; }
constexpr InkToolRecord Marker(COLORREF c) { return {c, 60.0f, 60.0f, 0, kInkCopyPen, TRUE, TRUE}; }
constexpr InkToolRecord Highlighter(COLORREF c) { return {c, 100.0f, 600.0f, 0, kInkMaskPen, FALSE, TRUE}; }

constexpr InkTool kInkTools[] = {
    {33989, Pen(kRed)},
    {33990, Pen(kBlue)},
    {33991, Pen(kGreen)},
    {33992, Pen(kBlack)},
    {33993, Marker(kBlack)},
    {33994, Marker(kBlue)},
    {33995, Marker(kRed)},
    {33996, Marker(kGreen)},
    {33998, Highlighter(RGB(0, 255, 255))},
    {33999, Highlighter(RGB(0, 255, 0))},
    {34001, Highlighter(RGB(255, 0, 255))},
    {34002, Highlighter(RGB(255, 255, 0))},
};

// A stroke's identity: a new GUID in braces, its third group in lower case.
std::string NewStrokeTag()
{
    static std::mt19937_64 random{std::random_device{}()};
    const uint64_t a = random(), b = random();
    char text[40];
    std::snprintf(text, sizeof text, "{%08X-%04X-%04x-%02X%02X-%02X%02X%02X%02X%02X%02X}", unsigned(a >> 32),
                  unsigned(a >> 16) & 0xFFFF, unsigned(a) & 0xFFFF, unsigned(b >> 56) & 0xFF, unsigned(b >> 48) & 0xFF,
                  unsigned(b >> 40) & 0xFF, unsigned(b >> 32) & 0xFF, unsigned(b >> 24) & 0xFF,
                  unsigned(b >> 16) & 0xFF, unsigned(b >> 8) & 0xFF, unsigned(b) & 0xFF);
    return text;
}

} // namespace

const InkToolRecord* CNotesView::FindInkTool(UINT id)
{
    for (const InkTool& tool : kInkTools)
        if (tool.id == id)
            return &tool.record;
    return nullptr;
}

// Unknown ids are ignored.
void CNotesView::SelectInkTool(UINT id)
{
    const InkToolRecord* record = FindInkTool(id);
    if (!record)
        return;
    m_currentTool = id;
    SetEditingMode(ModeInk);
    ApplyPenRecord(*record);
}

// Sizes follow the zoom from the table's own values, so zooming never compounds them.
void CNotesView::ApplyPenRecord(InkToolRecord record)
{
    m_currentPen = record;
    InkToolRecord zoomed = record;
    zoomed.width = record.width * float(m_zoom) / 100.0f;
    zoomed.height = record.height * float(m_zoom) / 100.0f;
    SetPenAttributes(zoomed);
}

void CNotesView::SetPenAttributes(const InkToolRecord& record)
{
    InkDrawingAttributes attributes = m_overlay->DefaultDrawingAttributes();
    attributes.PenTip = record.roundTip ? InkPenTip::Ball : InkPenTip::Rectangle;
    attributes.Width = record.width;
    attributes.Height = record.height;
    attributes.AntiAliased = record.antiAliased;
    attributes.Transparency = record.transparency;
    attributes.Color = record.color;
    attributes.RasterOperation = record.rasterOperation;
    m_overlay->SetDefaultDrawingAttributes(attributes);
}

void CNotesView::SetEditingMode(int mode)
{
    mode &= 0xFF;
    switch (mode) {
    case ModePointEraser:
        m_overlay->SetEditingMode(InkOverlayEditingMode::Delete);
        m_overlay->SetEraserMode(InkOverlayEraserMode::PointErase);
        break;
    case ModeStrokeEraser:
    case ModePenEraser:
        m_overlay->SetEditingMode(InkOverlayEditingMode::Delete);
        m_overlay->SetEraserMode(InkOverlayEraserMode::StrokeErase);
        break;
    case ModeInk:
    case ModeInkAfterEraser:
        m_overlay->SetEditingMode(InkOverlayEditingMode::Ink);
        m_overlay->DefaultDrawingAttributes().Transparency = 0;
        m_overlay->DynamicRendering = true;
        break;
    case ModeSelect:
        m_overlay->SetEditingMode(InkOverlayEditingMode::Select);
        break;
    default:
        break;
    }
    m_editingMode = mode;
    if (mode != ModeInk && mode != ModeSelect && mode != ModeInkAfterEraser)
        ClearInkSelection();
}

void CNotesView::ClearInkSelection()
{
    if (m_overlay->Selection().Count())
        m_overlay->SetSelection(InkStrokes(m_overlay->Ink()));
}

// The twelve tools share one handler; Cut, Copy and Paste act on the ink while the layer is
// on, from the menu and the keys as well, otherwise the page's commands run.
BOOL CNotesView::OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo)
{
    const BOOL tool = FindInkTool(id) != nullptr;
    const BOOL inkClipboard =
        (id == ID_EDIT_CUT || id == ID_EDIT_COPY || id == ID_EDIT_PASTE) && m_inkEnabled && IsEditMode();
    if ((tool || inkClipboard) && code == CN_COMMAND && handlerInfo) {
        handlerInfo->pTarget = this;
        return TRUE;
    }
    if (tool && code == CN_COMMAND) {
        SelectInkTool(id);
        return TRUE;
    }
    if (tool && code == CN_UPDATE_COMMAND_UI) {
        OnUpdateInkColour(static_cast<CCmdUI*>(extra));
        return TRUE;
    }
    if (inkClipboard && code == CN_COMMAND) {
        if (id == ID_EDIT_PASTE)
            OnEditPaste();
        else
            OnEditCopy();
        if (id == ID_EDIT_CUT)
            OnEditDelete();
        return TRUE;
    }
    return CHyperRunView::OnCmdMsg(id, code, extra, handlerInfo);
}

void CNotesView::OnInkStroke()
{
    SetEditingMode(ModeInk);
    ApplyPenRecord(m_currentPen);
}

void CNotesView::OnInkEraser()
{
    SetEditingMode(ModeStrokeEraser);
}

void CNotesView::OnInkSelectionTool()
{
    SetEditingMode(ModeSelect);
}

void CNotesView::OnInkDelete()
{
    const InkStrokes selected = m_overlay->Selection();
    ClearInkSelection();
    if (selected.Count())
        MarkInkChanged();
    m_overlay->Ink()->DeleteStrokes(&selected);
    Invalidate(TRUE);
}

namespace {

void UpdateToolCommand(CCmdUI* cmdUI, BOOL enabled, BOOL checked)
{
    cmdUI->Enable(enabled);
    cmdUI->SetCheck(checked);
}

} // namespace

void CNotesView::OnUpdateInkStroke(CCmdUI* cmdUI)
{
    UpdateToolCommand(cmdUI, m_inkEnabled && IsEditMode(),
                      m_editingMode == ModeInk || m_editingMode == ModeInkAfterEraser);
}

void CNotesView::OnUpdateInkEraser(CCmdUI* cmdUI)
{
    UpdateToolCommand(cmdUI, m_inkEnabled && IsEditMode(),
                      m_editingMode == ModePointEraser || m_editingMode == ModeStrokeEraser ||
                          m_editingMode == ModePenEraser);
}

void CNotesView::OnUpdateInkSelectionTool(CCmdUI* cmdUI)
{
    UpdateToolCommand(cmdUI, m_inkEnabled && IsEditMode(), m_editingMode == ModeSelect);
}

void CNotesView::OnUpdateInkColour(CCmdUI* cmdUI)
{
    UpdateToolCommand(cmdUI, m_inkEnabled && IsEditMode(),
                      (m_editingMode == ModeInk || m_editingMode == ModeInkAfterEraser) &&
                          cmdUI->m_nID == m_currentTool);
}

void CNotesView::OnUpdateInkDelete(CCmdUI* cmdUI)
{
    cmdUI->Enable(m_inkEnabled && IsEditMode());
}

// Every collected stroke carries an identity and, until it is stored, no owning group.
void CNotesView::OnStrokeCollected(const std::shared_ptr<InkStrokeDisp>& stroke)
{
    if (m_editingMode != ModeInk && m_editingMode != ModeInkAfterEraser)
        return;
    MarkInkChanged();
    InkExtendedProperties& properties = stroke->ExtendedProperties();
    if (!properties.DoesPropertyExist(CStrokeOb::TagProperty))
        properties.Add(CStrokeOb::TagProperty, NewStrokeTag());
    if (!properties.DoesPropertyExist(CStrokeOb::GroupProperty))
        properties.Add(CStrokeOb::GroupProperty, int32_t(-1));
}

// The eraser end of the pen erases strokes; the tip inks again with the pen in use.
void CNotesView::OnCursorInRange(BOOL inverted)
{
    if (inverted) {
        SetEditingMode(ModePenEraser);
    } else if (m_editingMode == ModePenEraser) {
        SetEditingMode(ModeInkAfterEraser);
        ApplyPenRecord(m_currentPen);
    }
}

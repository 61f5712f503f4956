// The editing commands of the Edit and Arrange menus: one table row per command id with what it
// does, when it is enabled and when it is ticked.
#include "View/HyperView.h"

#include "View/MyView.h"
#include "objects/ConnectorEnds.h"
#include "objects/HyperOb.h"
#include "objects/kinds/BasePolyOb.h"
#include "platform/ui/CmdUI.h"

namespace {

using Run = void (*)(CHyperView&, int);
using Test = BOOL (*)(const CHyperView&);

struct EditCommand {
    UINT id;
    int argument;
    Run run;
    Test enabled;
    Test checked;
};

BOOL EditMode(const CHyperView& view)
{
    return view.m_editMode;
}

BOOL MultiSelection(const CHyperView& view)
{
    return view.m_editMode && view.HasSelection();
}

BOOL HasCurrent(const CHyperView& view)
{
    return view.m_editMode && view.GetCurrentObject() != nullptr;
}

BOOL CanSpace(const CHyperView& view)
{
    if (!MultiSelection(view) || view.m_selection.GetSize() < 3)
        return FALSE;
    for (INT_PTR i = 0; i < view.m_selection.GetSize(); ++i)
        if (static_cast<CHyperOb*>(view.m_selection[i])->GroupID >= 0)
            return FALSE;
    return TRUE;
}

BOOL HasConnector(const CHyperView& view)
{
    for (INT_PTR i = 0; i < view.m_selection.GetSize(); ++i)
        if (static_cast<CHyperOb*>(view.m_selection[i])->IsConnector())
            return TRUE;
    return FALSE;
}

BOOL CanGroup(const CHyperView& view)
{
    return MultiSelection(view) && !HasConnector(view) && !view.IsSelectionOneGroup();
}

BOOL CanUngroup(const CHyperView& view)
{
    return MultiSelection(view) && view.IsSelectionOneGroup();
}

BOOL CanRegroup(const CHyperView& view)
{
    return view.m_editMode && view.m_regroupList.GetSize() > 0;
}

BOOL CanToggleGroup(const CHyperView& view)
{
    if (CanGroup(view) || CanUngroup(view))
        return TRUE;
    return MultiSelection(view) && CanRegroup(view);
}

BOOL CanFreeRotate(const CHyperView& view)
{
    CHyperOb* current = view.GetCurrentObject();
    if (!current)
        return FALSE;
    if (view.m_selection.GetSize() == 0)
        return current->CanRotate();
    if (!view.IsSelectionOneGroup())
        return FALSE;
    for (INT_PTR i = 0; i < view.m_selection.GetSize(); ++i)
        if (!static_cast<CHyperOb*>(view.m_selection[i])->CanRotate())
            return FALSE;
    return TRUE;
}

BOOL CanRotateRight(const CHyperView& view)
{
    CHyperOb* current = view.GetCurrentObject();
    if (!view.m_editMode || !current || !current->CanRotate())
        return FALSE;
    for (INT_PTR i = 0; i < view.m_selection.GetSize(); ++i)
        if (!static_cast<CHyperOb*>(view.m_selection[i])->CanRotate())
            return FALSE;
    return TRUE;
}

BOOL CanUnrotate(const CHyperView& view)
{
    return CanRotateRight(view) && view.GetCurrentObject()->IsRotated();
}

BOOL CanRotate(const CHyperView& view)
{
    return view.m_editMode && (CanFreeRotate(view) || CanRotateRight(view));
}

BOOL CanEditPoints(const CHyperView& view)
{
    CHyperOb* current = view.GetCurrentObject();
    return view.m_editMode && current && view.m_selection.GetSize() == 0 && current->CanEditPoints();
}

BOOL PointListOpen(const CHyperView& view)
{
    CHyperOb* current = view.GetCurrentObject();
    return current && !current->IsClosed();
}

BOOL HasSingleCurrent(const CHyperView& view)
{
    return view.GetCurrentObject() && view.m_selection.GetSize() == 0;
}

BOOL CanSelectAll(const CHyperView& view)
{
    const INT_PTR selected = view.m_selection.GetSize() > 0 ? view.m_selection.GetSize() : view.GetCurrentObject() ? 1 : 0;
    return view.m_editMode && selected < view.GetObjects().GetSize();
}

BOOL CanZoomIn(const CHyperView& view)
{
    return view.GetZoom() < view.GetMaxZoom();
}

BOOL CanZoomOut(const CHyperView& view)
{
    return view.GetZoom() > view.GetFirstZoom();
}

BOOL CanZoomOneToOne(const CHyperView& view)
{
    return view.IsMapped() && view.GetZoom() != 100;
}

BOOL CanPaste(const CHyperView& view)
{
    return view.m_editMode && view.IsCurrentLayerEditable() && CHyperView::HasPasteData();
}

BOOL Always(const CHyperView&)
{
    return TRUE;
}

BOOL Never(const CHyperView&)
{
    return FALSE;
}

BOOL SnapPointsShown(const CHyperView& view)
{
    return view.m_showSnapPoints;
}

BOOL FreeRotating(const CHyperView& view)
{
    return view.m_freeRotate;
}

BOOL EditingPoints(const CHyperView& view)
{
    return view.m_editPoints;
}

void Align(CHyperView& view, int mode)
{
    view.AlignSelection(mode, nullptr);
}

void Center(CHyperView& view, int mode)
{
    view.CenterSelectionInPage(mode);
}

void Space(CHyperView& view, int across)
{
    view.SpaceEvenly(across);
}

void Stack(CHyperView& view, int command)
{
    const UINT id = static_cast<UINT>(command);
    if (id == CHyperView::CmdToFront || id == CHyperView::CmdToBack)
        view.MoveToFrontOrBack(id);
    else
        view.MoveOneStep(id);
}

void Zoom(CHyperView& view, int step)
{
    const int zoom = view.GetZoom();
    const int next = step > 0 ? view.GetNextZoom(zoom) : step < 0 ? view.GetPrevZoom(zoom) : 100;
    // Zooming out keeps the middle of the window in sight: the old scroll position would run
    // past the smaller page and leave it at its far corner.
    if (next < zoom)
        view.SetZoom(next, nullptr);
    else
        view.SetZoom(next);
}

void ToggleSnapPoints(CHyperView& view, int)
{
    view.m_showSnapPoints = !view.m_showSnapPoints;
    CObArray holders;
    view.GetObjectsWithSnapPoints(holders);
    for (INT_PTR i = 0; i < holders.GetSize(); ++i)
        static_cast<CHyperOb*>(holders[i])->InvalidateArea(nullptr);
}

void Group(CHyperView& view, int)
{
    view.GroupSelection();
}

void Ungroup(CHyperView& view, int)
{
    view.UngroupSelection();
}

void Regroup(CHyperView& view, int)
{
    view.RegroupSelection();
}

void ToggleGroup(CHyperView& view, int)
{
    view.ToggleGroup();
}

void InvalidateSelection(CHyperView& view)
{
    CObArray selected;
    view.GetSelectedObjects(selected);
    for (INT_PTR i = 0; i < selected.GetSize(); ++i)
        static_cast<CHyperOb*>(selected[i])->InvalidateArea(nullptr);
}

void ToggleFreeRotate(CHyperView& view, int)
{
    view.m_freeRotate = !view.m_freeRotate;
    InvalidateSelection(view);
}

void Rotate(CHyperView& view, int)
{
    if (CanFreeRotate(view))
        ToggleFreeRotate(view, 0);
    else
        view.RotateSelectionTo(0.0, 90.0);
}

void RotateRight(CHyperView& view, int)
{
    view.RotateSelectionTo(0.0, 90.0);
}

void Unrotate(CHyperView& view, int)
{
    view.RotateSelectionTo(0.0, 0.0);
}

void ToggleEditPoints(CHyperView& view, int)
{
    view.SetEditPointsMode(!view.m_editPoints);
}

void OpenOrClose(CHyperView& view, int)
{
    if (auto* points = dynamic_cast<CBasePolyOb*>(view.GetCurrentObject()))
        points->OpenClose(-1, -1);
}

// Selects every object that the current one reaches through connectors and their snap points.
void Route(CHyperView& view, int)
{
    RouteSnapConnections(view.GetCurrentObject(), TRUE);
}

void SelectAll(CHyperView& view, int)
{
    view.SelectAll();
}

void InsertGraphics(CHyperView& view, int)
{
    view.InsertObjectAt(0, 0, CMyView::ToolBitmap, FALSE, TRUE);
}

void Nothing(CHyperView&, int)
{
}

void Copy(CHyperView& view, int)
{
    view.CopySelection();
}

void Cut(CHyperView& view, int)
{
    view.CutSelection();
}

void Paste(CHyperView& view, int)
{
    view.PasteClipList();
}

constexpr EditCommand kCommands[] = {
    {60420, 0, Align, MultiSelection, nullptr},
    {60417, 1, Align, MultiSelection, nullptr},
    {60418, 2, Align, MultiSelection, nullptr},
    {60419, 3, Align, MultiSelection, nullptr},
    {60425, 4, Align, MultiSelection, nullptr},
    {60426, 5, Align, MultiSelection, nullptr},
    {28570, 6, Align, EditMode, nullptr},
    {60429, 6, Align, MultiSelection, nullptr},
    {60428, 7, Align, MultiSelection, nullptr},
    {60427, 8, Align, MultiSelection, nullptr},
    {60423, 4, Center, HasCurrent, nullptr},
    {60424, 5, Center, HasCurrent, nullptr},
    {60421, TRUE, Space, CanSpace, nullptr},
    {60422, FALSE, Space, CanSpace, nullptr},
    {CHyperView::CmdToFront, CHyperView::CmdToFront, Stack, HasCurrent, nullptr},
    {28571, CHyperView::CmdToFront, Stack, EditMode, nullptr},
    {CHyperView::CmdToBack, CHyperView::CmdToBack, Stack, HasCurrent, nullptr},
    {CHyperView::CmdForward, CHyperView::CmdForward, Stack, HasCurrent, nullptr},
    {CHyperView::CmdBackward, CHyperView::CmdBackward, Stack, HasCurrent, nullptr},
    {60561, 1, Zoom, CanZoomIn, nullptr},
    {28566, 1, Zoom, EditMode, nullptr},
    {60562, -1, Zoom, CanZoomOut, nullptr},
    {60564, 0, Zoom, CanZoomOneToOne, nullptr},
    {60443, 0, ToggleSnapPoints, EditMode, SnapPointsShown},
    {60565, 0, Group, CanGroup, nullptr},
    {60566, 0, Ungroup, CanUngroup, nullptr},
    {60567, 0, Regroup, CanRegroup, nullptr},
    {28572, 0, ToggleGroup, CanToggleGroup, nullptr},
    {256, 0, Rotate, CanRotate, nullptr},
    {60548, 0, ToggleFreeRotate, CanFreeRotate, FreeRotating},
    {60558, 0, RotateRight, CanRotateRight, nullptr},
    {60557, 0, Unrotate, CanUnrotate, nullptr},
    {60597, 0, ToggleEditPoints, CanEditPoints, EditingPoints},
    {60598, 0, OpenOrClose, CanEditPoints, PointListOpen},
    {CHyperView::CmdRoute, 0, Route, HasSingleCurrent, nullptr},
    {CHyperView::CmdSelectAll, 0, SelectAll, CanSelectAll, nullptr},
    {CHyperView::CmdGraphics, 0, InsertGraphics, Always, nullptr},
    {60432, 0, Nothing, Never, nullptr},
    {CHyperView::CmdCopy, 0, Copy, HasCurrent, nullptr},
    {CHyperView::CmdCut, 0, Cut, HasCurrent, nullptr},
    {CHyperView::CmdPaste, 0, Paste, CanPaste, nullptr},
};

const EditCommand* FindCommand(UINT id)
{
    for (const EditCommand& command : kCommands)
        if (command.id == id)
            return &command;
    return nullptr;
}

} // namespace

BOOL CHyperView::OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo)
{
    const EditCommand* command = FindCommand(id);
    // With the ink layer on, the clipboard commands act on the ink.
    const BOOL inkClipboard = IsInkEnabled() && IsEditMode() && (id == CmdCopy || id == CmdCut || id == CmdPaste);
    if (!command || inkClipboard || (code != CN_COMMAND && code != CN_UPDATE_COMMAND_UI))
        return CNotesView::OnCmdMsg(id, code, extra, handlerInfo);
    if (handlerInfo)
        return TRUE;
    if (code == CN_UPDATE_COMMAND_UI) {
        auto* cmdUI = static_cast<CCmdUI*>(extra);
        const BOOL groupCommand = id == 60565 || id == 60566 || id == 60567 || id == 28572;
        if (!(groupCommand && DisableForSymbolGroup(cmdUI)))
            cmdUI->Enable(command->enabled(*this));
        if (command->checked)
            cmdUI->SetCheck(command->checked(*this) ? 1 : 0);
        return TRUE;
    }
    if (command->enabled(*this))
        command->run(*this, command->argument);
    return TRUE;
}

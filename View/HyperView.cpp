// The editing view's state, its page record, the small overrides of the page view, the private
// messages other windows send it, and the Delete command.
#include "View/HyperView.h"

#include "View/HyperFrame.h"
#include "View/HyperTextEdit.h"
#include "objects/HyperFrameOb.h"
#include "objects/HyperOb.h"
#include "objects/HyperViewOb.h"
#include "objects/LayerFmt.h"
#include "objects/ScriptText.h"
#include "objects/UndoRecord.h"
#include "objects/ViewSettings.h"
#include "platform/core/Archive.h"
#include "platform/ui/CmdUI.h"
#include "platform/ui/Document.h"

#include <algorithm>
#include <string>
#include <unordered_map>
#include <unordered_set>

IMPLEMENT_SERIAL(CHyperView, CNotesView, 1)

namespace {

constexpr UINT WM_VIEW_ZOOM = 0x8100;
constexpr UINT WM_VIEW_CLOSE_PROPERTIES = 0x8102;
constexpr UINT WM_VIEW_PICK_OBJECT = 0x8103;
constexpr UINT WM_VIEW_PROPERTIES_UNDO = 0x8104;
constexpr UINT WM_VIEW_SET_LAYER = 0x8211;
constexpr UINT WM_VIEW_DELETE_OBJECT = 0x8216;
constexpr UINT WM_VIEW_OVERLAP = 0x8217;
constexpr UINT WM_VIEW_ROTATE = 0x8212;

constexpr int kZoomSteps[] = {25, 50, 75, 100, 150, 200, 300, 400};

} // namespace

BEGIN_MESSAGE_MAP(CHyperView, CNotesView)
    ON_WM_CREATE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_RBUTTONDOWN()
    ON_WM_RBUTTONDBLCLK()
    ON_WM_MOUSEMOVE()
    ON_WM_SETCURSOR()
    ON_WM_KEYDOWN()
    ON_WM_KEYUP()
    ON_WM_CHAR()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_WM_CTLCOLOR()
    ON_MESSAGE(WM_VIEW_ZOOM, OnSetZoomMessage)
    ON_MESSAGE(WM_VIEW_CLOSE_PROPERTIES, OnCloseProperties)
    ON_MESSAGE(WM_VIEW_PICK_OBJECT, OnPickObject)
    ON_COMMAND(CHyperView::CmdProperties, OnProperties)
    ON_MESSAGE(WM_VIEW_PROPERTIES_UNDO, OnPropertiesUndo)
    ON_MESSAGE(WM_VIEW_SET_LAYER, OnSetCurrentLayer)
    ON_MESSAGE(WM_VIEW_DELETE_OBJECT, OnDeleteObjectMessage)
    ON_MESSAGE(WM_VIEW_OVERLAP, OnOverlapMessage)
    ON_MESSAGE(WM_VIEW_ROTATE, OnRotateMessage)
    ON_COMMAND(CmdGrid, OnGrid)
    ON_UPDATE_COMMAND_UI(CmdGrid, OnUpdateGrid)
    ON_COMMAND(CmdGridSettings, OnGridSettings)
    ON_UPDATE_COMMAND_UI(CmdGridSettings, OnUpdateEditMode)
    ON_COMMAND(CmdUndo, OnEditUndo)
    ON_UPDATE_COMMAND_UI(CmdUndo, OnUpdateEditUndo)
    ON_COMMAND(CmdRedo, OnEditRedo)
    ON_UPDATE_COMMAND_UI(CmdRedo, OnUpdateEditRedo)
    ON_COMMAND(CmdDelete, OnEditDelete)
    ON_UPDATE_COMMAND_UI(CmdDelete, OnUpdateEditDelete)
    ON_COMMAND(CmdObjects, OnObjects)
    ON_UPDATE_COMMAND_UI(CmdObjects, OnUpdateObjects)
END_MESSAGE_MAP()

CHyperView::CHyperView()
    : m_textEdit(std::make_unique<CHyperTextEdit>())
{
    for (int step : kZoomSteps)
        m_zoomTable.Add(static_cast<DWORD>(step));
    m_pasteOffset = GetViewSettings().m_lastPastePosition;
    m_selectionSnapshot = static_cast<DWORD>(m_currentIndex) << 16;
}

CHyperView::~CHyperView()
{
    ReleasePropertyDialog();
    m_selection.RemoveAll();
    EmptyRegroupMemory();
    delete m_undo;
    delete m_redo;
    DeleteRecords(m_olderUndo);
    DeleteRecords(m_olderRedo);
}

namespace {

// A blank name counts as none: such an object takes its type name and the lowest number no other
// object uses. The names in use are gathered once, and only when some object needs one, so a page
// of many unnamed objects opens as fast as a named one and a named page holds no copy of its names.
// Returns whether any object was named.
BOOL NameBlankObjects(CHyperRunView& view)
{
    const auto& objects = view.GetObjects();
    const auto blank = [&view](INT_PTR i) { return IsScriptBlank(view.GetObjectAtIndex(i)->GetCode()); };
    INT_PTR first = 0;
    while (first < objects.GetSize() && !blank(first))
        ++first;
    if (first == objects.GetSize())
        return FALSE;
    std::unordered_set<std::string> used;
    for (INT_PTR i = 0; i < objects.GetSize(); ++i)
        used.insert(static_cast<LPCTSTR>(view.GetObjectAtIndex(i)->Code));
    std::unordered_map<std::string, int> next;
    for (INT_PTR i = first; i < objects.GetSize(); ++i) {
        CHyperOb* object = view.GetObjectAtIndex(i);
        if (!blank(i))
            continue;
        const std::string base = static_cast<LPCTSTR>(object->GetTypeName());
        int& n = next.try_emplace(base, 1).first->second;
        CString candidate;
        for (;; ++n) {
            candidate.Format("%s%d", base.c_str(), n);
            if (used.insert(static_cast<LPCTSTR>(candidate)).second)
                break;
        }
        object->Code = candidate;
    }
    return TRUE;
}

} // namespace

void CHyperView::Serialize(CArchive& archive)
{
    if (archive.IsStoring()) {
        CNotesView::Serialize(archive);
        return;
    }
    m_selection.RemoveAll();
    EmptyRegroupMemory();
    GetObjects().DeleteAll();
    m_currentIndex = -1;
    m_classCounters.RemoveAll();
    CNotesView::Serialize(archive);
    for (int i = 0; i < GetObjects().GetSize(); ++i)
        m_highestGroupId = std::max(m_highestGroupId, GetObjectAtIndex(i)->GroupID);
    if (NameBlankObjects(*this) && GetDocument())
        GetDocument()->SetModifiedFlag(TRUE);
}

CHyperFrame* CHyperView::GetHyperFrame() const
{
    return dynamic_cast<CHyperFrame*>(GetParentFrame());
}

BOOL CHyperView::IsFrameMainView() const
{
    CHyperFrame* frame = GetHyperFrame();
    return frame && frame->GetFirstView() == this;
}

CHyperFrameOb* CHyperView::GetFrameObject() const
{
    CHyperFrame* frame = GetHyperFrame();
    return frame ? frame->GetFrameObject() : CHyperRunView::GetFrameObject();
}

void CHyperView::GetObjectTypeName(CString& out, const CHyperOb* object) const
{
    out = object->GetTypeName();
}

void CHyperView::GetClassDisplayName(CString& out, const CRuntimeClass* runtimeClass) const
{
    const int toolId = GetToolIdForClass(runtimeClass);
    CString command;
    if (toolId >= 0 && command.LoadString(static_cast<UINT>(toolId))) {
        const int newline = command.Find('\n');
        out = newline >= 0 ? command.Mid(newline + 1) : command;
        return;
    }
    out = runtimeClass->m_lpszClassName;
}

void CHyperView::DetachFromSettings()
{
    CHyperRunView::DetachFromSettings();
    ReleasePropertyDialog();
    m_selection.RemoveAll();
    m_currentIndex = -1;
    EmptyRegroupMemory();
    PushUndo(nullptr, FALSE);
    PushRedo(nullptr);
}

void CHyperView::OnUpdate(CView* sender, LPARAM hint, CObject* hintObject)
{
    CHyperRunView::OnUpdate(sender, hint, hintObject);
}

// Windows made by the frame's view factory do not pass through Create, which registers the
// tools; the editing view makes sure it has them.
int CHyperView::OnCreate(LPCREATESTRUCT cs)
{
    if (CHyperRunView::OnCreate(cs) == -1)
        return -1;
    if (m_toolRegistry.IsEmpty())
        RegisterTools();
    RegisterDropTarget();
    return 0;
}

void CHyperView::OnInitialUpdate()
{
    CNotesView::OnInitialUpdate();
    CHyperFrame* frame = GetHyperFrame();
    if (!frame || frame->GetFirstView() == this)
        return;
    for (INT_PTR i = 0; i < frame->GetFurtherViews().GetSize(); ++i)
        if (frame->GetFurtherViews().GetAt(i) == this)
            return;
    frame->AddView(this);
}

BOOL CHyperView::IsCurrentLayerEditable() const
{
    CHyperViewOb* page = GetPageObject();
    CLayerFmt* layers = page ? page->GetLayerList() : nullptr;
    if (!layers)
        return TRUE;
    const int current = layers->GetCurrentLayerId();
    return layers->IsLayerVisible(current) && !layers->IsLayerLocked(current);
}

BOOL CHyperView::IsPointListTool(UINT) const
{
    return FALSE;
}

// CUndoSource: what a snapshot copies.
CHyperViewOb* CHyperView::GetUndoPageObject() const
{
    return GetPageObject();
}

CHyperFrameOb* CHyperView::GetUndoFrameObject() const
{
    return GetFrameObject();
}

const CHyperObArray& CHyperView::GetUndoObjects() const
{
    return GetObjects();
}

const CHyperObArray& CHyperView::GetUndoSelection() const
{
    return m_selection;
}

int CHyperView::GetUndoCurrentIndex() const
{
    return m_currentIndex;
}

BOOL CHyperView::GetDefaultColors(COLORREF* back, COLORREF* fore) const
{
    if (!m_useObjectDefaults)
        return FALSE;
    *back = m_defaultBackColor;
    *fore = m_defaultForeColor;
    return TRUE;
}

BOOL CHyperView::GetDefaultPen(PenDefaults* defaults) const
{
    if (!m_useObjectDefaults)
        return FALSE;
    *defaults = {m_defaultPenWidth, m_defaultPenStyle, m_defaultHatchStyle, m_defaultShadowStyle};
    return TRUE;
}

CObjectHost::HandleColors CHyperView::GetHandleColors() const
{
    return {m_trackerColors[0], m_trackerColors[1], m_trackerColors[2], m_trackerColors[4]};
}

void CHyperView::AddToSelection(CHyperBaseOb* object)
{
    if (m_selection.GetSize() == 0 && GetCurrentObject() && GetCurrentObject() != object)
        m_selection.Add(GetCurrentObject());
    for (INT_PTR i = 0; i < m_selection.GetSize(); ++i)
        if (m_selection.GetAt(i) == object)
            return;
    m_selection.Add(object);
}

// A scrolled page keeps its zoom consistent with the new window size.
void CHyperView::OnSize(UINT type, int cx, int cy)
{
    CHyperRunView::OnSize(type, cx, cy);
    const CPoint scrolled = GetScrollPosition();
    if (GetMapMode() != 0 && (scrolled.x > 0 || scrolled.y > 0))
        SetZoom(m_zoom);
}

LRESULT CHyperView::OnSetZoomMessage(WPARAM, LPARAM lParam)
{
    SetZoom(static_cast<int>(lParam));
    return 0;
}

LRESULT CHyperView::OnPropertiesUndo(WPARAM, LPARAM)
{
    PushUndo(new CUndoRecord(this, UndoProperties), FALSE);
    return 0;
}

LRESULT CHyperView::OnSetCurrentLayer(WPARAM, LPARAM lParam)
{
    CHyperViewOb* page = GetPageObject();
    CLayerFmt* layers = page ? page->GetLayerList() : nullptr;
    const int index = layers ? layers->FindLayerIndex(static_cast<int>(lParam)) : -1;
    if (index < 0 || index == layers->GetCurrentIndex())
        return 0;
    layers->SetCurrentIndex(index);
    if (IsMapped())
        UpdateScrollSizes(page->GetScrollWidth(), page->GetScrollHeight());
    if (!IsCurrentLayerEditable() || layers->GetLockOthers()) {
        ClearSelection(FALSE);
        if (CHyperFrame* frame = GetHyperFrame())
            frame->SendMessage(WM_COMMAND, ToolSelect);
    }
    OnUpdate(nullptr, 0, nullptr);
    return 0;
}

// The pointer is only trusted once it is found on this page.
LRESULT CHyperView::OnDeleteObjectMessage(WPARAM, LPARAM lParam)
{
    const int index = FindObjectIndex(reinterpret_cast<CObject*>(lParam));
    if (index < 0)
        return 0;
    const BOOL wasCurrent = index == m_currentIndex;
    if (DeleteObject(index) && (wasCurrent || m_selection.GetSize() == 0))
        m_currentIndex = -1;
    NotifyChanged(FALSE);
    return 0;
}

CUndoRecord* CHyperView::CreateUndoRecord(UINT commandId)
{
    return m_recordUndo ? new CUndoRecord(this, commandId) : nullptr;
}

void CHyperView::PostDeleteObject(CHyperBaseOb* object)
{
    if (GetSafeHwnd())
        PostMessage(WM_VIEW_DELETE_OBJECT, 0, reinterpret_cast<LPARAM>(static_cast<CObject*>(object)));
}

LRESULT CHyperView::OnOverlapMessage(WPARAM, LPARAM)
{
    return 0;
}

void CHyperView::OnEditDelete()
{
    // With the ink layer on, Delete takes the selected ink.
    if (IsInkEnabled())
        return CNotesView::OnEditDelete();
    if (!m_editMode)
        return;
    auto* record = new CUndoRecord(this, UndoDelete);
    CObArray targets;
    if (m_selection.GetSize() > 0)
        targets.Copy(m_selection);
    else if (GetCurrentObject())
        targets.Add(GetCurrentObject());
    CObArray refused;
    for (INT_PTR i = 0; i < targets.GetSize(); ++i) {
        const int index = FindObjectIndex(targets.GetAt(i));
        if (!DeleteObject(index))
            refused.Add(targets.GetAt(i));
    }
    if (refused.GetSize() == targets.GetSize()) {
        delete record;
        return;
    }
    PushUndo(record, FALSE);
    m_currentIndex = -1;
    m_selection.RemoveAll();
    // Objects that refused stay selected.
    m_selection.Copy(refused);
    if (refused.GetSize() > 0)
        m_currentIndex = FindObjectIndex(refused.GetAt(0));
    if (refused.GetSize() == 1)
        m_selection.RemoveAll();
    NotifyChanged(FALSE);
    RefreshSelection();
}

void CHyperView::OnUpdateEditDelete(CCmdUI* cmdUI)
{
    cmdUI->Enable(m_editMode && GetCurrentObject() != nullptr);
    CNotesView::OnUpdateEditDelete(cmdUI);
}

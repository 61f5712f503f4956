// The "Objects..." command: the tab order dialog works on the page's objects directly, so an
// undo snapshot taken first puts everything back when the dialog is cancelled.
#include "View/HyperView.h"
#include "View/ObjectListDialog.h"
#include "View/ViewPropertyDialog.h"
#include "platform/ui/CmdUI.h"

#include <memory>

namespace {

ObjectListRunner g_objectListRunner = nullptr;

} // namespace

void SetObjectListRunner(ObjectListRunner runner)
{
    g_objectListRunner = runner;
}

ObjectListRunner GetObjectListRunner()
{
    return g_objectListRunner;
}

BOOL CHyperView::OnObjectList()
{
    return g_objectListRunner && g_objectListRunner(this) == IDOK;
}

BOOL CHyperView::RunObjectList()
{
    return OnObjectList();
}

void CHyperView::OnObjects()
{
    if (m_objectsDialogOpen)
        return;
    m_objectsDialogOpen = TRUE;
    const BOOL recording = m_recordUndo;
    m_recordUndo = TRUE;
    auto step = std::make_unique<CUndoRecord>(this, UndoTabOrder);
    m_recordUndo = recording;
    const BOOL pin = m_propertyDialog && !m_propertyDialog->GetPinState();
    if (pin)
        m_propertyDialog->SetPinState(TRUE);
    if (RunObjectList()) {
        PushUndo(step.release(), FALSE);
        OnUpdate(nullptr, 0, nullptr);
    } else {
        ApplyUndoRecord(step.release());
    }
    NotifyChanged(TRUE);
    if (pin && m_propertyDialog)
        m_propertyDialog->SetPinState(FALSE);
    m_objectsDialogOpen = FALSE;
}

void CHyperView::OnUpdateObjects(CCmdUI* cmdUI)
{
    cmdUI->Enable(m_editMode);
    cmdUI->SetCheck(m_objectsDialogOpen);
}

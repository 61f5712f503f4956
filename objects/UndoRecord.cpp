#include "objects/UndoRecord.h"

#include "objects/HyperFrameOb.h"
#include "objects/HyperOb.h"
#include "objects/HyperTracker.h"
#include "objects/HyperViewOb.h"

#include <vector>

namespace {
int IndexOf(const CHyperObArray& array, const CObject* object)
{
    for (int i = 0; i < array.GetSize(); ++i)
        if (array.GetAt(i) == object)
            return i;
    return -1;
}

CHyperOb* CloneOf(const CObject* object)
{
    auto* source = dynamic_cast<const CHyperOb*>(object);
    return source ? source->Clone() : nullptr;
}
}

CUndoRecord::CUndoRecord(CUndoSource* view, UINT commandId)
    : m_view(view)
{
    if (const CHyperViewOb* page = view->GetUndoPageObject())
        m_pageCopy = page->Clone();
    if (const CHyperFrameOb* frame = view->GetUndoFrameObject())
        m_frameCopy = frame->Clone();
    if (!view->IsRecordingUndo())
        return;
    TakeObjects();
    m_currentIndex = view->GetUndoCurrentIndex();
    m_commandId = commandId;
}

CUndoRecord::~CUndoRecord()
{
    delete m_pageCopy;
    delete m_frameCopy;
}

void CUndoRecord::TakeObjects()
{
    const CHyperObArray& objects = m_view->GetUndoObjects();
    const CHyperObArray& selection = m_view->GetUndoSelection();
    m_selection.SetSize(selection.GetSize());
    for (int i = 0; i < objects.GetSize(); ++i) {
        CHyperOb* copy = CloneOf(objects.GetAt(i));
        if (copy)
            m_objectCopies.Add(copy);
        auto* live = dynamic_cast<CHyperOb*>(objects.GetAt(i));
        if (!live || !live->IsSelected() || selection.IsEmpty())
            continue;
        int position = IndexOf(selection, live);
        if (position >= 0)
            m_selection.SetAt(position, copy);
        else
            live->GetTracker()->m_nStyle = 0;
    }
}

BOOL CUndoRecord::IsSameAs(const CUndoRecord& other) const
{
    return m_currentIndex == other.m_currentIndex && m_selection.GetSize() == other.m_selection.GetSize();
}

void CUndoRecord::Restore(CHyperViewOb** page, CHyperFrameOb** frame, CHyperObArray& objects,
    CHyperObArray& selection, int* currentIndex) const
{
    RestorePageAndFrame(page, frame);
    // A record taken while undo was off holds no objects; the page keeps its own.
    if (HasSnapshot())
        RestoreObjects(objects, selection, currentIndex);
    m_view->RefreshAfterRestore();
}

void CUndoRecord::RestorePageAndFrame(CHyperViewOb** page, CHyperFrameOb** frame) const
{
    if (!m_pageCopy && !m_frameCopy)
        return;
    m_view->ReleasePageObjects();
    if (m_pageCopy) {
        delete *page;
        *page = m_pageCopy->Clone();
    }
    if (m_frameCopy) {
        delete *frame;
        *frame = m_frameCopy->Clone();
    }
}

void CUndoRecord::RestoreObjects(CHyperObArray& objects, CHyperObArray& selection, int* currentIndex) const
{
    objects.DeleteAll();
    selection.RemoveAll();
    *currentIndex = -1;
    std::vector<CObject*> restored;
    for (int i = 0; i < m_objectCopies.GetSize(); ++i) {
        restored.push_back(CloneOf(m_objectCopies.GetAt(i)));
        if (restored.back())
            objects.Add(restored.back());
    }
    for (int i = 0; i < m_selection.GetSize(); ++i) {
        // A selected object the snapshot could not find is left out.
        int position = m_selection.GetAt(i) ? IndexOf(m_objectCopies, m_selection.GetAt(i)) : -1;
        if (position >= 0 && restored[static_cast<size_t>(position)])
            selection.Add(restored[static_cast<size_t>(position)]);
    }
    *currentIndex = m_currentIndex;
}

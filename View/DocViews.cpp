#include "View/DocViews.h"

#include "View/HyperRunView.h"
#include "platform/core/Archive.h"
#include "platform/ui/Document.h"

void CDocViews::Collect(const CDocument* document, const CRuntimeClass* viewClass)
{
    if (m_collected)
        return;
    m_collected = TRUE;
    for (POSITION pos = document->GetFirstViewPosition(); pos;) {
        CView* view = document->GetNextView(pos);
        if (!view->IsKindOf(viewClass))
            continue;
        if (!m_first)
            m_first = static_cast<CHyperRunView*>(view);
        else
            m_further.Add(view);
    }
}

CFrameWnd* CDocViews::GetFrame() const
{
    return m_first ? m_first->GetParentFrame() : nullptr;
}

void CDocViews::Forget()
{
    m_collected = FALSE;
    m_first = nullptr;
    m_further.RemoveAll();
}

BOOL CDocViews::SerializePages(CArchive& archive) const
{
    BOOL complete = TRUE;
    ForEach([&](CHyperRunView* view) {
        if (!complete)
            return;
        view->Serialize(archive);
        complete = archive.IsStoring() || !view->LoadWasIncomplete();
    });
    return complete;
}

void CDocViews::ForEach(const std::function<void(CHyperRunView*)>& call) const
{
    if (!m_first)
        return;
    call(m_first);
    for (INT_PTR i = 0; i < m_further.GetSize(); ++i)
        call(static_cast<CHyperRunView*>(m_further[i]));
}

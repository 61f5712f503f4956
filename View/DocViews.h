// The views of a document that serialize it: the first view of the wanted class and the
// further ones in the order the document yields them, collected once.
#pragma once

#include "platform/core/Arrays.h"

#include <functional>

class CArchive;
class CDocument;
class CFrameWnd;
class CHyperRunView;
struct CRuntimeClass;

class CDocViews {
public:
    // Walks the document's views for the class on the first call only; later views are not
    // noticed.
    void Collect(const CDocument* document, const CRuntimeClass* viewClass);
    CHyperRunView* GetFirst() const { return m_first; }
    const CObArray& GetFurther() const { return m_further; }
    // The parent frame of the first view, or NULL.
    CFrameWnd* GetFrame() const;
    // The page record of every view in order. Loading stops after a page that could be read
    // only in part and answers FALSE then.
    BOOL SerializePages(CArchive& archive) const;
    // Every collected view, first and further, in order.
    void ForEach(const std::function<void(CHyperRunView*)>& call) const;
    // Drops the collection when one of its views has left the document, so that it is
    // collected again instead of pointing at a view that is gone.
    void ForgetRemovedViews(const CDocument* document);

private:
    BOOL Contains(const CDocument* document, const CObject* view) const;

    BOOL m_collected = FALSE;
    CHyperRunView* m_first = nullptr;
    CObArray m_further;
};

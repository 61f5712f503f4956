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
    // Walks the document's views for the class once, until the document's views change.
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
    // The document's views changed: the next request collects them again, so that no page
    // goes unsaved and no view that is gone is used.
    void Forget();

private:
    BOOL m_collected = FALSE;
    CHyperRunView* m_first = nullptr;
    CObArray m_further;
};

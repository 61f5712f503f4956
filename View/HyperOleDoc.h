// The editor's document that holds embedded objects: the document rules over a container
// document. The first time its views show, its links are offered for update.
#pragma once

#include "View/HyperDocBase.h"
#include "platform/ole/OleDocument.h"

class CHyperOleDoc : public CHyperDocBase<COleLinkingDoc> {
    DECLARE_DYNCREATE(CHyperOleDoc)
public:
    CHyperOleDoc() = default;
    // Held embedded objects of this document close and go with it.
    ~CHyperOleDoc() override;

    void OnShowViews(BOOL visible) override;

    BOOL m_linksPending = TRUE;

    DECLARE_MESSAGE_MAP()
};

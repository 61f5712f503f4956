// The document of the editor over a plain document.
#pragma once

#include "View/HyperDocBase.h"

class CHyperDoc : public CHyperDocBase<CDocument> {
    DECLARE_DYNCREATE(CHyperDoc)
public:
    CHyperDoc() = default;

    // Save As, then the title again from the frame object.
    void OnFileSaveAsRetitled();

    DECLARE_MESSAGE_MAP()
};

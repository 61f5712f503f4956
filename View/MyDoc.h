// The document of the program's templates: catalogue and project files open in their panes
// instead of as documents, and the spelling of every page can be checked before it is saved.
#pragma once

#include "View/HyperProjDoc.h"

class CMyDoc : public CHyperProjDoc {
    DECLARE_DYNCREATE(CMyDoc)
public:
    CMyDoc() = default;

    void Serialize(CArchive& archive) override;
    BOOL OnOpenDocument(LPCTSTR pathName) override;
};

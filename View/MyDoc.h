// The document of the program's templates: it saves and loads like the editor's document.
#pragma once

#include "View/HyperProjDoc.h"

class CMyDoc : public CHyperProjDoc {
    DECLARE_DYNCREATE(CMyDoc)
public:
    CMyDoc() = default;
};

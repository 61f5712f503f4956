// The document of the program's templates: it saves and loads like the editor's document.
#pragma once

#include "View/HyperDoc.h"

class CMyDoc : public CHyperDoc {
    DECLARE_DYNCREATE(CMyDoc)
public:
    CMyDoc() = default;
};

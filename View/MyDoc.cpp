#include "View/MyDoc.h"

IMPLEMENT_DYNCREATE(CMyDoc, CHyperProjDoc)

#include "View/MyDoc.h"

IMPLEMENT_DYNCREATE(CMyDoc, CHyperDoc)

#include "projects/CatalogueFolder.h"

#include "platform/core/System.h"

namespace {

CString CurrentFolder()
{
    char folder[4096] = {};
    return _getcwd(folder, sizeof folder) ? CString(folder) : CString(".");
}

CatalogueFolderSource& Source()
{
    static CatalogueFolderSource source = CurrentFolder;
    return source;
}

} // namespace

CString GetCatalogueFolder() { return Source()(); }

void SetCatalogueFolderSource(CatalogueFolderSource source) { Source() = source ? source : CurrentFolder; }

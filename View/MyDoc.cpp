#include "View/MyDoc.h"

#include "View/DocumentRules.h"
#include "View/MainViewHost.h"
#include "View/MyView.h"
#include "objects/ShellServices.h"
#include "platform/core/Archive.h"
#include "platform/core/File.h"

IMPLEMENT_DYNCREATE(CMyDoc, CHyperProjDoc)

// Autosave and temporary copies are written as they are.
void CMyDoc::Serialize(CArchive& archive)
{
    CFile* file = archive.GetFile();
    if (archive.IsStoring() && GetShellServices().GetSettingInt("Dictionary.CheckBeforSave", 0) > 0 && file &&
        !IsWorkingCopy(file->GetFilePath())) {
        POSITION pos = GetFirstViewPosition();
        while (pos)
            if (auto* view = dynamic_cast<CMyView*>(GetNextView(pos)))
                view->SpellCheckWholePage();
    }
    CHyperProjDoc::Serialize(archive);
}

BOOL CMyDoc::OnOpenDocument(LPCTSTR pathName)
{
    const CString kind = LowerExtension(pathName);
    if (kind == "cat") {
        GetMainViewHost().OpenCatalogue(pathName);
        return FALSE;
    }
    if (kind == "prj") {
        GetMainViewHost().OpenProject(pathName);
        return FALSE;
    }
    return CHyperProjDoc::OnOpenDocument(pathName);
}

#include "View/HyperDoc.h"

#include "platform/ui/CmdUI.h"
#include "platform/ui/WinApp.h"

IMPLEMENT_DYNCREATE(CHyperDoc, CDocument)

void CHyperDoc::OnFileSaveAsRetitled()
{
    if (!IsFirstViewEditing())
        return;
    OnFileSaveAs();
    SetTitle(nullptr);
}

BEGIN_MESSAGE_MAP(CHyperDoc, CDocument)
    ON_COMMAND(ID_FILE_SAVE, OnFileSave)
    ON_UPDATE_COMMAND_UI(ID_FILE_SAVE, OnUpdateFileSave)
    ON_COMMAND(ID_FILE_SAVE_AS, OnFileSaveAsRetitled)
    ON_UPDATE_COMMAND_UI(ID_FILE_SAVE_AS, OnUpdateFileSaveAs)
    ON_COMMAND(ID_FILE_CLOSE, OnFileClose)
END_MESSAGE_MAP()

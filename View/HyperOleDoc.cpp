#include "View/HyperOleDoc.h"

#include "objects/ViewSettings.h"
#include "objects/kinds/HyperOleItem.h"
#include "objects/kinds/HyperOleOb.h"
#include "platform/ole/OleDialogs.h"
#include "platform/ui/CmdUI.h"
#include "platform/ui/WinApp.h"

IMPLEMENT_DYNCREATE(CHyperOleDoc, COleLinkingDoc)

// An object belongs to this document through its item, which outlives the object's view.
CHyperOleDoc::~CHyperOleDoc()
{
    CObArray& held = GetViewSettings().m_heldOleObjects;
    for (INT_PTR i = held.GetSize() - 1; i >= 0; --i) {
        auto* object = dynamic_cast<CHyperOleOb*>(held[i]);
        CHyperOleItem* item = object ? object->GetOleItem() : nullptr;
        if (!item || item->GetDocument() != this)
            continue;
        held.RemoveAt(i);
        item->Close(OLECLOSE_SAVEIFDIRTY);
        delete object;
    }
}

void CHyperOleDoc::OnShowViews(BOOL visible)
{
    COleLinkingDoc::OnShowViews(visible);
    if (!visible || !m_linksPending)
        return;
    m_linksPending = FALSE;
    COleUpdateDialog dialog(this, TRUE, FALSE);
    dialog.DoModal();
}

BEGIN_MESSAGE_MAP(CHyperOleDoc, COleLinkingDoc)
    ON_COMMAND(ID_FILE_SAVE, OnFileSave)
    ON_UPDATE_COMMAND_UI(ID_FILE_SAVE, OnUpdateFileSave)
    ON_COMMAND(ID_FILE_SAVE_AS, OnFileSaveAs)
    ON_UPDATE_COMMAND_UI(ID_FILE_SAVE_AS, OnUpdateFileSaveAs)
    ON_COMMAND(ID_FILE_CLOSE, OnFileClose)
END_MESSAGE_MAP()

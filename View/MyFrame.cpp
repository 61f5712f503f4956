#include "View/MyFrame.h"

#include "platform/ui/CmdUI.h"

IMPLEMENT_DYNCREATE(CMyFrame, CHyperFrame)

// Every tool of the frame's list goes to the tool selection, its update to the tool update.
BOOL CMyFrame::OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo)
{
    if (id != ToolSelect && id != ToolText && IsToolInList(id)) {
        if (code == CN_UPDATE_COMMAND_UI) {
            if (!handlerInfo)
                OnUpdateTool(static_cast<CCmdUI*>(extra));
            return TRUE;
        }
        if (code == CN_COMMAND && (handlerInfo || SelectTool(id)))
            return TRUE;
    }
    return CHyperFrame::OnCmdMsg(id, code, extra, handlerInfo);
}

#include "View/MyFrame.h"

#include "View/MainViewHost.h"
#include "objects/GenFrameOb.h"
#include "objects/ViewSettings.h"
#include "platform/ui/CmdUI.h"

namespace {

constexpr UINT ViewPropertiesCommand = 33918;

} // namespace

IMPLEMENT_DYNCREATE(CMyFrame, CHyperFrame)

BEGIN_MESSAGE_MAP(CMyFrame, CHyperFrame)
    ON_COMMAND(CmdHelp, OnHelp)
END_MESSAGE_MAP()

CHyperFrameOb* CMyFrame::CreateFrameObject()
{
    return AdoptFrameObject(new CGenFrameOb);
}

void CMyFrame::OnHelp()
{
    GetMainViewHost().OpenHelp();
}

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
    // The Properties pane command stays enabled while a document is open; the main frame toggles it.
    if (id == ViewPropertiesCommand && code == CN_UPDATE_COMMAND_UI) {
        if (!handlerInfo) {
            CWnd* host = GetViewSettings().m_propertyHostWnd;
            static_cast<CCmdUI*>(extra)->Enable(TRUE);
            static_cast<CCmdUI*>(extra)->SetCheck(host && host->IsWindowVisible());
        }
        return TRUE;
    }
    return CHyperFrame::OnCmdMsg(id, code, extra, handlerInfo);
}

// The document sent by mail for revision from the view.
#include "View/MyView.h"

#include "View/MailDocument.h"
#include "objects/ShellServices.h"
#include "platform/ui/Document.h"
#include "platform/ui/FrameWnd.h"

void CMyView::OnMailForRevision()
{
    if (CDocument* document = GetDocument())
        SendDocumentByMail(*document, GetShellServices().GetLanguageText("For Revision"), GetParentFrame());
}

void CMyView::OnUpdateMailForRevision(CCmdUI* cmdUI)
{
    UpdateMailCommand(cmdUI);
}

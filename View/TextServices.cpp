#include "View/TextServices.h"

#include "View/HyperTextEdit.h"
#include "platform/ui/ControlTypes.h"
#include "platform/ui/Wnd.h"

namespace {

CTextServices g_defaults;
CTextServices* g_services = nullptr;

} // namespace

CTextServices& GetTextServices()
{
    return g_services ? *g_services : g_defaults;
}

void SetTextServices(CTextServices* services)
{
    g_services = services;
}

BOOL CTextServices::RunSpellSession(CWnd* editor, LXHANDLE* checker, CHyperOb*, int start, int end) const
{
    CString text;
    editor->GetWindowText(text);
    int found[2] = {0, 0};
    if (!FindMisspelledWord(*checker, text, start, end, found))
        return TRUE;
    editor->SendMessage(EM_SETSEL, static_cast<WPARAM>(found[0]), found[1]);
    editor->SendMessage(EM_SCROLLCARET, 0, 0);
    return FALSE;
}

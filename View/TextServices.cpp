#include "View/TextServices.h"

#include "View/HyperTextEdit.h"
#include "objects/ShellServices.h"
#include "platform/core/StringTable.h"
#include "platform/ui/ControlTypes.h"
#include "platform/ui/WinApp.h"
#include "platform/ui/Wnd.h"

namespace {

constexpr UINT kDictionaryFailedText = 144;

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

void ReportDictionaryFailure(const CString& mainFile, const CString& customFile)
{
    CString format;
    LookupStringResource(kDictionaryFailedText, format);
    format = GetShellServices().GetLanguageText(format);
    // One pass, so that a "%2" in the first name stays as it is.
    CString text;
    for (int i = 0; i < format.GetLength(); ++i) {
        const char next = i + 1 < format.GetLength() ? format[i + 1] : '\0';
        if (format[i] == '%' && (next == '1' || next == '2')) {
            text += next == '1' ? mainFile : customFile;
            ++i;
        } else {
            text += format[i];
        }
    }
    AfxMessageBox(text, MB_ICONERROR);
}

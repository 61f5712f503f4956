#include "app/scribbet/ScribbetDlg.h"

#include "platform/ui/ControlTypes.h"
#include "platform/ui/RemoteMessage.h"
#include "platform/ui/Resources.h"
#include "platform/ui/UiApi.h"

#include <cstdlib>
#include <fstream>
#include <iterator>

namespace {

bool ReadNumber(const char* text, unsigned long long& value)
{
    char* end = nullptr;
    value = std::strtoull(text, &end, 10);
    return end && end != text && *end == 0;
}

}  // namespace

bool ReadScribbetRequest(int argc, char** argv, ScribbetRequest& request)
{
    unsigned long long window = 0, object = 0;
    if (argc != 4 || !ReadNumber(argv[2], window) || !ReadNumber(argv[3], object))
        return false;
    request.path = argv[1];
    request.window = reinterpret_cast<HWND>(uintptr_t(window));
    request.object = WPARAM(object);
    return !request.path.empty();
}

BOOL CScribbetDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    std::ifstream file(m_request.path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (!m_rich.ReadRtf(bytes))
        m_rich.SetPlainText(bytes);
    SetDlgItemText(EditId, m_rich.PlainText().c_str());
    SetWindowText(("Scribbet - " + m_request.path).c_str());
    return TRUE;
}

bool CScribbetDlg::Save(const std::string& text)
{
    RichFormat format = m_rich.runs.empty() ? RichFormat{} : m_rich.runs.front().format;
    m_rich.SetPlainText(text, format);
    std::ofstream file(m_request.path, std::ios::binary | std::ios::trunc);
    file << m_rich.WriteRtf();
    return bool(file);
}

void CScribbetDlg::OnOK()
{
    CString text;
    GetDlgItemText(EditId, text);
    if (!Save(LPCTSTR(text))) {
        MessageBox("The note could not be saved.", "Scribbet", MB_OK | MB_ICONHAND);
        return;
    }
    PostRemoteMessage(m_request.processId, m_request.window, WM_NOTESREFRESH, m_request.object, 0);
    Finish();
}

void CScribbetDlg::OnCancel()
{
    Finish();
}

void CScribbetDlg::Finish()
{
    DestroyWindow();
    ::PostQuitMessage(0);
}

void RegisterScribbetResources()
{
    DialogTemplate dialog;
    dialog.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE;
    dialog.cx = 240;
    dialog.cy = 160;
    dialog.caption = "Scribbet";
    dialog.items = {
        {"edit", "", CScribbetDlg::EditId,
         WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | WS_VSCROLL | ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL, 0,
         7, 7, 226, 126},
        {"button", "Save", IDOK, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 130, 140, 50, 14},
        {"button", "Close", IDCANCEL, WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 185, 140, 50, 14}};
    RegisterDialogResource(CScribbetDlg::TemplateId, dialog);
}

#include "View/MailDocument.h"

#include "platform/core/Archive.h"
#include "platform/core/Exception.h"
#include "platform/core/FilePath.h"
#include "platform/core/MemFile.h"
#include "platform/sys/Library.h"
#include "platform/sys/SystemProfile.h"
#include "platform/sys/mapi32/Mapi.h"
#include "platform/ui/CmdUI.h"
#include "platform/ui/DocTemplate.h"
#include "platform/ui/Document.h"
#include "platform/ui/Menu.h"
#include "platform/ui/UiApi.h"
#include "platform/ui/WinApp.h"
#include "platform/ui/Wnd.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>

namespace {

constexpr UINT AFX_IDP_FAILED_MAPI_LOAD = 61840, AFX_IDP_INVALID_MAPI_DLL = 61841, AFX_IDP_FAILED_MAPI_SEND = 61842;
constexpr int kMaxNameLength = 260;

int g_mailAvailable = -1;

// The mail library, loaded at the first send and freed when the program ends.
struct MailLibrary {
    HMODULE module = nullptr;
    ~MailLibrary()
    {
        if (module)
            FreeLibrary(module);
    }
};
MailLibrary g_mailLibrary;

// A temporary copy of the document, made under a fresh name and removed on every way out.
class TempCopy {
public:
    explicit TempCopy(CDocument& document)
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "afxXXXXXX.tmp").string();
        const int fd = mkstemps(pattern.data(), 4);
        if (fd < 0)
            return;
        m_path = pattern;
        const std::string bytes = Serialized(document);
        const bool written = !bytes.empty() && write(fd, bytes.data(), bytes.size()) == ssize_t(bytes.size());
        if (close(fd) != 0 || !written)
            Remove();
    }
    ~TempCopy() { Remove(); }
    TempCopy(const TempCopy&) = delete;
    TempCopy& operator=(const TempCopy&) = delete;
    const std::string& Path() const { return m_path; }

private:
    static std::string Serialized(CDocument& document)
    {
        std::string bytes;
        try {
            CMemFile memory;
            CArchive archive(&memory, CArchive::store);
            archive.m_pDocument = &document;
            document.Serialize(archive);
            archive.Close();
            bytes.resize(size_t(memory.GetLength()));
            memory.SeekToBegin();
            memory.Read(bytes.data(), UINT(bytes.size()));
        } catch (CException* e) {
            e->Delete();
            bytes.clear();
        }
        return bytes;
    }
    void Remove()
    {
        if (!m_path.empty())
            std::remove(m_path.c_str());
        m_path.clear();
    }

    std::string m_path;
};

class WaitCursor {
public:
    WaitCursor()
    {
        if (CWinApp* app = AfxGetApp())
            app->BeginWaitCursor();
    }
    ~WaitCursor()
    {
        if (CWinApp* app = AfxGetApp())
            app->EndWaitCursor();
    }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

LPMAPISENDMAIL LoadSendMail()
{
    if (!g_mailLibrary.module)
        g_mailLibrary.module = LoadLibrary("MAPI32.DLL");
    if (!g_mailLibrary.module) {
        AfxMessageBox(AFX_IDP_FAILED_MAPI_LOAD);
        return nullptr;
    }
    auto send = reinterpret_cast<LPMAPISENDMAIL>(GetProcAddress(g_mailLibrary.module, "MAPISendMail"));
    if (!send)
        AfxMessageBox(AFX_IDP_INVALID_MAPI_DLL);
    return send;
}

BOOL IsSeparatorAt(CMenu* menu, int position)
{
    return position >= 0 && position < int(menu->GetMenuItemCount()) && menu->GetMenuItemID(position) == 0;
}

void RemoveFromMenu(CCmdUI* cmdUI)
{
    CMenu* menu = cmdUI->m_pMenu;
    const int index = int(cmdUI->m_nIndex);
    menu->RemoveMenu(UINT(index), MF_BYPOSITION);
    if (IsSeparatorAt(menu, index - 1) && IsSeparatorAt(menu, index))
        menu->RemoveMenu(UINT(index - 1), MF_BYPOSITION);
}

// Runs the mail library with the owner window disabled, as a modal dialog would.
ULONG SendWithOwnerDisabled(LPMAPISENDMAIL send, MapiMessage& message, CWnd* owner)
{
    const HWND window = owner ? owner->GetSafeHwnd() : nullptr;
    if (window)
        ::EnableWindow(window, FALSE);
    const ULONG result = send(0, reinterpret_cast<uintptr_t>(window), &message, MAPI_LOGON_UI | MAPI_DIALOG, 0);
    if (window) {
        ::EnableWindow(window, TRUE);
        ::SetFocus(window);
    }
    return result;
}

} // namespace

BOOL IsMailAvailable()
{
    if (g_mailAvailable < 0) {
        char found[kMaxNameLength] = {};
        g_mailAvailable = GetProfileInt("MAIL", "MAPI", 0) != 0 &&
                          SearchPath(nullptr, "MAPI32.DLL", nullptr, sizeof found, found, nullptr) > 0;
    }
    return g_mailAvailable;
}

void ForgetMailAvailability()
{
    g_mailAvailable = -1;
}

void UpdateMailCommand(CCmdUI* cmdUI)
{
    const BOOL available = IsMailAvailable();
    if (!available && cmdUI->m_pMenu && !cmdUI->m_pSubMenu) {
        RemoveFromMenu(cmdUI);
        return;
    }
    cmdUI->Enable(available);
}

CString MailAttachmentName(const CDocument& document)
{
    const CString& path = document.GetPathName();
    if (!path.IsEmpty()) {
        const int cut = std::max({path.ReverseFind('\\'), path.ReverseFind('/'), path.ReverseFind(':')});
        return path.Mid(cut + 1).Left(kMaxNameLength);
    }
    CString name = document.GetTitle();
    CString extension;
    if (name.Find('.') < 0 && document.GetDocTemplate() &&
        document.GetDocTemplate()->GetDocString(extension, CDocTemplate::filterExt))
        name += extension;
    return name;
}

void SendDocumentByMail(CDocument& document, const CString& subjectPrefix, CWnd* owner)
{
    WaitCursor wait;
    const LPMAPISENDMAIL send = LoadSendMail();
    if (!send)
        return;
    std::unique_ptr<TempCopy> copy;
    CString file = document.GetPathName();
    if (file.IsEmpty() || document.IsModified()) {
        copy = std::make_unique<TempCopy>(document);
        if (copy->Path().empty()) {
            AfxMessageBox(AFX_IDP_FAILED_MAPI_SEND);
            return;
        }
        file = copy->Path().c_str();
    }
    CString name = MailAttachmentName(document);
    CString subject = subjectPrefix + ": " + name;
    MapiFileDesc attachment {};
    attachment.nPosition = ULONG(-1);
    attachment.lpszPathName = file.GetBuffer();
    attachment.lpszFileName = name.GetBuffer();
    MapiMessage message {};
    message.lpszSubject = subject.GetBuffer();
    message.nFileCount = 1;
    message.lpFiles = &attachment;
    const ULONG result = SendWithOwnerDisabled(send, message, owner);
    if (result != SUCCESS_SUCCESS && result != MAPI_USER_ABORT && result != MAPI_E_LOGIN_FAILURE)
        AfxMessageBox(AFX_IDP_FAILED_MAPI_SEND);
}

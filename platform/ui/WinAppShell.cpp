#include "platform/ui/WinApp.h"

#include "platform/core/FilePath.h"
#include "platform/core/String.h"
#include "platform/sys/Shell.h"
#include "platform/sys/ShellFileTypes.h"
#include "platform/sys/ShellOpenSocket.h"
#include "platform/ui/DocTemplate.h"
#include "platform/ui/Help.h"
#include "platform/ui/HelpWindow.h"
#include "platform/ui/ShellOpenListener.h"
#include "platform/ui/Wnd.h"

#include <filesystem>
#include <strings.h>

namespace fs = std::filesystem;

namespace {

fs::path ProgramPath()
{
    std::error_code error;
    return fs::read_symlink("/proc/self/exe", error);
}

// The program's own help file when none was set: its name with ".chm", beside it.
CString DefaultHelpFile(LPCTSTR exeName)
{
    fs::path program = ProgramPath();
    std::string name = exeName != nullptr ? exeName : program.filename().string();
    return CStringFromUtf8((program.parent_path() / (fs::path(name).stem().string() + ".chm")).string());
}

bool IsHtmlPage(const CString& file)
{
    const std::string extension = fs::path(SystemPathFromName(file)).extension().string();
    return strcasecmp(extension.c_str(), ".html") == 0 || strcasecmp(extension.c_str(), ".htm") == 0;
}

// HTML pages show in the program's help window, other kinds in the desktop's viewer. The
// window shown, the owner for another viewer, or NULL after a message that names the file.
HWND OpenHelpFile(HWND owner, const CString& file)
{
    std::error_code error;
    if (file.IsEmpty() || !fs::is_regular_file(SystemPathFromName(file), error)) {
        AfxMessageBox("The help file could not be found:\n" + file, MB_OK | MB_ICONEXCLAMATION);
        return nullptr;
    }
    if (IsHtmlPage(file)) {
        CHelpWindow* window = CHelpWindow::ShowPage(owner ? CWnd::FromHandle(owner) : AfxGetMainWnd(), file);
        if (!window)
            AfxMessageBox("The help file could not be read:\n" + file, MB_OK | MB_ICONEXCLAMATION);
        return window ? window->m_hWnd : nullptr;
    }
    auto result
        = reinterpret_cast<uintptr_t>(ShellExecute(nullptr, "open", file, nullptr, nullptr, SW_SHOWNORMAL));
    if (result <= 32) {
        AfxMessageBox("There is no program to show the help file:\n" + file, MB_OK | MB_ICONEXCLAMATION);
        return nullptr;
    }
    return owner;
}

ShellFileType TypeOf(const CDocTemplate& docTemplate)
{
    CString extension, id, name;
    docTemplate.GetDocString(extension, CDocTemplate::filterExt);
    docTemplate.GetDocString(id, CDocTemplate::regFileTypeId);
    docTemplate.GetDocString(name, CDocTemplate::regFileTypeName);
    return { ToUtf8(extension), ToUtf8(id), ToUtf8(name.IsEmpty() ? id : name) };
}

// One socket per program and user.
std::string ShellOpenSocketOf(LPCTSTR exeName)
{
    return ShellOpenSocketPath(exeName != nullptr ? fs::path(exeName).stem().string() : ProgramPath().stem().string());
}

} // namespace

void CWinApp::EnableShellOpen()
{
    ListenForShellOpen(ShellOpenSocketOf(m_pszExeName), [this](const std::vector<std::string>& files) {
        std::vector<CString> names;
        for (const std::string& file : files)
            names.push_back(CStringFromUtf8(file));
        OnShellOpen(names);
    });
}

BOOL CWinApp::HandOverShellOpen(const CCommandLineInfo& cmdInfo)
{
    if (cmdInfo.m_nShellCommand != CCommandLineInfo::FileOpen || cmdInfo.m_fileNames.empty())
        return FALSE;
    std::vector<std::string> files;
    for (const CString& name : cmdInfo.m_fileNames)
        files.push_back(SystemPathFromName(name));
    return SendShellOpen(ShellOpenSocketOf(m_pszExeName), files);
}

void CWinApp::OnShellOpen(const std::vector<CString>& fileNames)
{
    OpenDocumentFiles(fileNames);
    if (!m_pMainWnd || !m_pMainWnd->m_hWnd)
        return;
    if (m_pMainWnd->IsIconic())
        m_pMainWnd->ShowWindow(SW_RESTORE);
    m_pMainWnd->SetForegroundWindow();
}

BOOL CWinApp::OpenDocumentFiles(const std::vector<CString>& fileNames)
{
    BOOL all = TRUE;
    for (const CString& name : fileNames)
        all = OpenDocumentFile(name) != nullptr && all;
    return all;
}

void CWinApp::WinHelp(DWORD_PTR, UINT command)
{
    if (command != HELP_QUIT)
        OpenHelpFile(m_pMainWnd ? m_pMainWnd->m_hWnd : nullptr,
                     m_pszHelpFilePath != nullptr ? CString(m_pszHelpFilePath) : DefaultHelpFile(m_pszExeName));
}

void CWinApp::OnHelp()
{
    WinHelp(0, HELP_CONTENTS);
}

void CWinApp::OnHelpIndex()
{
    WinHelp(0, HELP_INDEX);
}

BOOL CWinApp::RegisterShellFileTypes(BOOL)
{
    std::vector<ShellFileType> types;
    for (POSITION pos = GetFirstDocTemplatePosition(); pos;) {
        ShellFileType type = TypeOf(*GetNextDocTemplate(pos));
        if (type.extension.size() > 1 && type.extension.front() == '.' && !type.typeId.empty())
            types.push_back(type);
    }
    fs::path program = ProgramPath();
    std::string id
        = m_pszExeName != nullptr ? fs::path(m_pszExeName).stem().string() : program.stem().string();
    for (char& ch : id)
        ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    std::string name = m_pszAppName != nullptr ? ToUtf8(CString(m_pszAppName)) : id;
    return !types.empty() && ::RegisterShellFileTypes({ id, name, program.string() }, types);
}

HWND HtmlHelp(HWND caller, LPCSTR file, UINT command, DWORD_PTR)
{
    if (command == HH_CLOSE_ALL) {
        if (CHelpWindow* window = CHelpWindow::Current())
            window->DestroyWindow();
        return nullptr;
    }
    if (file == nullptr)
        return nullptr;
    CString path = file;
    int topic = path.Find("::");
    if (topic >= 0)
        path = path.Left(topic);
    return OpenHelpFile(caller, path);
}

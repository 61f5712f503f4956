// The application object and the user-interface thread's message loop.
#include "platform/ui/WinApp.h"

#include "platform/core/FilePath.h"
#include "platform/core/StringTable.h"
#include "platform/ui/CmdUI.h"
#include "platform/ui/DocTemplate.h"
#include "platform/ui/Document.h"
#include "platform/ui/FileDialogFolder.h"
#include "platform/ui/FileFilter.h"
#include "platform/ui/FrameWnd.h"
#include "platform/sys/Profile.h"
#include "platform/ui/View.h"
#include "platform/ui/Menu.h"
#include "platform/ui/ShellOpenListener.h"
#include "platform/ui/TestHook.h"
#include "platform/ui/TestScript.h"
#include "platform/ui/Wnd.h"
#include "platform/ui/WindowTable.h"

#include <QApplication>
#include <QSessionManager>
#include <QFileDialog>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)
IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

namespace {

CWinApp* theApp = nullptr;

BOOL walkPreTranslateTree(HWND stop, MSG* msg)
{
    for (HWND h = msg->hwnd; h; h = ::GetParent(h)) {
        CWnd* wnd = CWnd::FromHandlePermanent(h);
        if (wnd && wnd->PreTranslateMessage(msg))
            return TRUE;
        if (h == stop)
            break;
    }
    return FALSE;
}

char* duplicate(LPCTSTR text) { return text ? strdup(text) : nullptr; }

// A relative name as seen from `folder`; an absolute or empty one as it is.
CString FromFolder(const std::string& folder, const CString& name)
{
    const std::filesystem::path path = SystemPathFromName(name);
    if (name.IsEmpty() || path.is_absolute() || folder.empty())
        return name;
    return CStringFromUtf8((std::filesystem::path(folder) / path).lexically_normal().string());
}

} // namespace

BOOL CWinThread::InitInstance() { return FALSE; }

CWnd* CWinThread::GetMainWnd() { return m_pActiveWnd ? m_pActiveWnd : m_pMainWnd; }

int CWinThread::Run()
{
    bool idle = true;
    LONG idleCount = 0;
    for (;;) {
        while (idle && !::PeekMessage(&m_msgCur, nullptr, 0, 0, PM_NOREMOVE))
            if (!OnIdle(idleCount++))
                idle = false;
        do {
            if (!PumpMessage())
                return ExitInstance();
            if (IsIdleMessage(&m_msgCur)) {
                idle = true;
                idleCount = 0;
            }
        } while (::PeekMessage(&m_msgCur, nullptr, 0, 0, PM_NOREMOVE));
    }
}

BOOL CWinThread::PreTranslateMessage(MSG* msg)
{
    CWnd* main = GetMainWnd();
    if (walkPreTranslateTree(main ? main->m_hWnd : nullptr, msg))
        return TRUE;
    if (main && msg->hwnd && ::GetAncestorTopLevel(msg->hwnd) != main->m_hWnd)
        return main->PreTranslateMessage(msg);
    return FALSE;
}

BOOL CWinThread::PumpMessage()
{
    if (!::GetMessage(&m_msgCur, nullptr, 0, 0))
        return FALSE;
    if (m_msgCur.message != WM_KICKIDLE && !PreTranslateMessage(&m_msgCur)) {
        ::TranslateMessage(&m_msgCur);
        ::DispatchMessage(&m_msgCur);
    }
    return TRUE;
}

BOOL CWinThread::OnIdle(LONG count)
{
    if (count <= 0) {
        CWnd* main = m_pMainWnd;
        if (main && main->m_hWnd && main->IsWindowVisible()) {
            AfxCallWndProc(main, main->m_hWnd, WM_IDLEUPDATECMDUI, TRUE, 0);
            main->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
        }
    } else {
        CWnd::DeleteTempMap();
    }
    return count < 1;
}

BOOL CWinThread::IsIdleMessage(MSG* msg)
{
    if (msg->message == WM_MOUSEMOVE || msg->message == WM_NCMOUSEMOVE) {
        bool same = msg->message == m_lastMouseMsg && msg->pt.x == m_lastMousePos.x && msg->pt.y == m_lastMousePos.y;
        m_lastMousePos = msg->pt;
        m_lastMouseMsg = msg->message;
        return !same;
    }
    return msg->message != WM_PAINT && msg->message != 0x0118;
}

int CWinThread::ExitInstance() { return static_cast<int>(m_msgCur.wParam); }

BOOL AfxPumpMessage()
{
    if (CWinThread* thread = AfxGetThread())
        return thread->PumpMessage();
    MSG msg;
    if (!::GetMessage(&msg, nullptr, 0, 0))
        return FALSE;
    if (msg.message != WM_KICKIDLE && !walkPreTranslateTree(nullptr, &msg)) {
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
    }
    return TRUE;
}

BOOL AfxIsIdleMessage(MSG* msg)
{
    if (CWinThread* thread = AfxGetThread())
        return thread->IsIdleMessage(msg);
    return msg->message != WM_PAINT && msg->message != WM_MOUSEMOVE;
}

void AfxPostQuitMessage(int exitCode) { ::PostQuitMessage(exitCode); }

CWinApp::CWinApp(LPCTSTR appName)
{
    m_pszAppName = duplicate(appName);
    theApp = this;
}

CWinApp::~CWinApp()
{
    StopListeningForShellOpen();
    for (POSITION pos = m_templateList.GetHeadPosition(); pos;)
        delete static_cast<CDocTemplate*>(m_templateList.GetNext(pos));
    m_templateList.RemoveAll();
    delete m_pRecentFileList;
    delete m_pProfile;
    for (LPCTSTR* text : {&m_pszAppName, &m_pszRegistryKey, &m_pszProfileName, &m_pszExeName, &m_pszHelpFilePath}) {
        free(const_cast<char*>(*text));
        *text = nullptr;
    }
    if (theApp == this)
        theApp = nullptr;
}

void CWinApp::SetCommandLine(int argc, char** argv)
{
    m_argc = argc;
    m_argv = argv;
    std::error_code error;
    m_startFolder = std::filesystem::current_path(error).string();
    if (!m_pszExeName && argc > 0 && argv[0]) {
        const char* slash = strrchr(argv[0], '/');
        m_pszExeName = duplicate(slash ? slash + 1 : argv[0]);
    }
    if (!m_pszAppName) {
        CString title;
        m_pszAppName = duplicate(LookupStringResource(AFX_IDS_APP_TITLE, title) ? static_cast<LPCTSTR>(title) : m_pszExeName);
    }
}

BOOL CWinApp::InitApplication() { return TRUE; }
BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::ExitInstance()
{
    StopListeningForShellOpen();
    if (m_pRecentFileList)
        SaveStdProfileSettings();
    return CWinThread::ExitInstance();
}

int CWinApp::Run()
{
    if (!m_pMainWnd)
        AfxPostQuitMessage(0);
    return CWinThread::Run();
}

BOOL CWinApp::OnIdle(LONG count)
{
    BOOL more = CWinThread::OnIdle(count);
    if (count <= 0)
        for (POSITION pos = m_templateList.GetHeadPosition(); pos;)
            static_cast<CDocTemplate*>(m_templateList.GetNext(pos))->OnIdle();
    return more;
}

int CWinApp::DoMessageBox(LPCTSTR prompt, UINT type, UINT)
{
    HWND owner = nullptr;
    CWnd::GetSafeOwner(nullptr, &owner);
    return ::MessageBox(owner, prompt, m_pszAppName ? m_pszAppName : "", type);
}

void CWinApp::SetRegistryKey(LPCTSTR registryKey)
{
    free(const_cast<char*>(m_pszRegistryKey));
    m_pszRegistryKey = duplicate(registryKey);
    free(const_cast<char*>(m_pszProfileName));
    m_pszProfileName = duplicate(m_pszAppName);
    delete m_pProfile;
    m_pProfile = nullptr;
}

void CWinApp::SetRegistryKey(UINT registryKeyId)
{
    CString key;
    key.LoadString(registryKeyId);
    SetRegistryKey(key);
}

void CWinApp::LoadStdProfileSettings(UINT maxMRU)
{
    if (maxMRU == 0)
        return;
    delete m_pRecentFileList;
    delete m_pProfile;
    m_pProfile = nullptr;
    m_pRecentFileList = new CRecentFileList(0, "Recent File List", "File%d", static_cast<int>(std::min<UINT>(maxMRU, 16)));
    m_pRecentFileList->ReadList();
}

void CWinApp::SaveStdProfileSettings()
{
    if (m_pRecentFileList)
        m_pRecentFileList->WriteList();
}

// Written at once, so the list still names the file after a crash.
void CWinApp::AddToRecentFileList(LPCTSTR pathName)
{
    if (!m_pRecentFileList)
        return;
    m_pRecentFileList->Add(pathName);
    m_pRecentFileList->WriteList();
}

void CWinApp::ParseCommandLine(CCommandLineInfo& cmdInfo)
{
    for (int i = 1; i < m_argc; ++i) {
        const CString argument = CStringFromUtf8(m_argv[i]);
        LPCTSTR param = argument;
        // "/name" is a flag only when it cannot be an absolute path.
        bool flag = param[0] == '-' || (param[0] == '/' && !strchr(param + 1, '/') && !strchr(param + 1, '.'));
        if (flag)
            ++param;
        while (flag && *param == '-')
            ++param;
        cmdInfo.ParseParam(param, flag, i == m_argc - 1);
    }
    cmdInfo.m_strFileName = FromFolder(m_startFolder, cmdInfo.m_strFileName);
    for (CString& name : cmdInfo.m_fileNames)
        name = FromFolder(m_startFolder, name);
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& cmdInfo)
{
    switch (cmdInfo.m_nShellCommand) {
    case CCommandLineInfo::FileNew:
        if (!OnCmdMsg(ID_FILE_NEW, CN_COMMAND, nullptr, nullptr))
            OnFileNew();
        return m_pMainWnd != nullptr;
    case CCommandLineInfo::FileOpen:
        return OpenDocumentFiles(cmdInfo.m_fileNames.empty() ? std::vector<CString> { cmdInfo.m_strFileName }
                                                             : cmdInfo.m_fileNames);
    default:
        return TRUE;
    }
}

void CWinApp::AddDocTemplate(CDocTemplate* docTemplate)
{
    if (!docTemplate)
        return;
    docTemplate->LoadTemplate();
    m_templateList.AddTail(docTemplate);
}

POSITION CWinApp::GetFirstDocTemplatePosition() const { return m_templateList.GetHeadPosition(); }

CDocTemplate* CWinApp::GetNextDocTemplate(POSITION& pos) const
{
    return static_cast<CDocTemplate*>(const_cast<CPtrList&>(m_templateList).GetNext(pos));
}

int CWinApp::GetOpenDocumentCount()
{
    int count = 0;
    for (POSITION t = GetFirstDocTemplatePosition(); t;) {
        CDocTemplate* docTemplate = GetNextDocTemplate(t);
        for (POSITION d = docTemplate->GetFirstDocPosition(); d; docTemplate->GetNextDoc(d))
            ++count;
    }
    return count;
}

BOOL CWinApp::SaveAllModified()
{
    for (POSITION t = GetFirstDocTemplatePosition(); t;)
        if (!GetNextDocTemplate(t)->SaveAllModified())
            return FALSE;
    return TRUE;
}

void CWinApp::CloseAllDocuments(BOOL endSession)
{
    for (POSITION t = GetFirstDocTemplatePosition(); t;)
        GetNextDocTemplate(t)->CloseAllDocuments(endSession);
}

CDocument* CWinApp::OpenDocumentFile(LPCTSTR fileName)
{
    if (!fileName || !*fileName)
        return nullptr;
    CDocTemplate* best = nullptr;
    CDocument* open = nullptr;
    CDocTemplate::Confidence bestMatch = CDocTemplate::noAttempt;
    for (POSITION t = GetFirstDocTemplatePosition(); t;) {
        CDocTemplate* docTemplate = GetNextDocTemplate(t);
        CDocument* candidate = nullptr;
        CDocTemplate::Confidence match = docTemplate->MatchDocType(fileName, candidate);
        if (match > bestMatch) {
            bestMatch = match;
            best = docTemplate;
            open = candidate;
        }
        if (match == CDocTemplate::yesAlreadyOpen)
            break;
    }
    if (open) {
        POSITION pos = open->GetFirstViewPosition();
        if (CView* view = pos ? open->GetNextView(pos) : nullptr)
            if (CFrameWnd* frame = AfxGetParentFrameOf(view))
                frame->ActivateFrame();
        return open;
    }
    return best ? best->OpenDocumentFile(fileName) : nullptr;
}

CDocument* CWinApp::OpenDocumentCopy(LPCTSTR fileName)
{
    POSITION pos = GetFirstDocTemplatePosition();
    auto* main = pos ? dynamic_cast<CMultiDocTemplate*>(GetNextDocTemplate(pos)) : nullptr;
    return main && fileName && *fileName ? main->OpenDocumentCopy(fileName) : nullptr;
}

namespace {

// A name typed without a type gets the document's own, as the filter it chose promises.
QString askDesktopForFile(bool open, const QString& start, const QString& filter, const char* ext)
{
    QFileDialog dialog(nullptr, QString(), start, filter);
    dialog.setAcceptMode(open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    if (!open && ext && *ext == '.')
        dialog.setDefaultSuffix(QString::fromLatin1(ext + 1));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().first();
}

} // namespace

BOOL CWinApp::DoPromptFileName(CString& fileName, UINT, DWORD, BOOL openFileDialog, CDocTemplate* docTemplate)
{
    const QString start = QString::fromLatin1(FileDialogFolder::StartOf(nullptr, fileName).c_str());
    const QString filter =
        FileFilter::Desktop(FileFilter::Pairs(FileFilter::ForTemplates(*this, docTemplate).c_str()).c_str());
    UiTestScript::NoteEvent("file dialog opens at " + start.toStdString());
    UiTestScript::NoteEvent("file dialog offers " + filter.toStdString());
    std::string answer;
    if (UiTestHook::TakeFileDialogAnswer(answer)) {
        FileDialogFolder::Remember(answer);
        fileName = answer.c_str();
        return !answer.empty();
    }
    if (!ui::HaveDisplay())
        return FALSE;
    CString ext;
    if (docTemplate)
        docTemplate->GetDocString(ext, CDocTemplate::filterExt);
    const QString chosen = askDesktopForFile(openFileDialog, start, filter, ext.GetString());
    if (chosen.isEmpty())
        return FALSE;
    fileName = chosen.toLatin1().constData();
    FileDialogFolder::Remember(fileName.GetString());
    return TRUE;
}

void CWinApp::OnFileNew()
{
    POSITION pos = GetFirstDocTemplatePosition();
    if (CDocTemplate* docTemplate = pos ? GetNextDocTemplate(pos) : nullptr)
        docTemplate->OpenDocumentFile(nullptr);
}

void CWinApp::OnFileOpen()
{
    CString name;
    if (DoPromptFileName(name, 0, 0, TRUE, nullptr))
        OpenDocumentFile(name);
}

BOOL CWinApp::OnOpenRecentFile(UINT id)
{
    if (!m_pRecentFileList)
        return FALSE;
    int index = static_cast<int>(id - ID_FILE_MRU_FIRST);
    if (index < 0 || index >= m_pRecentFileList->GetSize() || (*m_pRecentFileList)[index].IsEmpty())
        return FALSE;
    // A copy: opening moves the name to the top of the list.
    const CString name = (*m_pRecentFileList)[index];
    if (!OpenDocumentFile(name))
        m_pRecentFileList->Remove(index);
    return TRUE;
}

void CWinApp::OnUpdateRecentFileMenu(CCmdUI* cmdUI)
{
    if (m_pRecentFileList)
        m_pRecentFileList->UpdateMenu(cmdUI);
    else
        cmdUI->Enable(FALSE);
}

void CWinApp::OnAppExit()
{
    if (m_pMainWnd)
        m_pMainWnd->SendMessage(WM_CLOSE);
}

void CWinApp::DoWaitCursor(int code)
{
    if (code > 0)
        BeginWaitCursor();
    else if (code < 0)
        EndWaitCursor();
    else
        RestoreWaitCursor();
}

BEGIN_MESSAGE_MAP(CWinApp, CWinThread)
    ON_COMMAND_EX_RANGE(ID_FILE_MRU_FIRST, ID_FILE_MRU_LAST, OnOpenRecentFile)
    ON_UPDATE_COMMAND_UI(ID_FILE_MRU_FILE1, OnUpdateRecentFileMenu)
    ON_COMMAND(ID_APP_EXIT, OnAppExit)
END_MESSAGE_MAP()

CWinApp* AfxGetApp() { return theApp; }
CWinThread* AfxGetThread() { return theApp; }

CWnd* AfxGetMainWnd()
{
    CWinThread* thread = AfxGetThread();
    return thread ? thread->GetMainWnd() : nullptr;
}

LPCTSTR AfxGetAppName() { return theApp && theApp->m_pszAppName ? theApp->m_pszAppName : ""; }
HINSTANCE AfxGetInstanceHandle() { return nullptr; }
HINSTANCE AfxGetResourceHandle() { return nullptr; }

int AfxMessageBox(LPCTSTR text, UINT type, UINT helpId)
{
    if (CWinApp* app = AfxGetApp())
        return app->DoMessageBox(text, type, helpId);
    return ::MessageBox(nullptr, text, "", type);
}

int AfxMessageBox(UINT promptId, UINT type, UINT helpId)
{
    CString text;
    if (!LookupStringResource(promptId, text))
        text.Format("Message %u", promptId);
    return AfxMessageBox(text, type, helpId == UINT(-1) ? promptId : helpId);
}

namespace {

// The desktop session is ending: the main window may ask about changed documents, and Cancel
// there keeps the session going.
void askBeforeSessionEnds(QSessionManager& manager)
{
    CWinApp* app = AfxGetApp();
    if (!app || !app->m_pMainWnd || !app->m_pMainWnd->m_hWnd || !manager.allowsInteraction())
        return;
    if (!app->m_pMainWnd->SendMessage(WM_QUERYENDSESSION, 0, 0))
        manager.cancel();
    manager.release();
}

} // namespace

int AfxWinMain(int argc, char** argv)
{
    CWinApp* app = AfxGetApp();
    if (!app)
        return -1;
    std::unique_ptr<QApplication> qt;
    if (!QCoreApplication::instance())
        qt = std::make_unique<QApplication>(argc, argv);
    if (auto* gui = qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        QObject::connect(gui, &QGuiApplication::commitDataRequest, askBeforeSessionEnds);
    ui::SyncDesktopWithScreen();
    app->SetCommandLine(argc, argv);
    if (!app->InitApplication() || !app->InitInstance()) {
        if (app->m_pMainWnd && app->m_pMainWnd->m_hWnd)
            app->m_pMainWnd->DestroyWindow();
        return app->ExitInstance();
    }
    UiTestScript::StartFromEnvironment();
    return app->Run();
}

// The application object: start-up, the main message loop with idle processing, the
// profile, the recent-file list, the command line and the document templates.
#pragma once

#include "platform/core/Arrays.h"
#include "platform/core/Lists.h"
#include "platform/core/String.h"
#include "platform/ui/CmdTarget.h"

#include <string>
#include <vector>

class CWnd;
class CDocTemplate;
class CDocument;
class CCmdUI;
class CProfile;

class CWinThread : public CCmdTarget {
    DECLARE_DYNAMIC(CWinThread)
public:
    CWnd* m_pMainWnd = nullptr;
    CWnd* m_pActiveWnd = nullptr;
    BOOL m_bAutoDelete = FALSE;
    MSG m_msgCur{};

    virtual BOOL InitInstance();
    virtual int Run();
    virtual BOOL PreTranslateMessage(MSG* msg);
    virtual BOOL PumpMessage();
    virtual BOOL OnIdle(LONG count);
    virtual BOOL IsIdleMessage(MSG* msg);
    virtual int ExitInstance();
    virtual CWnd* GetMainWnd();

private:
    POINT m_lastMousePos{-1, -1};
    UINT m_lastMouseMsg = 0;
};

class CCommandLineInfo : public CObject {
public:
    enum { FileNew, FileOpen, FilePrint, FilePrintTo, FileDDE, AppUnregister, FileNothing = -1 };

    BOOL m_bShowSplash = TRUE;
    BOOL m_bRunEmbedded = FALSE;
    BOOL m_bRunAutomated = FALSE;
    int m_nShellCommand = FileNew;
    CString m_strFileName;
    // Every document named to open, the first as m_strFileName too.
    std::vector<CString> m_fileNames;
    CString m_strPrinterName;
    CString m_strDriverName;
    CString m_strPortName;

    // One argument: a flag (after '-' or '/', without it) or a parameter.
    virtual void ParseParam(LPCTSTR param, BOOL flag, BOOL last);

private:
    void ParseParamFlag(LPCTSTR param);
    void ParseParamNotFlag(LPCTSTR param);
};

// The most-recently-used files, kept in the profile section "Recent File List" as
// "File1" ... "FileN" and shown on the menu items ID_FILE_MRU_FILE1 onwards.
class CRecentFileList {
public:
    CRecentFileList(UINT start, LPCTSTR section, LPCTSTR entryFormat, int size);
    virtual ~CRecentFileList() = default;

    int GetSize() const { return m_arrNames.GetSize(); }
    CString& operator[](int index) { return m_arrNames[index]; }
    virtual void Add(LPCTSTR pathName);
    virtual void Remove(int index);
    virtual void UpdateMenu(CCmdUI* cmdUI);
    virtual void ReadList();
    virtual void WriteList();

    CStringArray m_arrNames;
    CString m_strSectionName;
    CString m_strEntryFormat;
    UINT m_nStart;
    int m_nSize;
    CString m_strOriginal;
};

class CWinApp : public CWinThread {
    DECLARE_DYNAMIC(CWinApp)
public:
    explicit CWinApp(LPCTSTR appName = nullptr);
    ~CWinApp() override;

    // Strings owned by the application (allocated with malloc, freed at destruction).
    LPCTSTR m_pszAppName = nullptr;
    LPCTSTR m_pszRegistryKey = nullptr;
    LPCTSTR m_pszProfileName = nullptr;
    LPCTSTR m_pszExeName = nullptr;
    LPCTSTR m_pszHelpFilePath = nullptr;
    HINSTANCE m_hInstance = nullptr;
    LPTSTR m_lpCmdLine = nullptr;
    int m_nCmdShow = SW_SHOWNORMAL;
    CRecentFileList* m_pRecentFileList = nullptr;
    int m_argc = 0;
    char** m_argv = nullptr;

    virtual BOOL InitApplication();
    BOOL InitInstance() override;
    int ExitInstance() override;
    int Run() override;
    BOOL OnIdle(LONG count) override;
    virtual int DoMessageBox(LPCTSTR prompt, UINT type, UINT helpId);
    virtual BOOL SaveAllModified();
    virtual CDocument* OpenDocumentFile(LPCTSTR fileName);
    // A new untitled document of the main document type made from the file.
    virtual CDocument* OpenDocumentCopy(LPCTSTR fileName);
    virtual void AddToRecentFileList(LPCTSTR pathName);
    virtual BOOL DoPromptFileName(CString& fileName, UINT titleId, DWORD flags, BOOL openFileDialog,
                                  CDocTemplate* docTemplate);
    virtual void WinHelp(DWORD_PTR data, UINT command = 0);

    void SetCommandLine(int argc, char** argv);
    void SetRegistryKey(LPCTSTR registryKey);
    void SetRegistryKey(UINT registryKeyId);
    void LoadStdProfileSettings(UINT maxMRU = 4);
    void SaveStdProfileSettings();
    void ParseCommandLine(CCommandLineInfo& cmdInfo);
    BOOL ProcessShellCommand(CCommandLineInfo& cmdInfo);
    // Documents named on a later start's command line come to this program (HandOverShellOpen)
    // instead of a second one.
    void EnableShellOpen();
    // Hands the command line's documents to the running program of this name; TRUE when it
    // took them and this start has nothing left to do.
    BOOL HandOverShellOpen(const CCommandLineInfo& cmdInfo);
    // Documents a later start handed over: each opens, then the main window comes to the front.
    virtual void OnShellOpen(const std::vector<CString>& fileNames);
    // Registers every template's type (filter extension, type id and name) with the desktop,
    // with this program as its default. FALSE when the desktop could not be told.
    BOOL RegisterShellFileTypes(BOOL compatibility = FALSE);
    void Enable3dControls() {}

    // Profile: the settings store of the maker and product.
    UINT GetProfileInt(LPCTSTR section, LPCTSTR entry, int defaultValue);
    BOOL WriteProfileInt(LPCTSTR section, LPCTSTR entry, int value);
    CString GetProfileString(LPCTSTR section, LPCTSTR entry, LPCTSTR defaultValue = nullptr);
    BOOL WriteProfileString(LPCTSTR section, LPCTSTR entry, LPCTSTR value);
    BOOL GetProfileBinary(LPCTSTR section, LPCTSTR entry, LPBYTE* data, UINT* bytes);
    BOOL WriteProfileBinary(LPCTSTR section, LPCTSTR entry, LPBYTE data, UINT bytes);

    // Document templates (owned by the application).
    void AddDocTemplate(CDocTemplate* docTemplate);
    POSITION GetFirstDocTemplatePosition() const;
    CDocTemplate* GetNextDocTemplate(POSITION& pos) const;
    int GetOpenDocumentCount();
    void CloseAllDocuments(BOOL endSession);

    void OnFileNew();
    void OnFileOpen();
    BOOL OnOpenRecentFile(UINT id);
    void OnUpdateRecentFileMenu(CCmdUI* cmdUI);
    void OnAppExit();
    void OnFilePrintSetup() {}
    void OnHelpIndex();
    void OnHelp();

    void DoWaitCursor(int code);

    // The settings store behind the profile calls, opened on first use.
    CProfile& GetProfile();

protected:
    CPtrList m_templateList;
    CProfile* m_pProfile = nullptr;

private:
    // TRUE when every one opened.
    BOOL OpenDocumentFiles(const std::vector<CString>& fileNames);

    // The process's folder at start: relative names on the command line are meant from there.
    std::string m_startFolder;

    DECLARE_MESSAGE_MAP()
};

CWinApp* AfxGetApp();
CWinThread* AfxGetThread();
CWnd* AfxGetMainWnd();
LPCTSTR AfxGetAppName();
HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();
int AfxMessageBox(LPCTSTR text, UINT type = MB_OK, UINT helpId = 0);
int AfxMessageBox(UINT promptId, UINT type = MB_OK, UINT helpId = UINT(-1));
// Starts the application object: Qt, InitInstance, then the message loop. Returns the exit code.
int AfxWinMain(int argc, char** argv);
void AfxPostQuitMessage(int exitCode);

// Standard command ids.
constexpr UINT ID_FILE_NEW = 0xE100, ID_FILE_OPEN = 0xE101, ID_FILE_CLOSE = 0xE102, ID_FILE_SAVE = 0xE103,
               ID_FILE_SAVE_AS = 0xE104, ID_FILE_PAGE_SETUP = 0xE105, ID_FILE_PRINT_SETUP = 0xE106,
               ID_FILE_PRINT = 0xE107, ID_FILE_PRINT_DIRECT = 0xE108, ID_FILE_PRINT_PREVIEW = 0xE109,
               ID_FILE_MRU_FILE1 = 0xE110, ID_FILE_MRU_FIRST = 0xE110, ID_FILE_MRU_LAST = 0xE11F,
               ID_EDIT_CLEAR = 0xE120, ID_EDIT_COPY = 0xE122, ID_EDIT_CUT = 0xE123, ID_EDIT_PASTE = 0xE125,
               ID_EDIT_SELECT_ALL = 0xE12A, ID_EDIT_UNDO = 0xE12B, ID_EDIT_REDO = 0xE12C,
               ID_WINDOW_NEW = 0xE130, ID_WINDOW_ARRANGE = 0xE131, ID_WINDOW_CASCADE = 0xE132,
               ID_WINDOW_TILE_HORZ = 0xE133, ID_WINDOW_TILE_VERT = 0xE134, ID_APP_ABOUT = 0xE140,
               ID_APP_EXIT = 0xE141, ID_HELP_INDEX = 0xE142, ID_HELP = 0xE146, ID_DEFAULT_HELP = 0xE147,
               ID_NEXT_PANE = 0xE150, ID_PREV_PANE = 0xE151, ID_VIEW_TOOLBAR = 0xE800,
               ID_VIEW_STATUS_BAR = 0xE801, ID_INDICATOR_CAPS = 0xE6E1, ID_INDICATOR_NUM = 0xE6E2,
               ID_INDICATOR_SCRL = 0xE6E3, ID_SEPARATOR = 0, AFX_IDS_IDLEMESSAGE = 0xE001,
               AFX_IDS_APP_TITLE = 0xE000, AFX_IDS_UNTITLED = 0xF000;

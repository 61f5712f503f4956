// The application object: start-up (language, splash, OLE, the three document templates, the
// main frame), the application's own commands, and the user-interface text lookup.
#pragma once

#include "shell/HyperApp.h"

class CMainFrame;
class CMultiDocTemplate;

class CVantrelApp : public CHyperApp {
public:
    static constexpr UINT IdMainFrame = 128;
    static constexpr UINT IdDocument = 129;
    static constexpr UINT IdProject = 130;
    static constexpr UINT IdCatalog = 131;
    static constexpr UINT IdContainer = 27923;
    static constexpr UINT IdOleFailed = 101;
    static constexpr UINT IdUpdatePage = 141;
    static constexpr UINT IdWebAddress = 143;
    static constexpr UINT CmdSaveAll = 33854;
    static constexpr UINT CmdTipsAndTricks = 33881;
    static constexpr UINT CmdUpdate = 33889;

    CVantrelApp();
    ~CVantrelApp() override;

    BOOL InitInstance() override;
    int ExitInstance() override;

    void OnFileNew();
    void OnFileOpen();
    void OnAppAbout();
    void OnTipsAndTricks();
    void OnFileSaveAll();
    void OnUpdateCenter();
    void ShowTipsAtStartup();
    void ShowTips();

    // Splash wait: `startUpTime` / 10 rounds of one waiting message and 10 ms each.
    static void WaitSplash(UINT startUpTime);
    // Writes the three default tips unless the file exists.
    static void WriteDefaultTipsFile(const CString& path);

protected:
    virtual BOOL InitOle();
    // The loaded main frame, or NULL when it cannot be loaded.
    virtual CMainFrame* LoadMainFrame();

private:
    void RegisterTemplates();
    void ReportUnreadableSettings();

    DECLARE_MESSAGE_MAP()
};

CVantrelApp* GetVantrelApp();

// The text of a user-interface key in the current language; the key itself when there is none.
CString GetLanguageText(const CString& key, int a = 0, int b = 0);

// The main frame once its window exists.
CMainFrame* GetMainFrame();
void SetMainFrame(CMainFrame* frame);

// Pane tests run against a settings store in a fresh folder, with data files written there
// and every program launch caught instead of run.
#pragma once

#include "UiFixture.h"
#include "platform/sys/ShellLauncher.h"
#include "platform/ui/WinApp.h"
#include "res/ProgramResources.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

// A dialog that plays test steps one at a time from its own message loop, so that a modal
// dialog can be driven while DoModal runs.
template <class Dialog>
class ScriptedDialog : public Dialog {
public:
    using Dialog::Dialog;
    std::vector<std::function<void()>> steps;

protected:
    BOOL OnInitDialog() override
    {
        const BOOL focus = Dialog::OnInitDialog();
        this->PostMessage(WM_APP);
        return focus;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message != WM_APP)
            return Dialog::WindowProc(message, wParam, lParam);
        if (!steps.empty()) {
            steps.front()();
            steps.erase(steps.begin());
            this->PostMessage(WM_APP);
        }
        return 0;
    }
};

// Records the documents it is asked to open.
class CRecordingApp : public CWinApp {
public:
    CRecordingApp() : CWinApp("Vantrel Q8") {}
    CDocument* OpenDocumentFile(LPCTSTR fileName) override
    {
        opened.emplace_back(fileName);
        return nullptr;
    }
    CDocument* OpenDocumentCopy(LPCTSTR fileName) override
    {
        copied.emplace_back(fileName);
        return nullptr;
    }
    std::vector<std::string> opened, copied;
};

// Records the commands it is sent.
class CCommandSink : public CWnd {
public:
    BOOL OnCommand(WPARAM wParam, LPARAM) override
    {
        commands.push_back(LOWORD(wParam));
        return TRUE;
    }
    std::vector<UINT> commands;
};

class PaneTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        char pattern[] = "/tmp/vantrel-panes-XXXXXX";
        home = mkdtemp(pattern);
        setenv("XDG_CONFIG_HOME", home.c_str(), 1);
        char cwd[1024];
        startFolder = getcwd(cwd, sizeof cwd);
        app = std::make_unique<CRecordingApp>();
        app->SetRegistryKey("Korvane");
        SetShellLauncher([this](const ShellLaunch& launch) {
            launches.push_back(launch.argv);
            return 0;
        });
    }
    void TearDown() override
    {
        SetShellLauncher({});
        app.reset();
        (void)chdir(startFolder.c_str());
        std::filesystem::remove_all(home);
        UiTest::TearDown();
    }
    void WriteFile(const std::string& path, const std::string& text) const
    {
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        std::ofstream(path, std::ios::binary) << text;
    }

    std::string home;
    std::string startFolder;
    std::unique_ptr<CRecordingApp> app;
    std::vector<std::vector<std::string>> launches;
};

// Pane tests whose dialogs come from the program's own templates and texts.
class ProgramPaneTest : public PaneTest {
protected:
    static void SetUpTestSuite()
    {
        PaneTest::SetUpTestSuite();
        RegisterProgramResources();
    }
};

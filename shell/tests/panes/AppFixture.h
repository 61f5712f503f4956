// Tests that need the whole program: the application started on the offscreen display with
// its settings in a fresh folder, and stopped again after the test.
#pragma once

#include "shell/MainFrame.h"
#include "shell/VantrelApp.h"

#include "UiFixture.h"
#include "View/TextServices.h"
#include "res/ProgramResources.h"

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

class CTestVantrelApp : public CVantrelApp {
protected:
    BOOL InitOle() override { return TRUE; }
};

class AppTest : public UiTest {
protected:
    static void SetUpTestSuite()
    {
        UiTest::SetUpTestSuite();
        RegisterProgramResources();
    }
    void SetUp() override
    {
        UiTest::SetUp();
        char pattern[] = "/tmp/vantrel-app-XXXXXX";
        home = mkdtemp(pattern);
        setenv("XDG_CONFIG_HOME", home.c_str(), 1);
        std::filesystem::create_directories(home + "/Korvane");
        std::ofstream(home + "/Korvane/Vantrel Q8.ini") << "[Settings]\nStartUpTime=0\n[Tip]\nStartUp=0\n";
        app = std::make_unique<CTestVantrelApp>();
        ASSERT_TRUE(app->InitInstance());
        frame = GetMainFrame();
        ASSERT_NE(frame, nullptr);
    }
    void TearDown() override
    {
        if (CWnd* main = app ? app->m_pMainWnd : nullptr; main && main->m_hWnd)
            main->DestroyWindow();
        if (app) {
            app->m_pMainWnd = nullptr;
            app->ExitInstance();
            app.reset();
        }
        // The program's text services ask its settings, which end with the program.
        SetTextServices(nullptr);
        std::filesystem::remove_all(home);
        UiTest::TearDown();
    }

    std::string home;
    std::unique_ptr<CTestVantrelApp> app;
    CMainFrame* frame = nullptr;
};

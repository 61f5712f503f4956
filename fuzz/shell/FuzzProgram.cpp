#include "fuzz/shell/FuzzProgram.h"

#include "imaging/paint/PaintEditors.h"
#include "platform/ui/DocTemplate.h"
#include "platform/ui/Document.h"
#include "platform/ui/TestHook.h"
#include "platform/ui/WinApp.h"
#include "platform/ui/Wnd.h"
#include "res/ProgramResources.h"
#include "shell/AudioManager.h"
#include "shell/MainFrame.h"
#include "shell/VantrelApp.h"

#include <QApplication>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {

// More than any open or close asks; what is left is forgotten.
constexpr int kAnswers = 16;

int g_argc = 1;
char g_name[] = "vantrel";
char* g_argv[] = {g_name, nullptr};

// The program moves into the folders it opens and starts in; the fuzzer's paths are relative.
class KeepWorkingFolder {
public:
    KeepWorkingFolder() : m_folder(std::filesystem::current_path()) {}
    ~KeepWorkingFolder() { std::filesystem::current_path(m_folder); }

private:
    std::filesystem::path m_folder;
};

// The program's settings folder goes when the process ends.
struct Folder {
    std::string path;
    ~Folder() { std::filesystem::remove_all(path); }
};

} // namespace

FuzzProgram& FuzzProgram::Get()
{
    static FuzzProgram* program = [] {
        KeepWorkingFolder keep;
        return new FuzzProgram;
    }();
    return *program;
}

// The level meter's timer thread posts to the message queue: it stops before the process
// takes the queue down. The program itself is left standing, as a crash would leave it.
void FuzzProgram::Stop()
{
    if (auto* frame = dynamic_cast<CMainFrame*>(Get().m_app->m_pMainWnd); frame && frame->GetAudioManager())
        frame->GetAudioManager()->GetMeter().Stop();
}

FuzzProgram::FuzzProgram()
{
    static Folder folder;
    std::string pattern = std::filesystem::temp_directory_path().string() + "/vantrel-program-XXXXXX";
    folder.path = m_folder = mkdtemp(pattern.data());
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("XDG_CONFIG_HOME", m_folder.c_str(), 1);
    setenv("XDG_DATA_HOME", m_folder.c_str(), 1);
    std::filesystem::create_directories(m_folder + "/Korvane");
    // No splash wait and no tips at start-up.
    std::ofstream(m_folder + "/Korvane/Vantrel Q8.ini") << "[Settings]\nStartUpTime=0\n[Tip]\nStartUp=0\n";
    new QApplication(g_argc, g_argv);
    RegisterProgramResources();
    InstallPaintEditors();
    m_app = new CVantrelApp;
    if (!m_app->InitInstance())
        std::abort();
    std::atexit(Stop);
    UiTestHook::PumpPending();
}

CDocument* FuzzProgram::Open(const std::string& path)
{
    UiTestHook::QueueFileDialogAnswer(path);
    for (int i = 0; i < kAnswers; ++i)
        UiTestHook::QueueMessageBoxAnswer(IDNO);
    {
        KeepWorkingFolder keep;
        m_app->m_pMainWnd->SendMessage(WM_COMMAND, ID_FILE_OPEN);
        UiTestHook::PumpPending();  // every window it made paints
    }
    return FirstDocument();
}

CDocument* FuzzProgram::FirstDocument() const
{
    CDocument* opened = nullptr;
    for (POSITION pos = m_app->GetFirstDocTemplatePosition(); pos && !opened;) {
        CDocTemplate* docTemplate = m_app->GetNextDocTemplate(pos);
        for (POSITION doc = docTemplate->GetFirstDocPosition(); doc && !opened;)
            opened = docTemplate->GetNextDoc(doc);
    }
    return opened;
}

CDocument* FuzzProgram::New()
{
    m_app->OnFileNew();
    UiTestHook::PumpPending();
    return FirstDocument();
}

void FuzzProgram::CloseAll()
{
    m_app->CloseAllDocuments(FALSE);
    UiTestHook::PumpPending();
    UiTestHook::Reset();
}

std::string FuzzProgram::File(const char* name) const { return m_folder + "/" + name; }

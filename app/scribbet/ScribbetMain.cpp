// Scribbet, the rich-text editor of the rich-text notes: started by the program with the note's
// file, the program's main window and the note, it edits the file and answers when saved.
#include "app/scribbet/ScribbetDlg.h"

#include "platform/ui/WinApp.h"

#include <cstdlib>
#include <unistd.h>

namespace {

class CScribbetApp : public CWinApp {
public:
    BOOL InitInstance() override
    {
        ScribbetRequest request;
        if (!ReadScribbetRequest(m_argc, m_argv, request)) {
            AfxMessageBox("Usage: Scribbet \"file\" \"window\" \"object\"", MB_OK);
            return FALSE;
        }
        request.processId = DWORD(getppid());
        m_dialog = std::make_unique<CScribbetDlg>(request);
        if (!m_dialog->Create(CScribbetDlg::TemplateId))
            return FALSE;
        m_pMainWnd = m_dialog.get();
        return TRUE;
    }

private:
    std::unique_ptr<CScribbetDlg> m_dialog;
};

CScribbetApp theApp;

// The program's own test script must not play here: Scribbet plays its own when asked.
void TakeTestScript()
{
    const char* script = std::getenv("SCRIBBET_TEST_SCRIPT");
    const char* log = std::getenv("SCRIBBET_TEST_LOG");
    unsetenv("VANTREL_TEST_SCRIPT");
    unsetenv("VANTREL_TEST_LOG");
    if (script)
        setenv("VANTREL_TEST_SCRIPT", script, 1);
    if (log)
        setenv("VANTREL_TEST_LOG", log, 1);
}

}  // namespace

int main(int argc, char** argv)
{
    TakeTestScript();
    RegisterScribbetResources();
    return AfxWinMain(argc, argv);
}

#include "shell/ShellMainViewHost.h"

#include "objects/kinds/NoteHost.h"
#include "projects/CatManager.h"
#include "projects/ProjManager.h"
#include "projects/ProjManagerPane.h"
#include "shell/AudioManager.h"
#include "shell/MainFrame.h"
#include "shell/SelectLanguageDlg.h"
#include "shell/Settings.h"
#include "shell/VantrelApp.h"
#include "platform/toolkit/XTPDockingPaneManager.h"

namespace {

BOOL IsClosed(CMainFrame* frame, UINT paneId)
{
    CXTPDockingPane* pane = frame->GetPaneManager()->FindPane(paneId);
    return !pane || pane->IsClosed();
}

} // namespace

void CShellMainViewHost::SetSetting(LPCTSTR key, int value)
{
    Setting setting;
    if (FindSetting(key, &setting))
        SetSettingInt(setting, value);
}

CString CShellMainViewHost::GetProgramFolder() const { return ::GetProgramFolder(); }

CString CShellMainViewHost::GetDictionaryFolder() const { return ::GetDictionaryFolder(); }

CString CShellMainViewHost::GetDictionaryList(BOOL themes) const
{
    return themes ? GetDictionaryThemesINS() : GetDictionaryINS();
}

BOOL CShellMainViewHost::OpenCatalogue(LPCTSTR path)
{
    CMainFrame* frame = GetMainFrame();
    if (!frame)
        return FALSE;
    frame->ShowPane(PaneCatalog);
    CCatManager* manager = frame->GetCatManager();
    return manager && manager->OpenCatalogue(path);
}

BOOL CShellMainViewHost::OpenProject(LPCTSTR path)
{
    CMainFrame* frame = GetMainFrame();
    if (!frame)
        return FALSE;
    frame->ShowPane(PaneProject);
    auto* pane = dynamic_cast<CProjManagerPane*>(frame->GetPaneWindow(PaneProject));
    CProjManager* manager = pane ? pane->GetManager() : nullptr;
    return manager && manager->OpenProject(path);
}

// The panes follow the active page by themselves once they are open.
void CShellMainViewHost::RestorePanes(CView*)
{
    CMainFrame* frame = GetMainFrame();
    if (!frame)
        return;
    if (frame->GetShowLayerPane() && IsClosed(frame, PaneLayers))
        frame->ShowPane(PaneLayers);
    if (frame->GetShowProperties() && IsClosed(frame, PaneProperties))
        frame->ShowPane(PaneProperties);
}

BOOL CShellMainViewHost::RunOptions()
{
    CMainFrame* frame = GetMainFrame();
    if (frame)
        frame->OnOptions();
    return frame != nullptr;
}

BOOL CShellMainViewHost::RunLanguageDialog()
{
    CSelectLanguageDlg dialog(GetMainFrame());
    return dialog.DoModal() == IDOK;
}

void CShellMainViewHost::OpenHelp()
{
    if (CMainFrame* frame = GetMainFrame())
        frame->OnHelpContents();
}

void CShellMainViewHost::ReleaseSoundNote()
{
    CMainFrame* frame = GetMainFrame();
    CAudioManager* manager = frame ? frame->GetAudioManager() : nullptr;
    if (manager && manager->GetSoundOb())
        GetNoteHost().DetachSoundNote(manager->GetSoundOb());
}

void InstallMainViewHost()
{
    static CShellMainViewHost host;
    SetMainViewHost(&host);
}

#include "shell/ShellNoteHost.h"

#include "controls/NoteTextDlg.h"
#include "shell/AudioManager.h"
#include "shell/MainFrame.h"
#include "shell/NotesDlg.h"
#include "shell/Settings.h"
#include "shell/VantrelApp.h"

namespace {

CAudioManager* FrameAudioManager()
{
    CMainFrame* frame = GetMainFrame();
    return frame ? frame->GetAudioManager() : nullptr;
}

}  // namespace

BOOL CShellNoteHost::EditNoteText(CString& text, BOOL readOnly)
{
    return CNotesEditDlg(text, readOnly).DoModal() == IDOK;
}

// The modeless Notes window, without a parent, lives for the one check.
void CShellNoteHost::CheckNoteSpelling(CString& text)
{
    CNotesDlg window;
    window.SetText(text);
    if (!window.Create(CNotesDlg::IDD, nullptr))
        return;
    window.ShowWindow(SW_SHOWNORMAL);
    window.CheckSpelling();
    text = window.GetText();
    window.DestroyWindow();
}

CString CShellNoteHost::GetProgramFolder()
{
    return ::GetProgramFolder();
}

void CShellNoteHost::AttachSoundNote(CSoundOb* sound)
{
    if (CAudioManager* manager = FrameAudioManager())
        manager->SetSoundOb(sound);
}

void CShellNoteHost::DetachSoundNote(CSoundOb* sound)
{
    CAudioManager* manager = FrameAudioManager();
    if (!manager || manager->GetSoundOb() != sound)
        return;
    manager->SetSoundOb(nullptr);
    manager->SetControlsEnabled(FALSE);
}

// What the note objects get from the shell: the note text dialog, the program folder and the
// main frame's audio manager.
#pragma once

#include "objects/kinds/NoteHost.h"

class CShellNoteHost : public CNoteHost {
public:
    BOOL EditNoteText(CString& text, BOOL readOnly) override;
    void CheckNoteSpelling(CString& text) override;
    CString GetProgramFolder() override;
    void AttachSoundNote(CSoundOb* sound) override;
    void DetachSoundNote(CSoundOb* sound) override;
};

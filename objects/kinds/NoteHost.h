// What the note objects ask of the application above them: the note text dialog and the audio
// manager that drives the selected sound note. The shell installs its own; until then no
// dialog opens and sound notes stay unattached.
#pragma once

#include "platform/core/String.h"

class CSoundOb;

class CNoteHost {
public:
    virtual ~CNoteHost() = default;

    // Edits a note's text in place; FALSE when the user cancelled.
    virtual BOOL EditNoteText(CString& text, BOOL readOnly)
    {
        (void)text, (void)readOnly;
        return FALSE;
    }
    // Checks the spelling of a note's text in the Notes window and takes the corrected text.
    virtual void CheckNoteSpelling(CString& text) { (void)text; }
    // The folder of the program, where its helper programs lie.
    virtual CString GetProgramFolder() { return CString(); }
    // Attaches a sound note to the audio manager, which stops the one attached before.
    virtual void AttachSoundNote(CSoundOb* sound) { (void)sound; }
    // The sound note leaves the audio manager when it is the attached one.
    virtual void DetachSoundNote(CSoundOb* sound) { (void)sound; }
};

CNoteHost& GetNoteHost();
// Installs the shell's host (not owned); NULL puts the default back.
void SetNoteHost(CNoteHost* host);

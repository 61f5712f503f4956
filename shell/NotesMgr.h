// Finds the rich-text note that the outside editor reports as written back, among the
// objects of the open pages, and lets it read its file again. Handles no commands.
#pragma once

#include "platform/ui/CmdTarget.h"

class CHyperOb;

class CNotesMgr : public CCmdTarget {
    DECLARE_DYNCREATE(CNotesMgr)
public:
    // Reads a rich-text note's temporary file back into it; filled in by the note's kind.
    using NoteReader = void (*)(CHyperOb* note);
    static constexpr const char* NoteClassName = "CRTFOb";

    // `object` is the note's address as the outside editor sent it back; anything that is not
    // a live rich-text note of an open page is ignored.
    void RefreshNote(WPARAM object, LPARAM ignored);
    // The live object of an open page with this address, or NULL.
    static CHyperOb* FindOpenObject(WPARAM object);
    static void SetNoteReader(NoteReader reader);

    DECLARE_MESSAGE_MAP()
};

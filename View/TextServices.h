// What the in-place text editor and the text dialogs ask of the text services that live above
// the view layer: an auto-corrector for the words the user types, the spelling checker's
// dictionaries and options, and a spell-checking edit control. The shell installs its services
// at start-up; until then nothing is corrected and text dialogs check no spelling.
#pragma once

#include "platform/core/String.h"
#include "platform/ui/Edit.h"
#include "spell/Lexigard.h"

#include <memory>

class CHyperOb;
class CWnd;

class CAutoCorrector {
public:
    virtual ~CAutoCorrector() = default;
    // The word that a just typed delimiter finished.
    virtual void CorrectTypedWord(CWnd* edit) = 0;
    // The word that ends at the caret, with or without a delimiter after it.
    virtual void CorrectLastWord(CWnd* edit) = 0;
};

// An edit control that checks its own spelling with a checker it owns.
class CSpellingEdit : public CEdit {
public:
    virtual BOOL OpenDictionary(LPCTSTR mainFile, LPCTSTR customFile) = 0;
    // Checks the selection, or the whole text without one; TRUE when the check ran to its end.
    virtual BOOL CheckSpelling(BOOL showComplete) = 0;
    virtual BOOL GetAlwaysSuggest() const = 0;
    virtual void SetAlwaysSuggest(BOOL on) = 0;
    virtual BOOL GetIgnoreNumbers() const = 0;
    virtual void SetIgnoreNumbers(BOOL on) = 0;
    virtual BOOL GetIgnoreUppercase() const = 0;
    virtual void SetIgnoreUppercase(BOOL on) = 0;
};

class CTextServices {
public:
    virtual ~CTextServices() = default;
    // A corrector opened on the current replacement list with the user's switches.
    virtual std::unique_ptr<CAutoCorrector> CreateAutoCorrector() const { return nullptr; }
    // The spelling checker's main and custom dictionary files (they need not exist); empty for
    // none.
    virtual CString GetMainDictionary() const { return CString(); }
    virtual CString GetCustomDictionary() const { return CString(); }
    // Checks [start, end) of the in-place editor's text with its checker. TRUE when the check
    // completed; by default the first unknown word is selected and the check stops there.
    virtual BOOL RunSpellSession(CWnd* editor, LXHANDLE* checker, CHyperOb* object, int start, int end) const;

    // A spell-checking edit for text dialogs; NULL: their text is not checked.
    virtual std::unique_ptr<CSpellingEdit> CreateSpellingEdit() const { return nullptr; }
    // Opens the user's dictionaries in the edit; when they cannot be opened the user is told
    // which files and FALSE comes back.
    virtual BOOL OpenDictionaries(CSpellingEdit&) const { return FALSE; }
    // The user's spelling options: into the edit, and back from it into the settings.
    virtual void LoadSpellingOptions(CSpellingEdit&) const {}
    virtual void StoreSpellingOptions(const CSpellingEdit&) const {}
    // Whether a text dialog checks an edited text when it is confirmed.
    virtual BOOL GetCheckAfterEditing() const { return FALSE; }
};

// Tells the user, in the user's language, that the dictionaries could not be opened, naming
// both files.
void ReportDictionaryFailure(const CString& mainFile, const CString& customFile);

CTextServices& GetTextServices();
// Installs the services (not owned); NULL puts the defaults back.
void SetTextServices(CTextServices* services);

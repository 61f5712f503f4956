// What the in-place text editor asks of the text services that live above the view layer:
// an auto-corrector for the words the user types and the spelling checker's dictionaries.
// The shell installs its services at start-up; until then the editor corrects nothing and
// checks without a dictionary.
#pragma once

#include "platform/core/String.h"
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

class CTextServices {
public:
    virtual ~CTextServices() = default;
    // A corrector opened on the current replacement list with the user's switches.
    virtual std::unique_ptr<CAutoCorrector> CreateAutoCorrector() const { return nullptr; }
    // The spelling checker's main and custom dictionary files; empty for none.
    virtual CString GetMainDictionary() const { return CString(); }
    virtual CString GetCustomDictionary() const { return CString(); }
    // Checks [start, end) of the in-place editor's text with its checker. TRUE when the check
    // completed; by default the first unknown word is selected and the check stops there.
    virtual BOOL RunSpellSession(CWnd* editor, LXHANDLE* checker, CHyperOb* object, int start, int end) const;
};

CTextServices& GetTextServices();
// Installs the services (not owned); NULL puts the defaults back.
void SetTextServices(CTextServices* services);

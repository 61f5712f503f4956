// What the in-place text editor asks of the text services that live above the view layer:
// an auto-corrector for the words the user types and the spelling checker's dictionaries.
// The shell installs its services at start-up; until then the editor corrects nothing and
// checks without a dictionary.
#pragma once

#include "platform/core/String.h"

#include <memory>

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
};

CTextServices& GetTextServices();
// Installs the services (not owned); NULL puts the defaults back.
void SetTextServices(CTextServices* services);

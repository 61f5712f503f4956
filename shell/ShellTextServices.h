// The text services of the in-place editors: the auto-correction client on the current
// dictionary language's list with the user's switches, the spelling dictionaries, and the
// interactive spelling check of the in-place editor.
#pragma once

#include "View/TextServices.h"

class CShellTextServices : public CTextServices {
public:
    std::unique_ptr<CAutoCorrector> CreateAutoCorrector() const override;
    CString GetMainDictionary() const override;
    CString GetCustomDictionary() const override;
    BOOL RunSpellSession(CWnd* editor, LXHANDLE* checker, CHyperOb* object, int start, int end) const override;
    std::unique_ptr<CSpellingEdit> CreateSpellingEdit() const override;
    BOOL OpenDictionaries(CSpellingEdit& edit) const override;
    void LoadSpellingOptions(CSpellingEdit& edit) const override;
    void StoreSpellingOptions(const CSpellingEdit& edit) const override;
    BOOL GetCheckAfterEditing() const override;
};

// Opens the dictionaries of the settings in the edit; when they cannot be opened the user is
// told which files.
BOOL OpenUserDictionaries(CSpellingEdit& edit);
// The spelling options of the settings into the edit, and back.
void LoadUserSpellingOptions(CSpellingEdit& edit);
void StoreUserSpellingOptions(const CSpellingEdit& edit);

// Installs the services for the whole program.
void InstallTextServices();

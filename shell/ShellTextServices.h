// The text services of the in-place editors: the auto-correction client on the current
// dictionary language's list with the user's switches, and the spelling dictionaries.
#pragma once

#include "View/TextServices.h"

class CShellTextServices : public CTextServices {
public:
    std::unique_ptr<CAutoCorrector> CreateAutoCorrector() const override;
    CString GetMainDictionary() const override;
    CString GetCustomDictionary() const override;
};

// Installs the services for the whole program.
void InstallTextServices();

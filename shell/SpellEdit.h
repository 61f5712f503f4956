// A multi-line edit that checks its own spelling (F7) with a checker of the spelling library,
// and keeps the checker's three options.
#pragma once

#include "View/TextServices.h"
#include "spell/Lexigard.h"

class CSpellEdit : public CSpellingEdit {
public:
    static constexpr UINT kCompleteText = 145;

    CSpellEdit();
    ~CSpellEdit() override;
    CSpellEdit(const CSpellEdit&) = delete;
    CSpellEdit& operator=(const CSpellEdit&) = delete;

    BOOL OpenDictionary(LPCTSTR mainFile, LPCTSTR customFile) override;
    BOOL CheckSpelling(BOOL showComplete) override;

    BOOL GetAlwaysSuggest() const override { return m_bAlwaysSuggest; }
    void SetAlwaysSuggest(BOOL on) override { m_bAlwaysSuggest = on; }
    BOOL GetIgnoreNumbers() const override { return m_bIgnoreNumbers; }
    void SetIgnoreNumbers(BOOL on) override { m_bIgnoreNumbers = on; }
    BOOL GetIgnoreUppercase() const override { return m_bIgnoreUppercase; }
    void SetIgnoreUppercase(BOOL on) override { m_bIgnoreUppercase = on; }

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void OnKeyDown(UINT key, UINT repeat, UINT flags);

private:
    LXHANDLE m_hChecker = nullptr;
    BOOL m_bAlwaysSuggest = FALSE;
    BOOL m_bIgnoreNumbers = FALSE;
    BOOL m_bIgnoreUppercase = FALSE;

    DECLARE_MESSAGE_MAP()
};

// A multi-line edit that checks its own spelling (F7) with a checker of the spelling library,
// and keeps the checker's three options.
#pragma once

#include "platform/ui/Edit.h"
#include "spell/Lexigard.h"

class CSpellEdit : public CEdit {
public:
    static constexpr UINT kCompleteText = 145;

    CSpellEdit();
    ~CSpellEdit() override;
    CSpellEdit(const CSpellEdit&) = delete;
    CSpellEdit& operator=(const CSpellEdit&) = delete;

    BOOL OpenDictionary(LPCTSTR mainFile, LPCTSTR customFile);
    // Checks the selection, or the whole text without one; TRUE when the check ran to its end.
    BOOL CheckSpelling(BOOL showComplete);

    BOOL GetAlwaysSuggest() const { return m_bAlwaysSuggest; }
    void SetAlwaysSuggest(BOOL on) { m_bAlwaysSuggest = on; }
    BOOL GetIgnoreNumbers() const { return m_bIgnoreNumbers; }
    void SetIgnoreNumbers(BOOL on) { m_bIgnoreNumbers = on; }
    BOOL GetIgnoreUppercase() const { return m_bIgnoreUppercase; }
    void SetIgnoreUppercase(BOOL on) { m_bIgnoreUppercase = on; }

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void OnKeyDown(UINT key, UINT repeat, UINT flags);

private:
    BOOL CheckRange(int start, int end);

    LXHANDLE m_hChecker = nullptr;
    BOOL m_bAlwaysSuggest = FALSE;
    BOOL m_bIgnoreNumbers = FALSE;
    BOOL m_bIgnoreUppercase = FALSE;

    DECLARE_MESSAGE_MAP()
};

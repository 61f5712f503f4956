// The "Spell" dialog: shows each refused word of a text check with suggestions and applies
// the user's choice (ignore, ignore all, change, change all, add) through the walker.
#pragma once

#include "platform/ui/ComboBox.h"
#include "platform/ui/Dialog.h"

#include <string>

class CTextSpellWalker;

class CSpellDialog : public CDialog {
public:
    // The walker stands on the first refused word. OK: the check ran to its end.
    explicit CSpellDialog(CTextSpellWalker& walker);

    BOOL OnInitDialog() override;

protected:
    void OnIgnore();
    void OnIgnoreAll();
    void OnChange();
    void OnChangeAll();
    void OnAdd();
    void OnSuggest();
    void OnChangeToEdited();
    void OnOptions();

    DECLARE_MESSAGE_MAP()

private:
    void showWord();
    void listSuggestions(const std::string& word);
    void moveOn();
    std::string itemText(int id) const;
    // The "Change To" text; empty while it shows the no-suggestions entry.
    std::string replacementText() const;

    CTextSpellWalker& m_walker;
    CComboBox m_changeTo;
};

// "SpellOptions_Dynamic": the three process-wide options, stored back on OK.
class CSpellOptionsDialog : public CDialog {
public:
    CSpellOptionsDialog(CWnd* parent);

    BOOL OnInitDialog() override;
    void OnOK() override;
};

// The options dialog behind LX_OptionsDialog: the main dictionary by language, the custom
// dictionary file and the three options; the Internet kind can also fetch dictionaries.
#pragma once

#include "spell/CheckerState.h"
#include "spell/DictionaryCatalogue.h"

#include "platform/ui/ComboBox.h"
#include "platform/ui/Dialog.h"

#include <string>
#include <vector>

struct SpellerSettings {
    std::string mainFile; // bare file name inside the folder
    std::string customFile;
    CheckerOptions options;
};

class COptionsDialog : public CDialog {
public:
    static constexpr int kCustomFileLimit = 260;

    // `folder` ends in a separator.
    COptionsDialog(bool internet, std::string folder, SpellerSettings settings, std::string listAddress);

    BOOL OnInitDialog() override;
    // Takes the chosen language and the rest into the settings; stays open while no
    // language is chosen.
    void OnOK() override;
    const SpellerSettings& GetSettings() const { return m_settings; }

protected:
    void OnBrowse();
    void OnDownloadMore();

    DECLARE_MESSAGE_MAP()

private:
    std::string m_folder;
    SpellerSettings m_settings;
    std::string m_listAddress;
    std::vector<DictionaryFile> m_dictionaries;
    CComboBox m_languages;
};

// What the auto-correction library knows of one list file, and the corrections it makes.
#pragma once

#include "platform/sys/IniFile.h"

#include <string>

class CCorrectionList {
public:
    void Load(const std::string& nativePath);

    // Empty when the word stays as it is.
    std::string Replacement(const std::string& word) const;
    bool IsFirstLetterException(const std::string& text) const;

    bool correctTwoInitCaps = true;
    bool capitalizeSentence = true;
    bool correctCapsLock = true;

private:
    CIniFile m_file;
};

// The user's folders as the XDG base-directory and user-dirs conventions place them; native paths.
#pragma once

#include <string>

// $HOME, else the password database's home; empty when neither is known.
std::string HomeFolder();
// $variable when it is an absolute path, else home + "/" + fallback; with `sub` appended.
std::string XdgBaseFolder(const char* variable, const char* fallback, const char* sub);
// The folder `key` names in user-dirs.dirs of the config folder, else home + "/" + fallback.
std::string XdgUserFolder(const char* key, const char* fallback);

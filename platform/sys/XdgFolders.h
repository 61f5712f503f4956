// The user's folders as the XDG base-directory and user-dirs conventions place them; native paths.
#pragma once

#include <string>

// $HOME, else the password database's home; empty when neither is known.
std::string HomeFolder();
// $variable when it is an absolute path, else home + "/" + fallback; with `sub` appended.
std::string XdgBaseFolder(const char* variable, const char* fallback, const char* sub);
// The folder `key` names in user-dirs.dirs of the config folder, else home + "/" + fallback.
std::string XdgUserFolder(const char* key, const char* fallback);
// $XDG_RUNTIME_DIR when it is an absolute path, else "/tmp/runtime-<user>", made if missing;
// empty when that folder is not the user's own, closed to everyone else.
std::string RuntimeFolder();
// `folder` is a real folder (not a link) of this user that no one else may enter.
bool IsPrivateFolder(const std::string& folder);

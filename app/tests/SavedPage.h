// Reads a document file the program saved the way the program does: the frame record, then the
// page record through the editing view's own reader.
#pragma once

#include "View/MyView.h"

#include <string>

namespace e2e {

// False when the file can't be opened or its page broke off while loading.
bool ReadSavedPage(const std::string& path, CMyView& reader);

} // namespace e2e

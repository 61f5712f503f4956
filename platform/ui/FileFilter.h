// File-type filters: the "Name|*.a;*.b|...||" strings the program passes around, and the
// list a desktop file dialog shows for them.
#pragma once

#include "platform/core/Types.h"

#include <string>

class CWinApp;
class CDocTemplate;
class QString;

namespace FileFilter {

// "A|*.a|B|*.b||" to the zero-separated pairs the dialog record holds.
std::string Pairs(LPCTSTR filter);
// The pairs as the desktop dialog's list, "HTML Files (*.html *.htm);;All Files (*)". A name that
// already shows its patterns in parentheses shows them once, in the dialog's form.
QString Desktop(const char* pairs);
// The document types' filters ("Vantrel Q8 Files (*.trn)|*.trn|"), the given template's alone when
// there is one, then all files.
std::string ForTemplates(const CWinApp& app, const CDocTemplate* only);

} // namespace FileFilter

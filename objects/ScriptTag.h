// The Tag of page objects and the page: a free value for scripts with the text form of the
// last string assigned, which the records keep.
#pragma once

#include "platform/core/String.h"
#include "platform/ole/OleVariant.h"

// The tag, or its text as a string while no value was assigned.
VARIANT ReadScriptTag(const COleVariant& tag, const CString& text);
// A string also becomes the text. A reference is kept as the value it names, an array
// reference not at all, so the tag never points into the caller.
void WriteScriptTag(COleVariant& tag, CString& text, const VARIANT& value);

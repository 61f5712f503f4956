// User-interface texts of the catalogue pieces: a string resource holds the key that the
// language library translates.
#pragma once

#include "platform/core/String.h"

// The translated text of string resource `id`, or of `key` when the resource is missing.
CString CatalogueText(UINT id, LPCTSTR key);
// The translated text of a key.
CString CatalogueText(LPCTSTR key);

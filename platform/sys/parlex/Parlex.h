// The user-interface language library. Texts are looked up by their English key; the
// language file (UTF-8 lines "key=text") gives the translations, and a key in angle
// brackets ("<Save All>", "<Play\nPlay>") that the file lacks gets its English text, the
// key without the brackets. Strings going in and out are Windows-1252.
#pragma once

#include "platform/core/Types.h"

// Results of Parlex_Init.
constexpr int PARLEX_LOADED = 1;
constexpr int PARLEX_ENGLISH = 0; // no language file: English texts only
constexpr int PARLEX_REFUSED = -1; // the file cannot be read or is too large; English only
constexpr int PARLEX_LINES_SKIPPED = -2; // broken lines were skipped, the others are used

extern "C" {

// Starts (or starts again) with `languageFile`; `options` is empty.
int Parlex_Init(LPCSTR languageFile, LPCSTR options);
// Writes the keys asked for that the language file lacked, with their English text, to
// `lostAndFoundFile` (replacing it; nothing is written when none were missed), then ends.
// 1 when done, 0 without Init, -1 when the file cannot be written.
int Parlex_Deinit(LPCSTR lostAndFoundFile);
// The key's text into `buffer` (cut to size - 1 and terminated), returning its whole length
// so that a caller with a short buffer can ask again; 0 when there is no text for the key.
// `a` and `b` are 0.
int Parlex_GetText(LPSTR buffer, int size, LPCSTR key, int a, int b);

} // extern "C"

// Ink on the clipboard, in its stored form under the format "Vantrel Ink": copying puts copies
// of the strokes there, pasting adds copies to an ink with their top-left corner at a point.
#pragma once

#include "platform/ink/InkDisp.h"

#include <optional>

// FALSE when there are no strokes or the clipboard cannot be opened.
bool InkClipboardCopy(HWND owner, const InkStrokes& strokes);
bool InkCanPaste();
// The pasted strokes (none for an empty ink), or nothing when the clipboard holds no ink or
// ink that cannot be read; the ink is then left as it was.
std::optional<InkStrokes> InkClipboardPaste(HWND owner, InkDisp& ink, POINT topLeft);
// The same for a block of stored ink.
std::optional<InkStrokes> InkPasteBlock(const std::vector<BYTE>& block, InkDisp& ink, POINT topLeft);

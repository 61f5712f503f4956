// The bitmap editor as the Edit Bitmap dialog opens it.
#pragma once

#include "platform/gdi/GdiTypes.h"

class CDib;
class CWnd;

// Edits the picture in the bitmap editor; an empty picture starts with the size dialog. The
// transparent colour (0xFFFFFFFF for none) goes in and comes back. TRUE on OK.
BOOL RunBitmapEditor(CDib& picture, COLORREF& transparent, CWnd* parent);
// Edits an icon in the icon editor: the mask is black where the picture is opaque. Both come
// back edited on OK; FALSE when the editor can't take them or the user cancels.
BOOL RunIconEditor(CDib& image, CDib& mask, CWnd* parent);
// Makes Edit... of the Edit Bitmap dialog open the bitmap editor.
void InstallPaintEditors();

// Turns any picture file the decoders know into a device bitmap.
#pragma once

#include "platform/gdi/GdiTypes.h"

class CFile;

class CPictureLoader {
public:
    // Decodes the rest of the file; a bitmap compatible with the screen that the caller deletes,
    // or NULL when the file is no picture the decoders read.
    static HBITMAP LoadPicture(CFile* file);
    // Bits per pixel times planes of the screen.
    static int GetScreenColourDepth();
};

// libtiff client over a memory block. With sizeVariable the file is written ("w")
// and the variable receives the highest position reached; without it the block is
// read ("r"). Positions stay inside [0, capacity]; negative seeks are refused.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <tiffio.h>

// Receives libtiff's warnings for one handle: the module (may be null) and the message.
using PLTiffWarningFunction = void (*)(const char* module, const char* text);

// errorText, when given, collects libtiff's error messages for this handle.
TIFF* TIFFOpenMem(uint8_t* data, size_t capacity, size_t* sizeVariable, std::string* errorText = nullptr,
                  PLTiffWarningFunction warning = nullptr);

// The program's binary resources (bitmaps, icons, cursors, raw data, sounds), registered at
// start-up and found by number or by name. Low enough that the picture library reaches them.
#pragma once

#include "platform/core/Types.h"

#include <string>
#include <vector>

enum class ResourceKind { Bitmap, Icon, Cursor, Data, Wave };

// Bitmaps are whole bitmap files, icons and cursors whole .ico/.cur files, waves whole .wav files.
void RegisterBinaryResource(ResourceKind kind, UINT id, std::vector<BYTE> bytes);
const std::vector<BYTE>* FindBinaryResource(ResourceKind kind, UINT id);
// Resources named by text; names do not depend on case.
void RegisterBinaryResource(ResourceKind kind, const std::string& name, std::vector<BYTE> bytes);
const std::vector<BYTE>* FindBinaryResource(ResourceKind kind, const std::string& name);

// Playing short sounds and the multimedia clock. Sounds go to a player that the program
// may install; without one (no audio device, as on a build machine) nothing is heard and
// nothing fails.
#pragma once

#include "platform/ui/UiTypes.h"

#include <cstdint>
#include <functional>

constexpr DWORD SND_SYNC = 0x0, SND_ASYNC = 0x1, SND_NODEFAULT = 0x2, SND_MEMORY = 0x4, SND_PURGE = 0x40,
                SND_RESOURCE = 0x40004;

// What a player is asked to play: a resource id (MAKEINTRESOURCE) or a name.
struct SoundRequest {
    UINT resourceId = 0;
    const char* name = nullptr;
    DWORD flags = 0;
};
using SoundPlayer = std::function<bool(const SoundRequest&)>;

// Installs the player (an empty one plays nothing); returns the previous one.
SoundPlayer SetSoundPlayer(SoundPlayer player);

// TRUE when the sound was handed to a player; FALSE when none is there to play it.
BOOL PlaySound(LPCSTR sound, HMODULE module, DWORD flags);

// Milliseconds since an arbitrary start, wrapping at 2^32.
DWORD timeGetTime();

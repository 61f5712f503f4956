// Playing short sounds: files, wave resources and wave images in memory, at once or in the
// background, once or looped, on the default wave output. One sound plays at a time; a new one
// stops the one before, and PlaySound(nullptr, ...) stops it.
#pragma once

#include "platform/media/MmTimer.h"
#include "platform/ui/UiTypes.h"

#include <cstdint>
#include <functional>

constexpr DWORD SND_SYNC = 0x0, SND_ASYNC = 0x1, SND_NODEFAULT = 0x2, SND_MEMORY = 0x4, SND_LOOP = 0x8,
                SND_NOSTOP = 0x10, SND_PURGE = 0x40, SND_FILENAME = 0x20000, SND_RESOURCE = 0x40004;

// What a player is asked to play: a resource id (MAKEINTRESOURCE), or a name (a file, a
// resource name, or with SND_MEMORY the wave image itself). Neither means "stop".
struct SoundRequest {
    UINT resourceId = 0;
    const char* name = nullptr;
    DWORD flags = 0;
};
using SoundPlayer = std::function<bool(const SoundRequest&)>;

// Installs a player in place of the wave output (an empty one plays nothing); returns the
// previous one.
SoundPlayer SetSoundPlayer(SoundPlayer player);

// The built-in player: plays through waveOut on WAVE_MAPPER.
bool PlayWaveSound(const SoundRequest& request);

// TRUE when the sound plays (or played, for SND_SYNC); FALSE when it cannot be found, read or
// played.
BOOL PlaySound(LPCSTR sound, HMODULE module, DWORD flags);

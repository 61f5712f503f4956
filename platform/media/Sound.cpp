#include "platform/media/Sound.h"

#include <utility>

namespace {

SoundPlayer& Player()
{
    static SoundPlayer player = PlayWaveSound;
    return player;
}

}  // namespace

SoundPlayer SetSoundPlayer(SoundPlayer player) { return std::exchange(Player(), std::move(player)); }

BOOL PlaySound(LPCSTR sound, HMODULE, DWORD flags)
{
    if (!Player())
        return FALSE;
    SoundRequest request;
    request.flags = flags;
    if ((flags & SND_RESOURCE) == SND_RESOURCE && sound && IS_INTRESOURCE(sound))
        request.resourceId = UINT(reinterpret_cast<uintptr_t>(sound));
    else
        request.name = sound;
    return Player()(request) ? TRUE : FALSE;
}

#include "platform/media/Sound.h"

#include <chrono>
#include <utility>

namespace {

SoundPlayer& Player()
{
    static SoundPlayer player;
    return player;
}

}  // namespace

SoundPlayer SetSoundPlayer(SoundPlayer player) { return std::exchange(Player(), std::move(player)); }

BOOL PlaySound(LPCSTR sound, HMODULE, DWORD flags)
{
    if (!sound || !Player())
        return FALSE;
    SoundRequest request;
    request.flags = flags;
    if ((flags & SND_RESOURCE) == SND_RESOURCE && IS_INTRESOURCE(sound))
        request.resourceId = UINT(reinterpret_cast<uintptr_t>(sound));
    else
        request.name = sound;
    return Player()(request) ? TRUE : FALSE;
}

DWORD timeGetTime()
{
    using namespace std::chrono;
    return DWORD(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

// The Vantrel program: its resources and the one application object.
#include "imaging/paint/PaintEditors.h"
#include "res/ProgramResources.h"
#include "shell/VantrelApp.h"

#include "platform/media/MemoryWaveDevice.h"
#include "platform/media/Sound.h"
#include "platform/ui/TestScript.h"

#include <cmath>
#include <cstdlib>
#include <string>

namespace {

CVantrelApp theApp;

// End-to-end runs have no sound card: with VANTREL_TEST_SOUND set to a number of seconds, an
// in-memory one hears a 440 Hz tone for that long and keeps what is played.
void UseTestSoundCard()
{
    const char* seconds = std::getenv("VANTREL_TEST_SOUND");
    if (!seconds)
        return;
    auto card = std::make_shared<MemoryWaveDevice>();
    std::vector<BYTE> tone;
    const int frames = 22050 * std::max(std::atoi(seconds), 1);
    for (int i = 0; i < frames; ++i) {
        auto sample = static_cast<short>(12000 * std::sin(2 * M_PI * 440 * i / 22050.0));
        for (int channel = 0; channel < 2; ++channel)
            tone.insert(tone.end(), {static_cast<BYTE>(sample), static_cast<BYTE>(sample >> 8)});
    }
    card->Feed(tone);
    SetWaveDeviceProvider(card);
    // Every sound the program plays is noted in the script's log, then played on the card.
    SetSoundPlayer([](const SoundRequest& request) {
        const bool played = PlayWaveSound(request);
        const bool memory = (request.flags & SND_MEMORY) == SND_MEMORY;
        const std::string name = memory ? "(memory)" : request.name ? request.name : std::to_string(request.resourceId);
        UiTestScript::NoteEvent("sound: " + name + (played ? " played" : " failed"));
        return played;
    });
}

} // namespace

int main(int argc, char** argv)
{
    RegisterProgramResources();
    InstallPaintEditors();
    UseTestSoundCard();
    return AfxWinMain(argc, argv);
}

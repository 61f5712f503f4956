#include "objects/NoteSound.h"

namespace {
NoteSoundMaker g_maker = nullptr;
}

std::unique_ptr<CNoteSound> MakeNoteSound(CWave& wave)
{
    return g_maker ? g_maker(wave) : std::make_unique<CNoteSound>();
}

void SetNoteSoundMaker(NoteSoundMaker maker)
{
    g_maker = maker;
}

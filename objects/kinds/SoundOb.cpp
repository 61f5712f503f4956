#include "objects/kinds/SoundOb.h"

#include "objects/kinds/NoteHost.h"

IMPLEMENT_SERIAL(CSoundOb, CStickyOb, 0)

// The audio manager must never keep a note that is gone.
CSoundOb::~CSoundOb()
{
    GetNoteHost().DetachSoundNote(this);
}

void CSoundOb::Serialize(CArchive& archive)
{
    CStickyOb::Serialize(archive);
    GetWave().Serialize(archive);
}

void CSoundOb::CopyFrom(const CHyperBaseOb* other)
{
    CStickyOb::CopyFrom(other);
    if (auto* sound = dynamic_cast<const CSoundOb*>(other))
        CopyWave(sound->GetWave());
}

BOOL CSoundOb::OnInsert()
{
    LoadIcon(IconId);
    AttachToAudioManager();
    return TRUE;
}

BOOL CSoundOb::Open()
{
    AttachToAudioManager();
    if (HasWave())
        GetSound().Play(0);
    return TRUE;
}

void CSoundOb::Select(BOOL primary)
{
    CStickyOb::Select(primary);
    AttachToAudioManager();
}

void CSoundOb::Deselect(BOOL redraw)
{
    CStickyOb::Deselect(redraw);
    GetNoteHost().DetachSoundNote(this);
}

void CSoundOb::AttachToAudioManager()
{
    GetNoteHost().AttachSoundNote(this);
}

CNoteSound& CSoundOb::GetSound()
{
    if (!m_sound)
        m_sound = MakeNoteSound(m_wave);
    return *m_sound;
}

void CSoundOb::CopyWave(const CWave& source)
{
    if (source.GetFrameCount())
        m_wave = source;
    else
        m_wave.TakeFormatBlock(source.GetFormatBlock());
}

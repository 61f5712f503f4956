// The note of the Sound Note tool: a note icon holding a recorded sound, which it stores with the
// page. The audio manager drives the note that is attached to it through the note's sound.
#pragma once

#include "objects/NoteSound.h"
#include "objects/Wave.h"
#include "objects/kinds/StickyOb.h"

#include <memory>

class CSoundOb : public CStickyOb {
    DECLARE_SERIAL(CSoundOb)
public:
    static constexpr UINT TypeNameId = 34060;
    static constexpr UINT IconId = 377;

    CSoundOb() = default;
    ~CSoundOb() override;

    void Serialize(CArchive& archive) override;
    void CopyFrom(const CHyperBaseOb* other) override;
    CString GetTypeName() const override { return LoadTypeName(TypeNameId); }
    BOOL OnInsert() override;
    BOOL Open() override;
    void Select(BOOL primary) override;
    void Deselect(BOOL redraw) override;

    void AttachToAudioManager();

    // Its recorder and player, made by the audio layer when first asked for.
    CNoteSound& GetSound();
    int GetLength() const { return int(m_wave.GetFrameCount()); }
    BOOL HasWave() const { return m_wave.HoldsSamples(); }
    // A sound with frames is taken whole; an empty one gives only its format.
    void CopyWave(const CWave& source);
    const CWave& GetWave() const { return m_wave; }
    CWave& GetWave() { return m_wave; }

private:
    CWave m_wave;
    // Declared after the wave it works on, so it ends first.
    std::unique_ptr<CNoteSound> m_sound;
};

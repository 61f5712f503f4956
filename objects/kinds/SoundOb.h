// The note of the Sound Note tool: a note icon holding a recorded sound, with its own
// recorder, player and device. The audio manager drives the note that is attached to it.
#pragma once

#include "objects/kinds/StickyOb.h"
#include "shell/audio/SoundNoteAudio.h"

class CSoundOb : public CStickyOb, public CSoundNoteAudio {
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
};

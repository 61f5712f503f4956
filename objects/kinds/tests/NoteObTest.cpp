// The sticky and sound notes: their records after the picture's, copying, a sound record whose
// sizes disagree with its data, and the sound the audio layer makes for a note.
#include "objects/NoteSound.h"
#include "objects/kinds/NoteHost.h"
#include "objects/kinds/SoundOb.h"
#include "objects/kinds/StickyOb.h"
#include "objects/kinds/tests/KindTestKit.h"

#include "platform/ui/Resources.h"
#include "platform/ui/tests/BmpBytes.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

namespace {

Bytes StringRecord(const char* text)
{
    Bytes bytes{BYTE(std::strlen(text))};
    bytes.insert(bytes.end(), text, text + std::strlen(text));
    return bytes;
}

Bytes WaveRecord(const CWave& wave)
{
    WaveFormatBlock block = wave.GetFormatBlock();
    Bytes bytes(block.begin(), block.end());
    for (DWORD v : {wave.GetFrameCount(), DWORD(wave.GetBlockAlign())})
        for (int i = 0; i < 4; ++i)
            bytes.push_back(BYTE(v >> (8 * i)));
    bytes.insert(bytes.end(), wave.GetData(), wave.GetData() + wave.GetDataSize());
    return bytes;
}

CWave MonoSound(std::initializer_list<short> samples)
{
    CWave wave;
    wave.SetFormat(1, 8000, 16);
    std::vector<short> data(samples);
    wave.SetSamples(reinterpret_cast<BYTE*>(data.data()), DWORD(data.size()), TRUE);
    return wave;
}

TEST(StickyOb, TheNoteTextFollowsThePictureRecordAndReadsBack)
{
    CStickyOb note;
    note.SetNoteText("first line\r\nsecond 100%");
    CBitmapOb plain;
    Bytes bytes = StoreBytes([&](CArchive& ar) { note.Serialize(ar); });
    EXPECT_EQ(bytes, Concat({StoreBytes([&](CArchive& ar) { plain.Serialize(ar); }),
                             StringRecord("first line\r\nsecond 100%")}));
    CStickyOb back;
    EXPECT_EQ(LoadBytes(bytes, [&](CArchive& ar) { back.Serialize(ar); }), bytes.size());
    EXPECT_EQ(back.GetNoteText(), note.GetNoteText());
    ExpectCutRecordsFail(note, {1, 5});
}

TEST(StickyOb, InsertingShowsTheIconWhenTheDialogIsCancelled)
{
    RegisterBinaryResource(ResourceKind::Bitmap, CStickyOb::IconId, SolidBmp(16, 14, RGB(255, 255, 0)));
    CStickyOb note;
    note.ApplyDefaults();
    CRect rect;
    note.GetRect(&rect, nullptr);
    EXPECT_EQ(rect.Size(), CSize(16, 14));
    EXPECT_TRUE(note.OnInsert());
    EXPECT_TRUE(note.GetNoteText().IsEmpty());
    EXPECT_EQ(note.GetPicture().m_colour, COLORREF(128));
    EXPECT_EQ(note.GetPicture().m_name, CString("*771"));
}

TEST(StickyOb, ACopyKeepsTheText)
{
    CStickyOb note, copy;
    note.SetNoteText("keep me");
    copy.CopyFrom(&note);
    EXPECT_EQ(copy.GetNoteText(), CString("keep me"));
}

TEST(SoundOb, TheSoundFollowsTheNoteRecordAndReadsBack)
{
    CSoundOb note;
    note.SetNoteText("hi");
    note.GetWave() = MonoSound({1, -2, 300});
    CStickyOb sticky;
    sticky.SetNoteText("hi");
    Bytes bytes = StoreBytes([&](CArchive& ar) { note.Serialize(ar); });
    EXPECT_EQ(bytes, Concat({StoreBytes([&](CArchive& ar) { sticky.Serialize(ar); }), WaveRecord(note.GetWave())}));
    CSoundOb back;
    EXPECT_EQ(LoadBytes(bytes, [&](CArchive& ar) { back.Serialize(ar); }), bytes.size());
    ASSERT_EQ(back.GetLength(), 3);
    EXPECT_EQ(std::memcmp(back.GetWave().GetData(), note.GetWave().GetData(), 6), 0);
    ExpectCutRecordsFail(note, {1, 6, 2070});
}

TEST(SoundOb, ARecordWhoseSizesDisagreeIsRefusedAndTheSoundStays)
{
    CSoundOb stored;
    stored.GetWave() = MonoSound({5, 6});
    Bytes bytes = StoreBytes([&](CArchive& ar) { stored.Serialize(ar); });
    bytes[bytes.size() - 4 - 4] = 4;  // four bytes a frame for a two-byte format, and too few bytes

    CSoundOb loaded;
    loaded.GetWave() = MonoSound({7});
    bool refused = false;
    try {
        LoadBytes(bytes, [&](CArchive& ar) { loaded.Serialize(ar); });
    } catch (CException* e) {
        refused = true;
        e->Delete();
    }
    EXPECT_TRUE(refused);
    ASSERT_EQ(loaded.GetLength(), 1);
    EXPECT_EQ(reinterpret_cast<const short*>(loaded.GetWave().GetData())[0], 7);
}

TEST(SoundOb, CopiesTakeTheSoundOrOnlyTheFormatOfAnEmptyOne)
{
    CSoundOb full, empty, copy;
    full.GetWave() = MonoSound({1, 2});
    copy.CopyFrom(&full);
    EXPECT_EQ(copy.GetLength(), 2);
    empty.GetWave().SetFormat(1, 44100, 16);
    copy.CopyFrom(&empty);
    EXPECT_EQ(copy.GetLength(), 2);
    EXPECT_EQ(copy.GetWave().GetFormat().nSamplesPerSec, 44100u);
}

// A host that records which notes are attached.
struct AttachLog : CNoteHost {
    std::vector<CSoundOb*> attached, detached;
    void AttachSoundNote(CSoundOb* sound) override { attached.push_back(sound); }
    void DetachSoundNote(CSoundOb* sound) override { detached.push_back(sound); }
};

TEST(SoundOb, InsertingSelectingAndDeletingTellTheAudioManager)
{
    RegisterBinaryResource(ResourceKind::Bitmap, CSoundOb::IconId, SolidBmp(16, 14, RGB(0, 0, 255)));
    AttachLog log;
    SetNoteHost(&log);
    {
        CSoundOb note;
        EXPECT_TRUE(note.OnInsert());
        EXPECT_TRUE(note.Open());
        note.Deselect(FALSE);
        EXPECT_EQ(log.attached, (std::vector<CSoundOb*>{&note, &note}));
        EXPECT_EQ(log.detached, (std::vector<CSoundOb*>{&note}));
        EXPECT_EQ(note.GetPicture().m_name, CString("*377"));
        EXPECT_FALSE(note.GetSound().IsPlaying()) << "a note without samples plays nothing";
    }
    EXPECT_EQ(log.detached.size(), 2u) << "a deleted note leaves the audio manager";
    SetNoteHost(nullptr);
}

// The audio layer's stand-in: the wave it was made on and the frames it was asked to play from.
struct PlayLog : CNoteSound {
    static inline std::vector<const CWave*> madeOn;
    static inline std::vector<int> starts;
    static std::unique_ptr<CNoteSound> Make(CWave& wave)
    {
        madeOn.push_back(&wave);
        return std::make_unique<PlayLog>();
    }
    void Play(int startFrame) override { starts.push_back(startFrame); }
};

TEST(SoundOb, TheInstalledMakerGivesEachNoteOneSoundOnItsOwnWave)
{
    SetNoteSoundMaker(&PlayLog::Make);
    {
        CSoundOb silent, recorded;
        recorded.GetWave() = MonoSound({1, 2});
        EXPECT_TRUE(silent.Open());
        EXPECT_TRUE(recorded.Open());
        EXPECT_TRUE(recorded.Open());
        EXPECT_EQ(PlayLog::madeOn, (std::vector<const CWave*>{&recorded.GetWave()}));
        EXPECT_EQ(PlayLog::starts, (std::vector<int>{0, 0})) << "opening plays a note with samples from its start";
    }
    SetNoteSoundMaker(nullptr);
    CSoundOb unplugged;
    unplugged.GetWave() = MonoSound({1, 2});
    unplugged.GetSound().Play(0);
    unplugged.GetSound().Record(MakePcmFormatBlock(1, 8000, 16));
    EXPECT_FALSE(unplugged.GetSound().IsPlaying() || unplugged.GetSound().IsRecording());
    EXPECT_EQ(unplugged.GetLength(), 2) << "without the audio layer the sound stays as it was";
    EXPECT_EQ(PlayLog::madeOn.size(), 1u);
}

}  // namespace

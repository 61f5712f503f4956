#include "ArchiveBytes.h"
#include "PageTestKit.h"

#include "objects/GroupInfo.h"
#include "objects/HyperTracker.h"

#include <gtest/gtest.h>


namespace {

Bytes ValueBytes(CObValue value)
{
    return StoreBytes([&](CArchive& archive) { value.Serialize(archive); });
}

Bytes Record(const CHyperOb& object)
{
    return StoreBytes([&](CArchive& archive) { const_cast<CHyperOb&>(object).Serialize(archive); });
}

// A named object at (-5, 10, 40, 60) with a tool tip, an URL, layer 3 and tag text.
void Fill(CTestBoxOb& object)
{
    object.Init(nullptr, CRect(-5, 10, 40, 60), FALSE);
    object.Code = "Box1";
    object.SetToolTipText("tip");
    object.SetURL("u");
    object.CreationDate = "d";
    object.HelpContextID = 0x0102;
    object.LayerID = 3;
    object.SetTagText("t");
}

Bytes Tail(const CTestBoxOb& object)
{
    return Concat(
        { ValueBytes(object.Enable), ValueBytes(object.Visible), ValueBytes(object.InitializeEvent) });
}

TEST(ObjectRecord, TheCurrentLayoutByteForByte)
{
    CTestBoxOb object;
    Fill(object);
    Bytes expected = Concat({
        Dword(0xBACDCD08),
        ShortString("Box1"),
        Word(0xFFFB),
        Word(10),
        Word(40),
        Word(60),
        ValueBytes(object.PumpDataEvent),
        ValueBytes(object.ClickEvent),
        Dword(0),
        ShortString("tip"),
        ShortString("#ZUQA1#"),
        ShortString(""),
        ShortString("d"),
        ShortString(""),
        Dword(0),
        Dword(0),
        ShortString("u"),
        Dword(0x0102),
        Tail(object),
        Word(0xFFFF),
        { 0 },
        Word(3),
        Double(0.0),
        { 0 },
        ShortString("t"),
        { 0, 0 },
    });
    EXPECT_EQ(Record(object), expected);
}

TEST(ObjectRecord, ATurnedObjectStoresItsFrameAndReadsItBack)
{
    CTestBoxOb object;
    Fill(object);
    object.SetRotateAngle(-20.0);
    object.SetFrameRect(CRect(-5, 12, 38, 58));
    Bytes bytes = Record(object);
    Bytes frame = Concat({ Double(-20.0), Word(0xFFFB), Word(12), Word(38), Word(58), { 0 } });
    EXPECT_NE(std::search(bytes.begin(), bytes.end(), frame.begin(), frame.end()), bytes.end());

    CTestBoxOb loaded;
    LoadBytes(bytes, [&](CArchive& archive) { loaded.Serialize(archive); });
    EXPECT_EQ(loaded.Code, "Box1");
    EXPECT_EQ(loaded.GetTracker()->m_rect, CRect(-5, 10, 40, 60));
    EXPECT_EQ(loaded.GetTracker()->m_rotationRect, CRect(-5, 12, 38, 58));
    EXPECT_DOUBLE_EQ(loaded.GetRotateAngle(), -20.0);
    EXPECT_EQ(loaded.LayerID, 3);
    EXPECT_EQ(loaded.GetTagText(), "t");
    EXPECT_EQ(loaded.GetURL(), "u");
    EXPECT_EQ(loaded.HelpContextID, 0x0102);
}

TEST(ObjectRecord, NegativeZeroWritesNoFrame)
{
    CTestBoxOb a, b;
    Fill(a);
    Fill(b);
    b.SetRotateAngle(-0.0);
    EXPECT_EQ(Record(a).size(), Record(b).size());
}

TEST(ObjectRecord, AGroupRecordTravelsWithItsHolder)
{
    CTestBoxOb object;
    Fill(object);
    object.GroupID = 4;
    auto* group = new CGroupInfo;
    group->GroupID = 4;
    group->m_rect.SetRect(1, 2, 3, 4);
    group->Code = "G";
    object.SetOwnGroupInfo(group);
    CTestBoxOb loaded;
    auto* stale = new CGroupInfo;
    loaded.SetOwnGroupInfo(stale);
    LoadBytes(Record(object), [&](CArchive& archive) { loaded.Serialize(archive); });
    ASSERT_NE(loaded.GetOwnGroupInfo(), nullptr);
    EXPECT_EQ(loaded.GroupID, 4);
    EXPECT_EQ(loaded.GetOwnGroupInfo()->Code, "G");
    EXPECT_EQ(loaded.GetOwnGroupInfo()->m_rect, CRect(1, 2, 3, 4));
}

TEST(ObjectRecord, AnUntaggedRecordIsJustTheRectangle)
{
    CTestBoxOb loaded;
    loaded.Code = "Kept";
    Bytes bytes = Concat({ Word(0xFFFB), Word(2), Word(30), Word(40) });
    EXPECT_EQ(LoadBytes(bytes, [&](CArchive& archive) { loaded.Serialize(archive); }), bytes.size());
    EXPECT_EQ(loaded.Code, "Kept");
    EXPECT_EQ(loaded.GetTracker()->m_rect, CRect(-5, 2, 30, 40));
    EXPECT_EQ(loaded.GetTracker()->m_rotationRect, CRect(-5, 2, 30, 40));
}

TEST(ObjectRecord, AVersionTwoRecordKeepsTheConstructorsAlarmFields)
{
    CTestBoxOb source;
    Bytes bytes = Concat({ Dword(0xBACDCD02), ShortString("Old"), Word(1), Word(2), Word(3), Word(4),
        ValueBytes(source.PumpDataEvent) });
    CTestBoxOb loaded;
    CString created = loaded.CreationDate.Text();
    EXPECT_EQ(LoadBytes(bytes, [&](CArchive& archive) { loaded.Serialize(archive); }), bytes.size());
    EXPECT_EQ(loaded.Code, "Old");
    EXPECT_EQ(loaded.CreationDate.Text(), created);
    EXPECT_TRUE(loaded.GetAlarmTime().IsEmpty());
    EXPECT_EQ(loaded.AlarmActive, 0);
}

TEST(ObjectRecord, AVersionThreeRecordWithoutMarkerReadsItsUrl)
{
    CTestBoxOb source;
    Bytes bytes = Concat({ Dword(0xBACDCD03), ShortString("Old"), Word(1), Word(2), Word(3), Word(4),
        ValueBytes(source.PumpDataEvent), ValueBytes(source.ClickEvent), Dword(27913), ShortString("tip"),
        ShortString("http://x"), Dword(5), ValueBytes(source.Enable), ValueBytes(source.Visible) });
    CTestBoxOb loaded;
    EXPECT_EQ(LoadBytes(bytes, [&](CArchive& archive) { loaded.Serialize(archive); }), bytes.size());
    EXPECT_EQ(loaded.GetURL(), "http://x");
    EXPECT_EQ(loaded.CursorPointer, 27913);
    EXPECT_EQ(loaded.HelpContextID, 5);
}

TEST(ObjectRecord, EveryTruncationFailsWithTheArchiveError)
{
    CTestBoxOb object;
    Fill(object);
    object.SetRotateAngle(30.0);
    Bytes bytes = Record(object);
    for (size_t length = 4; length < bytes.size(); ++length) {
        Bytes cut(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(length));
        CTestBoxOb loaded;
        EXPECT_TRUE(LoadThrowsArchiveException(cut, [&](CArchive& archive) { loaded.Serialize(archive); }))
            << length;
    }
}

TEST(ObjectRecord, ANonFiniteStoredAngleReadsAsUnturned)
{
    CTestBoxOb object;
    Fill(object);
    Bytes bytes = Record(object);
    // The angle is followed by the reserved count, the tag text "t" and two reserved bytes.
    auto at = bytes.end() - 13;
    ASSERT_EQ(Bytes(at, at + 8), Double(0.0));
    Bytes nan = Double(std::numeric_limits<double>::quiet_NaN());
    std::copy(nan.begin(), nan.end(), at);
    bytes.insert(at + 8, { 0, 0, 0, 0, 0, 0, 0, 0 });
    CTestBoxOb loaded;
    LoadBytes(bytes, [&](CArchive& archive) { loaded.Serialize(archive); });
    EXPECT_EQ(loaded.GetRotateAngle(), 0.0);
}

} // namespace

#include "objects/ObValue.h"
#include "objects/tests/ArchiveBytes.h"
#include "platform/core/StringTable.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <functional>

namespace {

class ObValueTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterStringResource(26625, "<(None)>");
        RegisterStringResource(27424, "0 - <Default>");
    }

    static CObValue Loaded(const Bytes& bytes, size_t* consumed = nullptr)
    {
        CObValue value;
        size_t used = LoadBytes(bytes, [&](CArchive& ar) { value.Serialize(ar); });
        if (consumed)
            *consumed = used;
        return value;
    }
};

const Bytes Tag2 = {0x02, 0xCD, 0xCD, 0xBA};
const Bytes Sentinel = {0xA5, 0xA5, 0xA5, 0xA5};
const Bytes Padding = {0x00, 0x00};

TEST_F(ObValueTest, StoresTheVersionTwoRecord)
{
    CObValue literal;
    literal.Set(CObValue::KindLiteral, "1");
    CObValue script;
    script.Set(CObValue::KindScript, "x=1");
    script.SetExtras("", "*");

    EXPECT_EQ(StoreBytes([&](CArchive& ar) { literal.Serialize(ar); }),
              Concat({Tag2, Dword(0), ShortString("1"), Dword(0), Padding, Sentinel}));
    EXPECT_EQ(StoreBytes([&](CArchive& ar) { script.Serialize(ar); }),
              Concat({Tag2, Dword(0xFFFFFFFF), ShortString("x=1"), Dword(1), ShortString(""), ShortString("*"),
                      Padding, Sentinel}));
}

TEST_F(ObValueTest, ReadsEveryLayout)
{
    struct Case {
        const char* name;
        Bytes bytes;
        DWORD kind;
        const char* text;
        BOOL hasExtras;
        const char* extra2;
    };
    const Bytes trailer = Dword(0x12345678);
    const Case cases[] = {
        {"version 2", Concat({Tag2, Dword(0), ShortString("7"), Dword(1), ShortString("a"), ShortString("b"), Padding,
                              Sentinel, trailer}),
         0, "7", TRUE, "b"},
        {"version 2, bytes before the sentinel",
         Concat({Tag2, Dword(0), ShortString("7"), Dword(0), {1, 2, 3, 4, 5, 6}, Sentinel, trailer}), 0, "7",
         FALSE, ""},
        {"version 1", Concat({{0x01, 0xCD, 0xCD, 0xBA}, Dword(0), ShortString("7"), Dword(0), {9, 9}, trailer}), 0,
         "7", FALSE, ""},
        {"version 0", Concat({{0x00, 0xCD, 0xCD, 0xBA}, Dword(0xFFFE6B20), ShortString("q"), Dword(1),
                              ShortString(""), ShortString("*"), trailer}),
         0xFFFE6B20, "q", TRUE, "*"},
        {"no tag", Concat({Dword(0), ShortString("7"), trailer}), 0, "7", FALSE, ""},
    };
    for (const Case& c : cases) {
        size_t consumed = 0;
        CObValue value = Loaded(c.bytes, &consumed);
        EXPECT_EQ(value.GetKind(), c.kind) << c.name;
        EXPECT_STREQ(value.GetRawText(), c.text) << c.name;
        EXPECT_EQ(value.HasExtras(), c.hasExtras) << c.name;
        EXPECT_STREQ(value.GetExtra2(), c.extra2) << c.name;
        EXPECT_EQ(consumed, c.bytes.size() - trailer.size()) << c.name;
    }
}

TEST_F(ObValueTest, SentinelInsideSkippedBytesEndsTheRecord)
{
    Bytes bytes = Concat({Tag2, Dword(0), ShortString("7"), Dword(0), {1}, Sentinel, {0xA5, 0xA5}, Sentinel});
    size_t consumed = 0;
    Loaded(bytes, &consumed);
    EXPECT_EQ(consumed, bytes.size() - 6);
}

TEST_F(ObValueTest, ScriptKindSurvivesSaveAndLoad)
{
    CObValue script;
    script.Set(CObValue::KindScript, "Sub Click()\r\nEnd Sub");
    Bytes bytes = StoreBytes([&](CArchive& ar) { script.Serialize(ar); });
    CObValue loaded = Loaded(bytes);
    EXPECT_EQ(loaded.GetKind(), CObValue::KindScript);
    EXPECT_STREQ(loaded.GetRawText(), "Sub Click()\r\nEnd Sub");
    EXPECT_TRUE(loaded.IsEqual(script));
}

TEST_F(ObValueTest, LoadedAndCopiedLiteralsFollowTheirText)
{
    // Visible and Enable start as "1"; a stored "0" must come back as 0, not stay 1.
    CObValue hidden;
    hidden.Set(CObValue::KindLiteral, "0");
    Bytes bytes = StoreBytes([&](CArchive& ar) { hidden.Serialize(ar); });

    CObValue visible;
    visible.Set(CObValue::KindLiteral, "1");
    LoadBytes(bytes, [&](CArchive& ar) { visible.Serialize(ar); });
    EXPECT_EQ(visible.GetLong(), 0);
    EXPECT_EQ(visible.GetDouble(), 0.0);

    CObValue enabled;
    enabled.Set(CObValue::KindLiteral, "1");
    CObValue disabled;
    disabled.Set(CObValue::KindLiteral, "0");
    enabled.Copy(disabled);
    EXPECT_EQ(enabled.GetLong(), 0);
    CObValue assigned(disabled);
    EXPECT_EQ(assigned.GetLong(), 0);
}

TEST_F(ObValueTest, SetDerivesNumbersFromTheLiteral)
{
    struct Case {
        DWORD kind;
        const char* text;
        const char* stored;
        double number;
        LONG integer;
        const char* shown;
    };
    const Case cases[] = {
        {CObValue::KindLiteral, "12.5abc", "12.5abc", 12.5, 12, "12.5abc"},
        {CObValue::KindLiteral, "abc", "abc", 0.0, 0, "abc"},
        {CObValue::KindLiteral, nullptr, "0.0", 0.0, 0, "0.0"},
        {CObValue::KindLiteral, " -3.75", " -3.75", -3.75, -3, " -3.75"},
        {CObValue::KindLiteral, "99999999999", "99999999999", 99999999999.0, INT32_MAX, "99999999999"},
        {CObValue::KindLiteral, "+.5e1x", "+.5e1x", 5.0, 0, "+.5e1x"},
        {CObValue::KindLiteral, "0x10", "0x10", 0.0, 0, "0x10"},
        {CObValue::KindLiteral, "nan", "nan", 0.0, 0, "nan"},
        {CObValue::KindLiteral, "-inf", "-inf", 0.0, 0, "-inf"},
        {CObValue::KindLiteral, "1e999", "1e999", DBL_MAX, 1, "1e999"},
        {CObValue::KindScript, "5", "5", 0.0, 0, ""},
    };
    for (const Case& c : cases) {
        CObValue value;
        value.Set(c.kind, c.text);
        EXPECT_STREQ(value.GetRawText(), c.stored);
        EXPECT_EQ(value.GetDouble(), c.number) << c.stored;
        EXPECT_EQ(value.GetLong(), c.integer) << c.stored;
        EXPECT_STREQ(value.GetText(), c.shown) << c.stored;
    }
}

TEST_F(ObValueTest, EmptinessAndDisplayText)
{
    struct Case {
        const char* name;
        DWORD kind;
        const char* text;
        BOOL empty;
        const char* shown;
    };
    const Case cases[] = {
        {"new literal", CObValue::KindLiteral, nullptr, TRUE, "0.0"},
        {"none", CObValue::KindNone, "1", TRUE, "<(None)>"},
        {"choice", CObValue::Choice(27424), "", FALSE, "0 - <Default>"},
        {"choice without a string", CObValue::Choice(27000), "", FALSE, "<(None)>"},
        {"blank script", CObValue::KindScript, " \t' first\r\n\r\n'second", TRUE, "<(None)>"},
        {"script", CObValue::KindScript, "x = 1 ' set", FALSE, "x = 1 ' set"},
        {"empty literal", CObValue::KindLiteral, "", TRUE, "<(None)>"},
        {"unknown kind", 0x12345678, "t", TRUE, "<(None)>"},
    };
    for (const Case& c : cases) {
        CObValue value;
        value.Set(c.kind, c.text);
        EXPECT_EQ(value.IsEmpty(), c.empty) << c.name;
        EXPECT_STREQ(value.GetDisplayText(), c.shown) << c.name;
    }
    CObValue reset;
    reset.Reset();
    EXPECT_STREQ(reset.GetDisplayText(), "<(None)>");
}

TEST_F(ObValueTest, EqualityComparesKindTextsAndExtras)
{
    auto make = [](DWORD kind, const char* text, const char* extra2) {
        CObValue value;
        value.Set(kind, text);
        if (extra2)
            value.SetExtras("", extra2);
        return value;
    };
    const CObValue base = make(0, "1", nullptr);
    struct Case {
        const char* name;
        CObValue other;
        BOOL equal;
    };
    const Case cases[] = {
        {"same", make(0, "1", nullptr), TRUE},
        {"other kind", make(CObValue::KindScript, "1", nullptr), FALSE},
        {"same number, other text", make(0, "1.0", nullptr), FALSE},
        {"case of text", make(0, "a", nullptr), FALSE},
        {"extras", make(0, "1", "*"), FALSE},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(base.IsEqual(c.other), c.equal) << c.name;
        EXPECT_EQ(base.IsDifferent(c.other), !c.equal) << c.name;
    }
    EXPECT_FALSE(make(0, "a", nullptr).IsEqual(make(0, "A", nullptr)));
}

// Values share their contents until one changes; no change may show in another value.
TEST_F(ObValueTest, AChangedValueLeavesItsCopiesAndOtherValuesAlone)
{
    const Bytes script = StoreBytes([](CArchive& ar) {
        CObValue stored;
        stored.Set(CObValue::KindScript, "x=1");
        stored.Serialize(ar);
    });
    struct Case {
        const char* name;
        std::function<void(CObValue&)> change;
    };
    const Case cases[] = {
        {"set", [](CObValue& v) { v.Set(CObValue::KindLiteral, "7"); }},
        {"reset", [](CObValue& v) { v.Reset(); }},
        {"extras", [](CObValue& v) { v.SetExtras("a", "b"); }},
        {"load", [&](CObValue& v) { LoadBytes(script, [&](CArchive& ar) { v.Serialize(ar); }); }},
    };
    for (const Case& c : cases) {
        CObValue fresh;
        CObValue one;
        one.Set(CObValue::KindLiteral, "1");
        CObValue copy(one);
        CObValue other;
        other.Set(CObValue::KindLiteral, "1");
        c.change(one);
        EXPECT_STREQ(copy.GetRawText(), "1") << c.name;
        EXPECT_EQ(copy.GetLong(), 1) << c.name;
        EXPECT_FALSE(copy.HasExtras()) << c.name;
        EXPECT_TRUE(copy.IsEqual(other)) << c.name;
        c.change(fresh);
        EXPECT_TRUE(CObValue().IsEqual(CObValue())) << c.name;
        EXPECT_STREQ(CObValue().GetRawText(), "0.0") << c.name;
        EXPECT_EQ(CObValue().GetKind(), CObValue::KindLiteral) << c.name;
    }
}

} // namespace

namespace {

// Each common value is the one built step by step from a new value.
TEST(ObValueCommon, EqualsTheValueBuiltByHand)
{
    const auto built = [](const std::function<void(CObValue&)>& build) {
        CObValue value;
        build(value);
        return value;
    };
    struct Case {
        CObValue::Common which;
        CObValue expected;
    };
    const Case cases[] = {
        {CObValue::Common::LiteralZero, CObValue()},
        {CObValue::Common::LiteralOne, built([](CObValue& v) { v.Set(CObValue::KindLiteral, "1"); })},
        {CObValue::Common::NoChoice, built([](CObValue& v) { v.Reset(); })},
        {CObValue::Common::NoChoiceDragEvent, built([](CObValue& v) {
             v.Reset();
             v.SetExtras(CString(), "*");
         })},
    };
    for (const Case& c : cases) {
        CObValue value;
        value.SetCommon(c.which);
        EXPECT_TRUE(value.IsEqual(c.expected)) << static_cast<int>(c.which);
        EXPECT_EQ(value.GetKind(), c.expected.GetKind());
        EXPECT_EQ(value.GetRawText(), c.expected.GetRawText());
        EXPECT_EQ(value.HasExtras(), c.expected.HasExtras());
        EXPECT_EQ(value.GetExtra2(), c.expected.GetExtra2());
        EXPECT_EQ(value.GetLong(), c.expected.GetLong());
    }
}

} // namespace

#include "objects/FontDescriptor.h"
#include "objects/ObValue.h"
#include "objects/tests/ArchiveBytes.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>

namespace {

struct Reader {
    const char* name;
    std::function<void(CArchive&)> read;
};

const Reader readers[] = {
    {"value field", [](CArchive& ar) { CObValue().Serialize(ar); }},
    {"font value", [](CArchive& ar) { CFontDescriptor().Serialize(ar); }},
};

Bytes StoredValue()
{
    CObValue value;
    value.Set(CObValue::KindScript, "Sub Click()\r\nEnd Sub");
    value.SetExtras("first", "*");
    return StoreBytes([&](CArchive& ar) { value.Serialize(ar); });
}

Bytes StoredFont()
{
    CFontDescriptor font;
    EXPECT_TRUE(font.FromString("-11,0,0,0,400,1,1,0,0,1,2,1,34,MS Sans Serif"));
    return StoreBytes([&](CArchive& ar) { font.Serialize(ar); });
}

TEST(RecordRobustness, EveryTruncatedRecordThrowsTheArchiveException)
{
    const Bytes records[] = {StoredValue(), StoredFont()};
    for (size_t r = 0; r < std::size(records); ++r) {
        const Bytes& record = records[r];
        EXPECT_FALSE(LoadThrowsArchiveException(record, readers[r].read)) << readers[r].name;
        for (size_t length = 0; length < record.size(); ++length) {
            Bytes truncated(record.begin(), record.begin() + static_cast<std::ptrdiff_t>(length));
            EXPECT_TRUE(LoadThrowsArchiveException(truncated, readers[r].read))
                << readers[r].name << " cut to " << length;
        }
    }
}

TEST(RecordRobustness, ValueWithoutSentinelEndsWithTheFile)
{
    // Three sentinel bytes at a time never make the four that end the record.
    Bytes record = Concat({Dword(0xBACDCD02), Dword(0), ShortString("1"), Dword(0)});
    for (int i = 0; i < 16; ++i)
        record = Concat({record, {0xA5, 0xA5, 0xA5, 0x00}});
    EXPECT_TRUE(LoadThrowsArchiveException(record, readers[0].read));
}

TEST(RecordRobustness, RandomBytesEitherLoadOrThrow)
{
    std::mt19937 random(20261210);
    std::uniform_int_distribution<int> length(0, 80);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int round = 0; round < 2000; ++round) {
        Bytes bytes(static_cast<size_t>(length(random)));
        for (auto& b : bytes)
            b = static_cast<uint8_t>(byte(random));
        // Random records are mostly tagged, to reach the fields behind the tag.
        if (round % 2 == 0 && bytes.size() >= 4) {
            bytes[1] = 0xCD;
            bytes[2] = 0xCD;
            bytes[3] = 0xBA;
        }
        for (const Reader& reader : readers)
            LoadThrowsArchiveException(bytes, reader.read);
    }
}

} // namespace

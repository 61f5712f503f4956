// The bar state and pane layout records: exact bytes, and refusal of damaged records.
#include "platform/toolkit/XTPStateRecords.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<BYTE> barStateBytes()
{
    return {
        0x56, 0x54, 0x42, 0x53, // tag "VTBS"
        0x01, 0x00,             // version 1
        0x01, 0x00,             // one bar
        0x85, 0x03, 0x00, 0x00, // bar id 901
        0x04,                   // floating
        0x01,                   // visible
        0x02, 0x00,             // row 2
        0x10, 0x00, 0x00, 0x00, // offset 16
        0x64, 0x00, 0x00, 0x00, // floating left 100
        0xC8, 0x00, 0x00, 0x00, // top 200
        0x2C, 0x01, 0x00, 0x00, // right 300
        0xFF, 0xFF, 0xFF, 0xFF, // bottom -1
    };
}

std::vector<BYTE> paneLayoutBytes()
{
    return {
        0x56, 0x54, 0x50, 0x4C, // tag "VTPL"
        0x01, 0x00,             // version 1
        0x01, 0x00,             // one group
        0x01, 0x00,             // docked right, padding
        0x02, 0x00,             // two panes
        0xC8, 0x00, 0x00, 0x00, // 200 wide
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, // no floating place
        0x20, 0xE8, 0x00, 0x00, // selected pane 59424
        0x00, 0x00, 0x00, 0x00, // reserved
        0x20, 0xE8, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, // pane 59424, open
        0xF9, 0xF9, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, // pane 63993, closed
    };
}

std::vector<BYTE> keyTableBytes()
{
    return {
        0x56, 0x54, 0x4B, 0x59, // tag "VTKY"
        0x01, 0x00,             // version 1
        0x02, 0x00,             // two keys
        0x0D, 0x00,             // virtual key with Ctrl and Shift, padding
        0x4B, 0x00,             // K
        0x00, 0xE1,             // command 57600
        0x00, 0x00,             // padding
        0x01, 0x00,             // virtual key alone, padding
        0x74, 0x00,             // F5
        0x34, 0x12,             // command 0x1234
        0x00, 0x00,             // padding
    };
}

std::vector<BYTE> barContentBytes()
{
    return {
        0x56, 0x54, 0x42, 0x43, // tag "VTBC"
        0x01, 0x00,             // version 1
        0x01, 0x00,             // one bar
        0x80, 0x00, 0x00, 0x00, // bar 128
        0x03, 0x00, 0x00, 0x00, // three items, padding
        0x00, 0xE1, 0x00, 0x00, // New
        0x00, 0x00, 0x00, 0x00, // a group starts
        0x04, 0xE1, 0x00, 0x00, // Save As
    };
}

struct Damage {
    const char* what;
    size_t at; // byte changed (or the length kept, for truncation)
    int value; // new byte; -1 truncates at `at`; -2 appends a byte
};

std::vector<BYTE> damaged(std::vector<BYTE> bytes, const Damage& d)
{
    if (d.value == -1)
        bytes.resize(d.at);
    else if (d.value == -2)
        bytes.push_back(0);
    else
        bytes[d.at] = static_cast<BYTE>(d.value);
    return bytes;
}

} // namespace

TEST(StateRecordsTest, BarStateIsWrittenAndReadByteForByte)
{
    XTPBarStateEntry e;
    e.barId = 901;
    e.position = 4;
    e.visible = 1;
    e.row = 2;
    e.offset = 16;
    e.floating[0] = 100;
    e.floating[1] = 200;
    e.floating[2] = 300;
    e.floating[3] = -1;
    EXPECT_EQ(EncodeBarState({e}), barStateBytes());

    std::vector<XTPBarStateEntry> read;
    std::vector<BYTE> bytes = barStateBytes();
    ASSERT_TRUE(DecodeBarState(bytes.data(), bytes.size(), read));
    ASSERT_EQ(read.size(), 1u);
    EXPECT_EQ(read[0].barId, 901u);
    EXPECT_EQ(read[0].position, 4);
    EXPECT_EQ(read[0].row, 2);
    EXPECT_EQ(read[0].offset, 16);
    EXPECT_EQ(read[0].floating[3], -1);
}

TEST(StateRecordsTest, PaneLayoutIsWrittenAndReadByteForByte)
{
    XTPPaneGroupEntry g;
    g.side = 1;
    g.size = 200;
    g.selectedId = 59424;
    g.panes = {{59424, 0}, {63993, 1}};
    EXPECT_EQ(EncodePaneLayout({g}), paneLayoutBytes());

    std::vector<XTPPaneGroupEntry> read;
    std::vector<BYTE> bytes = paneLayoutBytes();
    ASSERT_TRUE(DecodePaneLayout(bytes.data(), bytes.size(), read));
    ASSERT_EQ(read.size(), 1u);
    EXPECT_EQ(read[0].panes, g.panes);
    EXPECT_EQ(read[0].selectedId, 59424u);
}

TEST(StateRecordsTest, DamagedRecordsAreRefusedWholly)
{
    const Damage barCases[] = {
        {"foreign tag", 0, 'X'}, {"later version", 4, 2},      {"count beyond the bytes", 6, 2}, {"position 5", 12, 5},
        {"visible 2", 13, 2},    {"negative offset", 19, 0x80}, {"truncated entry", 30, -1},     {"empty", 0, -1},
        {"trailing byte", 0, -2}, {"row out of range", 15, 0x10},
    };
    for (const Damage& c : barCases) {
        std::vector<BYTE> bytes = damaged(barStateBytes(), c);
        std::vector<XTPBarStateEntry> read{XTPBarStateEntry{}};
        EXPECT_FALSE(DecodeBarState(bytes.data(), bytes.size(), read)) << c.what;
        EXPECT_TRUE(read.empty()) << c.what;
    }
    const Damage paneCases[] = {
        {"foreign tag", 3, 'X'}, {"side 5", 8, 5},       {"no panes", 10, 0},     {"more panes than bytes", 10, 3},
        {"huge size", 15, 0x7F}, {"closed 2", 52, 2},    {"truncated pane", 50, -1}, {"trailing byte", 0, -2},
    };
    for (const Damage& c : paneCases) {
        std::vector<BYTE> bytes = damaged(paneLayoutBytes(), c);
        std::vector<XTPPaneGroupEntry> read(1);
        EXPECT_FALSE(DecodePaneLayout(bytes.data(), bytes.size(), read)) << c.what;
        EXPECT_TRUE(read.empty()) << c.what;
    }
}

TEST(StateRecordsTest, KeyTableIsWrittenAndReadByteForByte)
{
    const std::vector<ACCEL> keys = {{FVIRTKEY | FCONTROL | FSHIFT, 'K', 57600}, {FVIRTKEY, 0x74, 0x1234}};
    EXPECT_EQ(EncodeKeyTable(keys), keyTableBytes());
    std::vector<BYTE> bytes = keyTableBytes();
    std::vector<ACCEL> read;
    ASSERT_TRUE(DecodeKeyTable(bytes.data(), bytes.size(), read));
    ASSERT_EQ(read.size(), 2u);
    for (size_t i = 0; i < keys.size(); ++i) {
        EXPECT_EQ(read[i].fVirt, keys[i].fVirt);
        EXPECT_EQ(read[i].key, keys[i].key);
        EXPECT_EQ(read[i].cmd, keys[i].cmd);
    }
    // Every key taken away is a table of its own, not the frame's keys.
    bytes = EncodeKeyTable({});
    EXPECT_EQ(bytes, (std::vector<BYTE>{0x56, 0x54, 0x4B, 0x59, 0x01, 0x00, 0x00, 0x00}));
    read.assign(1, ACCEL{});
    EXPECT_TRUE(DecodeKeyTable(bytes.data(), bytes.size(), read));
    EXPECT_TRUE(read.empty());
}

TEST(StateRecordsTest, DamagedKeyTablesAreRefusedWholly)
{
    const Damage cases[] = {
        {"bar state tag", 3, 'S'},   {"character key", 8, 0x0C},   {"unknown flag", 8, 0x21}, {"padding", 9, 1},
        {"key 0", 10, 0},            {"key 255", 18, 0xFF},        {"command 0", 13, 0},      {"pad word", 23, 1},
        {"count beyond the bytes", 6, 3}, {"truncated key", 20, -1}, {"trailing byte", 0, -2},
    };
    for (const Damage& c : cases) {
        std::vector<BYTE> bytes = damaged(keyTableBytes(), c);
        std::vector<ACCEL> read(1);
        EXPECT_FALSE(DecodeKeyTable(bytes.data(), bytes.size(), read)) << c.what;
        EXPECT_TRUE(read.empty()) << c.what;
    }
}

TEST(StateRecordsTest, BarContentIsWrittenAndReadByteForByte)
{
    const std::vector<XTPBarContentEntry> bars = {{128, {0xE100, 0, 0xE104}}};
    EXPECT_EQ(EncodeBarContent(bars), barContentBytes());
    std::vector<BYTE> bytes = barContentBytes();
    std::vector<XTPBarContentEntry> read;
    ASSERT_TRUE(DecodeBarContent(bytes.data(), bytes.size(), read));
    ASSERT_EQ(read.size(), 1u);
    EXPECT_EQ(read[0].barId, 128u);
    EXPECT_EQ(read[0].items, bars[0].items);

    const Damage cases[] = {
        {"key table tag", 3, 'Y'}, {"padding", 14, 1},       {"more items than bytes", 12, 4},
        {"command beyond 16 bits", 26, 1}, {"truncated item", 26, -1}, {"trailing byte", 0, -2},
    };
    for (const Damage& c : cases) {
        bytes = damaged(barContentBytes(), c);
        read.assign(1, XTPBarContentEntry{});
        EXPECT_FALSE(DecodeBarContent(bytes.data(), bytes.size(), read)) << c.what;
        EXPECT_TRUE(read.empty()) << c.what;
    }
}

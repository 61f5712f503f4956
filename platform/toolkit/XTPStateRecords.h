// The records in which bar state and pane layouts are kept in the profile. Both are
// little-endian: a four-byte tag, a version word and a count word, then fixed-size entries.
// Readers accept only records of exactly the size their count gives, with values in range and
// padding zero (so a record read writes back the same bytes); anything else is refused and
// the caller keeps its current arrangement.
#pragma once

#include "platform/core/Types.h"
#include "platform/ui/UiTypes.h"

#include <cstddef>
#include <vector>

// One tool bar: where it docks (BarDockPosition), whether it shows, row and offset along the
// row, and its small frame's screen rectangle when floating. 28 bytes.
struct XTPBarStateEntry {
    DWORD barId = 0;
    BYTE position = 0;
    BYTE visible = 1;
    WORD row = 0;
    LONG offset = 0;
    LONG floating[4] = {0, 0, 0, 0};
};

// One group of panes: the edge it docks to (0 left, 1 right, 2 top, 3 bottom, 4 floating), its
// width or height, its floating rectangle, the selected pane and its panes with their
// closed flags. 32 bytes plus 8 per pane.
struct XTPPaneGroupEntry {
    BYTE side = 1;
    LONG size = 200;
    LONG floating[4] = {0, 0, 0, 0};
    DWORD selectedId = 0;
    std::vector<std::pair<DWORD, BYTE>> panes; // id, closed
};

constexpr DWORD kBarStateTag = 0x53425456;  // "VTBS"
constexpr DWORD kKeyTableTag = 0x594B5456;  // "VTKY"
constexpr DWORD kBarContentTag = 0x43425456; // "VTBC"
constexpr DWORD kPaneLayoutTag = 0x4C505456; // "VTPL"
constexpr WORD kStateVersion = 1;
constexpr size_t kMaxStateEntries = 256;

std::vector<BYTE> EncodeBarState(const std::vector<XTPBarStateEntry>& entries);
BOOL DecodeBarState(const BYTE* data, size_t size, std::vector<XTPBarStateEntry>& entries);
std::vector<BYTE> EncodePaneLayout(const std::vector<XTPPaneGroupEntry>& groups);
BOOL DecodePaneLayout(const BYTE* data, size_t size, std::vector<XTPPaneGroupEntry>& groups);
// The commands of a tool bar the user rearranged, in order, 0 where a group starts: its id, a
// count word and a pad word, then a 32-bit word per item.
struct XTPBarContentEntry {
    DWORD barId = 0;
    std::vector<UINT> items;
};
std::vector<BYTE> EncodeBarContent(const std::vector<XTPBarContentEntry>& bars);
BOOL DecodeBarContent(const BYTE* data, size_t size, std::vector<XTPBarContentEntry>& bars);

// The shortcut keys a user set: per key its ACCEL flags (a virtual key, with any of Shift, Ctrl
// and Alt), a pad byte, the key and the command, and a pad word. 8 bytes each.
std::vector<BYTE> EncodeKeyTable(const std::vector<ACCEL>& keys);
BOOL DecodeKeyTable(const BYTE* data, size_t size, std::vector<ACCEL>& keys);

// Document files written by hand in the stored layout, for the tests that open them: the frame
// record, page records and Rectangle-tool boxes.
#pragma once

#include "objects/kinds/tests/BorderGenBytes.h"

#include <algorithm>
#include <cstring>
#include <utility>

inline Bytes NewClass(const char* className)
{
    Bytes tag = Concat({Word(0xFFFF), Word(0), Word(static_cast<uint16_t>(std::strlen(className)))});
    for (const char* c = className; *c; ++c)
        tag.push_back(static_cast<uint8_t>(*c));
    return tag;
}

// The frame record with an untagged frame object of 100 x 100. Archive indexes: 1 the frame
// object's class, 2 the frame object.
inline Bytes FrameRecord()
{
    return Concat({
        ShortString("Plan"), NewClass("CGenFrameOb"),  // frame title, the frame object's class
        ShortString("Plan"), Word(100), Word(100),     // Title, Width, Height
        Dword(0x20000), Dword(0x10000), Dword(0x40000), // MinimizeBox, MaximizeBox, BorderStyle
    });
}

// A page record of version 1 with grid and snap, a grid of 10 and margins of 10, holding the
// entries and the count given.
inline Bytes PageRecord(uint16_t count, const Bytes& entries)
{
    return Concat({
        Dword(0xBACDCD01), ShortString(""), Dword(6), Word(0), Dword(0x000A000A), // tag, text, flags, word, grid
        Dword(10), Dword(10), Dword(10), Dword(10), Bytes(16 * 4, 0),              // margins, custom colours
        Word(count), entries,
    });
}

// An untagged page object, white.
inline Bytes PageObject(const Bytes& classTag)
{
    return Concat({Dword(0), classTag, Dword(0x00FFFFFF)});
}

// Page 1: box "A" at x 10 (class 3, object 4) and its page object (class 5, object 6). Page 2:
// box "B" at x 200 (object 7) and its page object (object 8).
inline Bytes FirstPage()
{
    return PageRecord(1, Concat({Dword(0), NewClass("CBorderGen"), BorderGenRecord("A"),
                                 PageObject(NewClass("CHyperViewOb"))}));
}

inline Bytes SecondPage()
{
    return PageRecord(1, Concat({Dword(0), Word(0x8003), BorderGenRecord("B", 200), PageObject(Word(0x8005))}));
}

// Width and Height of the frame object "Plan" as a saved file stores it; -1 when it is not there.
inline std::pair<int, int> StoredFrameSize(const Bytes& file)
{
    const Bytes head = Concat({Dword(0xBACDCD02), ShortString("Plan")}); // tag version 2, Title
    auto at = std::search(file.begin(), file.end(), head.begin(), head.end());
    if (file.end() - at < static_cast<long>(head.size()) + 4)
        return {-1, -1};
    at += static_cast<long>(head.size());
    return {at[0] | at[1] << 8, at[2] | at[3] << 8};
}

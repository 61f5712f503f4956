// A Rectangle-tool box written by hand in the stored layout: the object record of version 8
// without a snap-point list, then the border fields of version 1.
#pragma once

#include "objects/tests/ArchiveBytes.h"

// A value field record, version 2, without extra texts.
inline Bytes ValueRecord(uint32_t kind, const char* text)
{
    return Concat({
        Dword(0xBACDCD02), Dword(kind), ShortString(text), // tag, kind, text
        Dword(0),                                          // no extra texts
        Word(0), Dword(0xA5A5A5A5),                        // reserved word, end sentinel
    });
}

// The object record of a box at (left, 20, left + 100, 80) up to and including LayerID.
inline Bytes BorderGenHead(const char* code, uint16_t left = 10)
{
    return Concat({
        Dword(0xBACDCD08), ShortString(code),                   // tag version 8, Code
        Word(left), Word(20), Word(left + 100), Word(80),       // rectangle
        ValueRecord(0, "p"), ValueRecord(0, "c"),              // PumpDataEvent, ClickEvent
        Dword(0), ShortString("tip"), ShortString("#ZUQA1#"),  // CursorPointer, ToolTipText, marker
        ShortString(""), ShortString("2024"), ShortString(""), // AlarmTime, CreationDate, AlarmSound
        Dword(0), Dword(0), ShortString("u"), Dword(0),        // AlarmActive, AuxInt, URL, HelpContextID
        ValueRecord(0, "1"), ValueRecord(0, "1"),              // Enable, Visible
        ValueRecord(0, "i"),                                   // InitializeEvent
        Word(0xFFFF), {0}, Word(0),                            // GroupID -1, no group record, LayerID 0
    });
}

// The rest of the record after the place where a snap-point list would stand: a box filled
// solid green (no hatch), shadow 2, the 3D frame and the tag text "note".
inline Bytes BorderGenTail()
{
    return Concat({
        Double(0.0), {0},                                         // RotateAngle, no reserved bytes
        ShortString("note"), {0, 0},                              // Tag text, two reserved bytes
        Dword(0xBACDCD01),                                        // border fields, version 1
        Dword(0x0000FF00), Dword(0x00000080), Dword(2), Dword(0), // BackColor, ForeColor, PenWidth, PenStyle
        Dword(0x00020063), Dword(1), Dword(0x00C0C0C0),           // no hatch, shadow 2, 3D, HiliteColor
    });
}

inline Bytes BorderGenRecord(const char* code, uint16_t left = 10)
{
    return Concat({BorderGenHead(code, left), BorderGenTail()});
}

// The snap-point list an earlier build wrote after LayerID: the four side middles, the right
// one in use by one connector end.
inline Bytes EarlierSnapList()
{
    Bytes list = Concat({Dword(0xBACDCD00), Word(4), Word(0xFFFF), Word(4)}); // tag, next id, word, count
    for (uint16_t id = 0; id < 4; ++id) {
        list = Concat({list, Dword(0xBACDCD02), Word(static_cast<uint16_t>(id + 4)), // tag, position
                       Dword(0), Dword(0), Dword(1), Word(id),                         // offsets, mode, id
                       Word(id == 1 ? 1 : 0), Word(99), Word(0), Word(99), Word(0),    // in, max, out, max, dG
                       Dword(0xFFFFFFFF), Dword(0), {0}});                            // colour, flag, no name
    }
    return list;
}

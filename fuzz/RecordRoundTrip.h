// The check every record fuzz target makes: bytes that a reader accepts must store and
// read back to the same record.
#pragma once

#include "objects/tests/ArchiveBytes.h"

#include <cstdlib>

// A record that loads must store and load again, and the two must agree by `same`.
template <typename Record, typename Same>
void CheckRoundTrip(const Bytes& data, Same same)
{
    Record record;
    if (LoadThrowsArchiveException(data, [&](CArchive& ar) { record.Serialize(ar); }))
        return;
    Bytes stored = Stored(record);
    Record reloaded;
    if (LoadThrowsArchiveException(stored, [&](CArchive& ar) { reloaded.Serialize(ar); }) ||
        !same(record, reloaded, stored))
        std::abort();
}

// A record without a comparison (a page object's, a group's) that loads must store the same
// bytes twice over.
template <typename Record>
void CheckStable(const Bytes& data)
{
    CheckRoundTrip<Record>(data, [](Record&, Record& again, const Bytes& stored) { return Stored(again) == stored; });
}

#include "platform/toolkit/XTPStateRecords.h"

namespace {

class Writer {
public:
    std::vector<BYTE> bytes;
    void u8(BYTE v) { bytes.push_back(v); }
    void u16(WORD v)
    {
        u8(static_cast<BYTE>(v));
        u8(static_cast<BYTE>(v >> 8));
    }
    void u32(DWORD v)
    {
        u16(static_cast<WORD>(v));
        u16(static_cast<WORD>(v >> 16));
    }
    void rect(const LONG (&r)[4])
    {
        for (LONG v : r)
            u32(static_cast<DWORD>(v));
    }
    void header(DWORD tag, size_t count)
    {
        u32(tag);
        u16(kStateVersion);
        u16(static_cast<WORD>(count));
    }
};

class Reader {
public:
    Reader(const BYTE* data, size_t size) : m_data(data), m_size(size) {}
    bool u8(BYTE& v)
    {
        if (m_at + 1 > m_size)
            return false;
        v = m_data[m_at++];
        return true;
    }
    bool u16(WORD& v)
    {
        BYTE lo = 0, hi = 0;
        if (!u8(lo) || !u8(hi))
            return false;
        v = static_cast<WORD>(lo | (hi << 8));
        return true;
    }
    bool u32(DWORD& v)
    {
        WORD lo = 0, hi = 0;
        if (!u16(lo) || !u16(hi))
            return false;
        v = lo | (static_cast<DWORD>(hi) << 16);
        return true;
    }
    bool s32(LONG& v)
    {
        DWORD u = 0;
        if (!u32(u))
            return false;
        v = static_cast<LONG>(u);
        return true;
    }
    bool rect(LONG (&r)[4]) { return s32(r[0]) && s32(r[1]) && s32(r[2]) && s32(r[3]); }
    bool header(DWORD tag, WORD& count)
    {
        DWORD found = 0;
        WORD version = 0;
        return u32(found) && found == tag && u16(version) && version == kStateVersion && u16(count) &&
               count <= kMaxStateEntries;
    }
    bool atEnd() const { return m_at == m_size; }

private:
    const BYTE* m_data;
    size_t m_size;
    size_t m_at = 0;
};

} // namespace

std::vector<BYTE> EncodeBarState(const std::vector<XTPBarStateEntry>& entries)
{
    Writer w;
    w.header(kBarStateTag, entries.size());
    for (const XTPBarStateEntry& e : entries) {
        w.u32(e.barId);
        w.u8(e.position);
        w.u8(e.visible);
        w.u16(e.row);
        w.u32(static_cast<DWORD>(e.offset));
        w.rect(e.floating);
    }
    return w.bytes;
}

namespace {

// A whole record of `tag`: every entry read by readEntry and nothing left over; else nothing.
template <typename Entry, typename ReadEntry>
BOOL decodeRecord(const BYTE* data, size_t size, DWORD tag, std::vector<Entry>& entries, ReadEntry readEntry)
{
    entries.clear();
    if (!data)
        return FALSE;
    Reader r(data, size);
    WORD count = 0;
    if (!r.header(tag, count))
        return FALSE;
    std::vector<Entry> read(count);
    for (Entry& e : read)
        if (!readEntry(r, e))
            return FALSE;
    if (!r.atEnd())
        return FALSE;
    entries = std::move(read);
    return TRUE;
}

bool readBar(Reader& r, XTPBarStateEntry& e)
{
    return r.u32(e.barId) && r.u8(e.position) && e.position <= 4 && r.u8(e.visible) && e.visible <= 1 && r.u16(e.row) &&
           e.row < kMaxStateEntries && r.s32(e.offset) && e.offset >= 0 && r.rect(e.floating);
}

} // namespace

BOOL DecodeBarState(const BYTE* data, size_t size, std::vector<XTPBarStateEntry>& entries)
{
    return decodeRecord(data, size, kBarStateTag, entries, readBar);
}

std::vector<BYTE> EncodePaneLayout(const std::vector<XTPPaneGroupEntry>& groups)
{
    Writer w;
    w.header(kPaneLayoutTag, groups.size());
    for (const XTPPaneGroupEntry& g : groups) {
        w.u8(g.side);
        w.u8(0);
        w.u16(static_cast<WORD>(g.panes.size()));
        w.u32(static_cast<DWORD>(g.size));
        w.rect(g.floating);
        w.u32(g.selectedId);
        w.u32(0);
        for (const auto& [id, closed] : g.panes) {
            w.u32(id);
            w.u8(closed);
            w.u8(0);
            w.u16(0);
        }
    }
    return w.bytes;
}

namespace {

bool readGroup(Reader& r, XTPPaneGroupEntry& g)
{
    BYTE pad = 0;
    WORD count = 0, padWord = 0;
    DWORD size = 0, reserved = 0;
    if (!r.u8(g.side) || g.side > 4 || !r.u8(pad) || pad != 0 || !r.u16(count) || count == 0 ||
        count > kMaxStateEntries || !r.u32(size) || size > 0x7FFF || !r.rect(g.floating) || !r.u32(g.selectedId) ||
        !r.u32(reserved) || reserved != 0)
        return false;
    g.size = static_cast<LONG>(size);
    g.panes.resize(count);
    for (auto& [id, closed] : g.panes)
        if (!r.u32(id) || !r.u8(closed) || closed > 1 || !r.u8(pad) || pad != 0 || !r.u16(padWord) || padWord != 0)
            return false;
    return true;
}

} // namespace

BOOL DecodePaneLayout(const BYTE* data, size_t size, std::vector<XTPPaneGroupEntry>& groups)
{
    return decodeRecord(data, size, kPaneLayoutTag, groups, readGroup);
}

std::vector<BYTE> EncodeKeyTable(const std::vector<ACCEL>& keys)
{
    Writer w;
    w.header(kKeyTableTag, keys.size());
    for (const ACCEL& a : keys) {
        w.u8(a.fVirt);
        w.u8(0);
        w.u16(a.key);
        w.u16(a.cmd);
        w.u16(0);
    }
    return w.bytes;
}

namespace {

bool readKey(Reader& r, ACCEL& a)
{
    constexpr BYTE kFlags = FVIRTKEY | FNOINVERT | FSHIFT | FCONTROL | FALT;
    BYTE pad = 0;
    WORD padWord = 0;
    return r.u8(a.fVirt) && (a.fVirt & FVIRTKEY) && (a.fVirt & ~kFlags) == 0 && r.u8(pad) && pad == 0 &&
           r.u16(a.key) && a.key > 0 && a.key < 0xFF && r.u16(a.cmd) && a.cmd != 0 && r.u16(padWord) && padWord == 0;
}

} // namespace

BOOL DecodeKeyTable(const BYTE* data, size_t size, std::vector<ACCEL>& keys)
{
    return decodeRecord(data, size, kKeyTableTag, keys, readKey);
}

std::vector<BYTE> EncodeBarContent(const std::vector<XTPBarContentEntry>& bars)
{
    Writer w;
    w.header(kBarContentTag, bars.size());
    for (const XTPBarContentEntry& bar : bars) {
        w.u32(bar.barId);
        w.u16(static_cast<WORD>(bar.items.size()));
        w.u16(0);
        for (UINT id : bar.items)
            w.u32(id);
    }
    return w.bytes;
}

namespace {

bool readContent(Reader& r, XTPBarContentEntry& bar)
{
    WORD count = 0, pad = 0;
    if (!r.u32(bar.barId) || !r.u16(count) || count > kMaxStateEntries || !r.u16(pad) || pad != 0)
        return false;
    bar.items.resize(count);
    for (UINT& id : bar.items) {
        DWORD read = 0;
        if (!r.u32(read) || read > 0xFFFF)
            return false;
        id = read;
    }
    return true;
}

} // namespace

BOOL DecodeBarContent(const BYTE* data, size_t size, std::vector<XTPBarContentEntry>& bars)
{
    return decodeRecord(data, size, kBarContentTag, bars, readContent);
}

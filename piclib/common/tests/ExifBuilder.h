// Builds Exif APP1 payloads ("Exif\0\0", TIFF header, main and sub directory, maker
// notes) in either byte order from values given as numbers, and lists of libjpeg
// saved markers to hand them to the reader.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <jpeglib.h>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class ExifIfd {
public:
    // bytes are little-endian; units of unitWidth bytes are reversed for big-endian output.
    ExifIfd& Add(uint16_t tag, uint16_t format, uint32_t count, std::vector<uint8_t> bytes, int unitWidth = 1)
    {
        m_Entries.push_back({ tag, format, count, std::move(bytes), unitWidth, false, 0 });
        return *this;
    }
    ExifIfd& Byte(uint16_t tag, std::vector<uint8_t> bytes) { return Add(tag, 1, size(bytes), bytes); }
    ExifIfd& Undefined(uint16_t tag, std::vector<uint8_t> bytes) { return Add(tag, 7, size(bytes), bytes); }
    ExifIfd& Ascii(uint16_t tag, const std::string& text)
    {
        std::vector<uint8_t> bytes(text.begin(), text.end());
        bytes.push_back(0);
        return Add(tag, 2, size(bytes), bytes);
    }
    ExifIfd& Short(uint16_t tag, const std::vector<uint32_t>& values, uint16_t format = 3)
    {
        return Add(tag, format, size(values), units(values, 2), 2);
    }
    ExifIfd& Long(uint16_t tag, const std::vector<uint32_t>& values, uint16_t format = 4)
    {
        return Add(tag, format, size(values), units(values, 4), 4);
    }
    ExifIfd& Rational(
        uint16_t tag, const std::vector<std::pair<uint32_t, uint32_t>>& values, uint16_t format = 5)
    {
        std::vector<uint32_t> halves;
        for (const auto& [n, d] : values)
            halves.insert(halves.end(), { n, d });
        return Add(tag, format, size(values), units(halves, 4), 4);
    }
    // An entry whose 4-byte value field is written as given: a forged offset or inline value.
    ExifIfd& Raw(uint16_t tag, uint16_t format, uint32_t count, uint32_t field)
    {
        m_Entries.push_back({ tag, format, count, {}, 4, true, field });
        return *this;
    }
    // A maker note: header bytes, then a directory whose offsets count from the TIFF
    // header, or from the note's start when noteRelative; forceLittle writes it
    // little-endian in any block.
    ExifIfd& Note(uint16_t tag, std::string header, const ExifIfd& dir, bool noteRelative = false,
        bool forceLittle = false)
    {
        Entry e { tag, 7, 0, {}, 1, false, 0 };
        e.note = std::make_shared<ExifIfd>(dir);
        e.header = std::move(header);
        e.noteRelative = noteRelative;
        e.forceLittle = forceLittle;
        m_Entries.push_back(std::move(e));
        return *this;
    }
    // Writes this count instead of the real number of entries.
    ExifIfd& DeclareCount(uint16_t count)
    {
        m_DeclaredCount = count;
        return *this;
    }
    bool Empty() const { return m_Entries.empty(); }

    size_t Size() const
    {
        size_t total = 2 + 12 * m_Entries.size() + 4;
        for (const Entry& e : m_Entries)
            if (const size_t n = valueSize(e); n > 4)
                total += n + (n & 1);
        return total;
    }

    // The directory as it stands at offset `at` from the TIFF header.
    std::vector<uint8_t> Serialize(uint32_t at, bool bigEndian) const
    {
        std::vector<uint8_t> out;
        std::vector<uint8_t> data;
        auto dataAt = static_cast<uint32_t>(at + 2 + 12 * m_Entries.size() + 4);
        put(out, m_DeclaredCount.value_or(static_cast<uint16_t>(m_Entries.size())), 2, bigEndian);
        for (const Entry& e : m_Entries) {
            const std::vector<uint8_t> value
                = valueBytes(e, dataAt + static_cast<uint32_t>(data.size()), bigEndian);
            put(out, e.tag, 2, bigEndian);
            put(out, e.format, 2, bigEndian);
            put(out, e.note ? static_cast<uint32_t>(value.size()) : e.count, 4, bigEndian);
            if (e.raw) {
                put(out, e.field, 4, bigEndian);
            } else if (value.size() <= 4) {
                out.insert(out.end(), value.begin(), value.end());
                out.resize(out.size() + 4 - value.size());
            } else {
                put(out, dataAt + static_cast<uint32_t>(data.size()), 4, bigEndian);
                data.insert(data.end(), value.begin(), value.end());
                if (data.size() & 1)
                    data.push_back(0);
            }
        }
        put(out, 0, 4, bigEndian);
        out.insert(out.end(), data.begin(), data.end());
        return out;
    }

    static void put(std::vector<uint8_t>& out, uint32_t value, int width, bool bigEndian)
    {
        for (int i = 0; i < width; ++i) {
            const int shift = 8 * (bigEndian ? width - 1 - i : i);
            out.push_back(static_cast<uint8_t>(value >> shift));
        }
    }

private:
    struct Entry {
        uint16_t tag;
        uint16_t format;
        uint32_t count;
        std::vector<uint8_t> bytes;
        int unitWidth;
        bool raw;
        uint32_t field;
        std::shared_ptr<const ExifIfd> note = nullptr;
        std::string header = {};
        bool noteRelative = false;
        bool forceLittle = false;
    };

    template <class T> static uint32_t size(const std::vector<T>& v)
    {
        return static_cast<uint32_t>(v.size());
    }
    static std::vector<uint8_t> units(const std::vector<uint32_t>& values, int width)
    {
        std::vector<uint8_t> bytes;
        for (uint32_t v : values)
            put(bytes, v, width, false);
        return bytes;
    }
    static size_t valueSize(const Entry& e)
    {
        if (e.raw)
            return 0;
        return e.note ? e.header.size() + e.note->Size() : e.bytes.size();
    }
    static std::vector<uint8_t> valueBytes(const Entry& e, uint32_t at, bool bigEndian)
    {
        if (e.note) {
            std::vector<uint8_t> bytes(e.header.begin(), e.header.end());
            const auto dirAt = static_cast<uint32_t>((e.noteRelative ? 0 : at) + bytes.size());
            const std::vector<uint8_t> dir = e.note->Serialize(dirAt, bigEndian && !e.forceLittle);
            bytes.insert(bytes.end(), dir.begin(), dir.end());
            return bytes;
        }
        std::vector<uint8_t> bytes = e.bytes;
        if (bigEndian)
            for (size_t i = 0; i + e.unitWidth <= bytes.size(); i += e.unitWidth)
                std::reverse(bytes.begin() + i, bytes.begin() + i + e.unitWidth);
        return bytes;
    }

    std::vector<Entry> m_Entries;
    std::optional<uint16_t> m_DeclaredCount;
};

// An APP1 payload with a main directory and, when it has entries, a sub directory
// linked from "Main.ExifOffset".
struct ExifBuilder {
    ExifIfd main;
    ExifIfd sub;

    std::vector<uint8_t> Build(bool bigEndian) const
    {
        std::vector<uint8_t> out = { 'E', 'x', 'i', 'f', 0, 0 };
        const char* order = bigEndian ? "MM" : "II";
        out.insert(out.end(), order, order + 2);
        ExifIfd::put(out, 42, 2, bigEndian);
        ExifIfd::put(out, 8, 4, bigEndian);
        ExifIfd first = main;
        if (!sub.Empty())
            first.Long(0x8769, { 0 });
        const auto subAt = static_cast<uint32_t>(8 + first.Size());
        if (!sub.Empty()) {
            first = main;
            first.Long(0x8769, { subAt });
        }
        const std::vector<uint8_t> dir = first.Serialize(8, bigEndian);
        out.insert(out.end(), dir.begin(), dir.end());
        if (!sub.Empty()) {
            const std::vector<uint8_t> subDir = sub.Serialize(subAt, bigEndian);
            out.insert(out.end(), subDir.begin(), subDir.end());
        }
        return out;
    }
};

// libjpeg's saved-marker list over payloads kept by this object.
class MarkerList {
public:
    MarkerList& Add(int code, std::vector<uint8_t> payload)
    {
        m_Payloads.push_back(std::move(payload));
        m_Codes.push_back(code);
        return *this;
    }
    MarkerList& Add(int code, const std::string& payload)
    {
        return Add(code, std::vector<uint8_t>(payload.begin(), payload.end()));
    }

    jpeg_marker_struct* Head()
    {
        m_Nodes.assign(m_Payloads.size(), jpeg_marker_struct {});
        for (size_t i = 0; i < m_Nodes.size(); ++i) {
            m_Nodes[i].next = i + 1 < m_Nodes.size() ? &m_Nodes[i + 1] : nullptr;
            m_Nodes[i].marker = static_cast<UINT8>(m_Codes[i]);
            m_Nodes[i].original_length = static_cast<unsigned>(m_Payloads[i].size());
            m_Nodes[i].data_length = static_cast<unsigned>(m_Payloads[i].size());
            m_Nodes[i].data = m_Payloads[i].data();
        }
        return m_Nodes.empty() ? nullptr : m_Nodes.data();
    }

private:
    std::vector<std::vector<uint8_t>> m_Payloads;
    std::vector<int> m_Codes;
    std::vector<jpeg_marker_struct> m_Nodes;
};

// The text of a rich edit control: runs of characters with their format, read from and
// written to RTF (paragraphs, bold, italic, underline, font, size, colour). Paragraphs end
// with "\r\n" in the plain text.
#pragma once

#include "platform/core/Types.h"

#include <string>
#include <vector>

struct RichFormat {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    std::string face = "Arial";
    int halfPoints = 20;
    COLORREF colour = 0;

    bool operator==(const RichFormat&) const = default;
};

struct RichRun {
    std::string text;
    RichFormat format;
};

class RichText {
public:
    std::vector<RichRun> runs;

    std::string PlainText() const;
    void SetPlainText(const std::string& text, const RichFormat& format = RichFormat{});
    // Reads RTF; groups it does not know are skipped when marked \* and otherwise read for
    // their text; reading stops where the input stops being valid. False when the input does
    // not start an RTF group (the text is then unchanged).
    bool ReadRtf(const std::string& rtf);
    std::string WriteRtf() const;
    // Applies the fields of format chosen by apply to the characters [from, to).
    template <class F>
    void Apply(size_t from, size_t to, F apply)
    {
        split(from);
        split(to);
        size_t at = 0;
        for (RichRun& run : runs) {
            if (at >= from && at + run.text.size() <= to)
                apply(run.format);
            at += run.text.size();
        }
        merge();
    }
    RichFormat FormatAt(size_t index) const;

private:
    void split(size_t at);
    void merge();
};

#include "platform/ui/RichText.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>

namespace {

// The reader's state inside one group.
struct GroupState {
    RichFormat format;
    bool skip = false;       // a destination whose text is not document text
    int destination = 0;     // 0 text, 1 font table, 2 colour table
};

struct Reader {
    explicit Reader(const std::string& text) : in(text) {}

    const std::string& in;
    size_t pos = 0;
    std::vector<GroupState> stack;
    std::vector<std::string> fonts;
    std::vector<COLORREF> colours;
    std::vector<int> fontIds;
    std::string pendingFont;
    int pendingFontId = -1;
    int red = 0, green = 0, blue = 0;
    RichText out;

    void addText(const std::string& text)
    {
        GroupState& g = stack.back();
        if (g.skip)
            return;
        if (g.destination == 1) {
            for (char c : text) {
                if (c == ';') {
                    fonts.push_back(pendingFont);
                    fontIds.push_back(pendingFontId);
                    pendingFont.clear();
                } else {
                    pendingFont.push_back(c);
                }
            }
            return;
        }
        if (g.destination == 2) {
            for (char c : text)
                if (c == ';') {
                    colours.push_back(RGB(static_cast<BYTE>(red), static_cast<BYTE>(green), static_cast<BYTE>(blue)));
                    red = green = blue = 0;
                }
            return;
        }
        if (!out.runs.empty() && out.runs.back().format == g.format)
            out.runs.back().text += text;
        else
            out.runs.push_back(RichRun{text, g.format});
    }

    std::string fontFace(int id) const
    {
        for (size_t i = 0; i < fontIds.size(); ++i)
            if (fontIds[i] == id)
                return fonts[i];
        return stack.back().format.face;
    }

    void controlWord(const std::string& word, bool hasArg, int arg)
    {
        GroupState& g = stack.back();
        RichFormat& f = g.format;
        if (word == "fonttbl")
            g.destination = 1;
        else if (word == "colortbl")
            g.destination = 2;
        else if (word == "stylesheet" || word == "info" || word == "pict" || word == "header" || word == "footer" ||
                 word == "object" || word == "listtable" || word == "generator")
            g.skip = true;
        else if (g.destination == 1 && word == "f")
            pendingFontId = arg;
        else if (g.destination == 2 && (word == "red" || word == "green" || word == "blue"))
            (word == "red" ? red : word == "green" ? green : blue) = std::clamp(arg, 0, 255);
        else if (word == "par" || word == "line")
            addText("\r\n");
        else if (word == "tab")
            addText("\t");
        else if (word == "b")
            f.bold = !hasArg || arg != 0;
        else if (word == "i")
            f.italic = !hasArg || arg != 0;
        else if (word == "ul")
            f.underline = !hasArg || arg != 0;
        else if (word == "ulnone")
            f.underline = false;
        else if (word == "plain") {
            f = RichFormat{};
            f.face = fontFace(0);
        }
        else if (word == "f" && hasArg)
            f.face = fontFace(arg);
        else if (word == "fs" && hasArg && arg > 0)
            f.halfPoints = std::min(arg, 3276);
        else if (word == "cf" && hasArg)
            f.colour = arg > 0 && static_cast<size_t>(arg) < colours.size() ? colours[static_cast<size_t>(arg)] : 0;
        else if (word == "u" && hasArg)
            addText(std::string(1, arg >= 0 && arg < 256 ? static_cast<char>(arg) : '?'));
    }

    // One control word or symbol after a backslash; false on input that is not valid RTF.
    bool control()
    {
        if (pos >= in.size())
            return false;
        char c = in[pos];
        if (!isalpha(static_cast<unsigned char>(c))) {
            ++pos;
            if (c == '\'') {
                if (pos + 2 > in.size() || !isxdigit(static_cast<unsigned char>(in[pos])) ||
                    !isxdigit(static_cast<unsigned char>(in[pos + 1])))
                    return false;
                addText(std::string(1, static_cast<char>(strtol(in.substr(pos, 2).c_str(), nullptr, 16))));
                pos += 2;
            } else if (c == '*') {
                stack.back().skip = true;
            } else if (c == '\\' || c == '{' || c == '}') {
                addText(std::string(1, c));
            } else if (c == '~') {
                addText(" ");
            }
            return true;
        }
        size_t start = pos;
        while (pos < in.size() && isalpha(static_cast<unsigned char>(in[pos])) && pos - start < 32)
            ++pos;
        std::string word = in.substr(start, pos - start);
        bool hasArg = pos < in.size() && (in[pos] == '-' || isdigit(static_cast<unsigned char>(in[pos])));
        int arg = 0;
        if (hasArg) {
            bool negative = in[pos] == '-';
            pos += negative ? 1 : 0;
            long long value = 0;
            for (; pos < in.size() && isdigit(static_cast<unsigned char>(in[pos])); ++pos)
                value = std::min(value * 10 + (in[pos] - '0'), 2147483647LL); // saturates
            arg = static_cast<int>(negative ? -value : value);
        }
        if (pos < in.size() && in[pos] == ' ')
            ++pos;
        controlWord(word, hasArg, arg);
        return true;
    }

    void run()
    {
        while (pos < in.size()) {
            char c = in[pos++];
            if (c == '{') {
                stack.push_back(stack.back());
            } else if (c == '}') {
                stack.pop_back();
                if (stack.size() <= 1)
                    return; // the document group is closed
            } else if (c == '\\') {
                if (!control())
                    return;
            } else if (c != '\r' && c != '\n') {
                addText(std::string(1, c));
            }
        }
    }
};

std::string escape(const std::string& text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        auto c = static_cast<unsigned char>(text[i]);
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            out += "\\par\n";
            ++i;
        } else if (c == '\\' || c == '{' || c == '}') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c == '\t') {
            out += "\\tab ";
        } else if (c >= 0x80 || c < 0x20) {
            char hex[8];
            snprintf(hex, sizeof hex, "\\'%02x", c);
            out += hex;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

template <class T>
size_t indexIn(std::vector<T>& table, const T& value)
{
    for (size_t i = 0; i < table.size(); ++i)
        if (table[i] == value)
            return i;
    table.push_back(value);
    return table.size() - 1;
}

} // namespace

std::string RichText::PlainText() const
{
    std::string text;
    for (const RichRun& run : runs)
        text += run.text;
    return text;
}

void RichText::SetPlainText(const std::string& text, const RichFormat& format)
{
    runs.clear();
    if (!text.empty())
        runs.push_back(RichRun{text, format});
}

bool RichText::ReadRtf(const std::string& rtf)
{
    if (rtf.compare(0, 5, "{\\rtf") != 0)
        return false;
    Reader reader(rtf);
    reader.stack.push_back(GroupState{});
    reader.stack.push_back(GroupState{});
    reader.pos = 1;
    reader.run();
    runs = std::move(reader.out.runs);
    return true;
}

std::string RichText::WriteRtf() const
{
    std::vector<std::string> fonts;
    std::vector<COLORREF> colours{0};
    for (const RichRun& run : runs) {
        indexIn(fonts, run.format.face);
        if (run.format.colour)
            indexIn(colours, run.format.colour);
    }
    if (fonts.empty())
        fonts.push_back(RichFormat{}.face);
    std::string out = "{\\rtf1\\ansi\\deff0{\\fonttbl";
    for (size_t i = 0; i < fonts.size(); ++i)
        out += "{\\f" + std::to_string(i) + " " + escape(fonts[i]) + ";}";
    out += "}{\\colortbl ;";
    for (size_t i = 1; i < colours.size(); ++i)
        out += "\\red" + std::to_string(GetRValue(colours[i])) + "\\green" + std::to_string(GetGValue(colours[i])) +
               "\\blue" + std::to_string(GetBValue(colours[i])) + ";";
    out += "}\n";
    for (const RichRun& run : runs) {
        const RichFormat& f = run.format;
        out += "{\\f" + std::to_string(indexIn(fonts, f.face)) + "\\fs" + std::to_string(f.halfPoints);
        if (f.colour)
            out += "\\cf" + std::to_string(indexIn(colours, f.colour));
        out += std::string(f.bold ? "\\b" : "") + (f.italic ? "\\i" : "") + (f.underline ? "\\ul" : "") + " ";
        out += escape(run.text) + "}";
    }
    return out + "}";
}

RichFormat RichText::FormatAt(size_t index) const
{
    size_t at = 0;
    for (const RichRun& run : runs) {
        if (index < at + run.text.size())
            return run.format;
        at += run.text.size();
    }
    return runs.empty() ? RichFormat{} : runs.back().format;
}

void RichText::split(size_t at)
{
    size_t start = 0;
    for (size_t i = 0; i < runs.size(); ++i) {
        size_t end = start + runs[i].text.size();
        if (at > start && at < end) {
            RichRun tail{runs[i].text.substr(at - start), runs[i].format};
            runs[i].text.resize(at - start);
            runs.insert(runs.begin() + static_cast<std::ptrdiff_t>(i) + 1, tail);
            return;
        }
        start = end;
    }
}

void RichText::merge()
{
    std::vector<RichRun> merged;
    for (RichRun& run : runs) {
        if (!merged.empty() && merged.back().format == run.format)
            merged.back().text += run.text;
        else if (!run.text.empty())
            merged.push_back(std::move(run));
    }
    runs = std::move(merged);
}

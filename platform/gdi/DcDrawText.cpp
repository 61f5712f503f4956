#include "platform/gdi/Dc.h"
#include "platform/gdi/SysColors.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

struct Line {
    std::string text;   // without prefix marks
    int underline = -1; // index of the character after a single '&'
};

Line StripPrefix(const std::string& raw, bool noPrefix)
{
    Line line;
    if (noPrefix) {
        line.text = raw;
        return line;
    }
    for (size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] == '&' && i + 1 < raw.size()) {
            ++i;
            if (raw[i] != '&')
                line.underline = int(line.text.size());
        } else if (raw[i] == '&') {
            continue;
        }
        line.text += raw[i];
    }
    return line;
}

class Layout {
public:
    Layout(CDC& dc, UINT format, const TEXTMETRIC& tm) : m_dc(dc), m_format(format), m_tab(8 * tm.tmAveCharWidth) {}

    int Width(const std::string& raw) const
    {
        std::string s = StripPrefix(raw, m_format & DT_NOPREFIX).text;
        return Width(s.data(), int(s.size()));
    }

    // The last line measured is asked for again to place it: its width is kept.
    int Width(const char* s, int n) const
    {
        if (m_measured && m_last.compare(0, std::string::npos, s, size_t(n)) == 0)
            return m_lastWidth;
        m_last.assign(s, size_t(n));
        m_lastWidth = (m_format & DT_EXPANDTABS) ? m_dc.GetTabbedTextExtent(s, n, 1, &m_tab).cx
                                                 : m_dc.GetTextExtent(s, n).cx;
        m_measured = true;
        return m_lastWidth;
    }

    // Splits into lines: at line ends unless single-line, and between words to fit with word break.
    std::vector<std::string> Lines(const std::string& text, int maxWidth) const
    {
        std::vector<std::string> paragraphs;
        if (m_format & DT_SINGLELINE) {
            paragraphs.push_back(text);
        } else {
            std::string cur;
            for (size_t i = 0; i < text.size(); ++i) {
                if (text[i] == '\r' || text[i] == '\n') {
                    paragraphs.push_back(cur);
                    cur.clear();
                    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                        ++i;
                } else {
                    cur += text[i];
                }
            }
            paragraphs.push_back(cur);
        }
        if (!(m_format & DT_WORDBREAK) || (m_format & DT_SINGLELINE))
            return paragraphs;
        std::vector<std::string> lines;
        for (const std::string& p : paragraphs)
            Wrap(p, maxWidth, lines);
        return lines;
    }

    int tab() const { return m_tab; }

private:
    void Wrap(const std::string& p, int maxWidth, std::vector<std::string>& lines) const
    {
        // Widths only grow as characters are added, so a paragraph that fits breaks nowhere.
        if (Width(p) <= maxWidth) {
            lines.push_back(p);
            return;
        }
        std::string line;
        size_t i = 0;
        bool any = false;
        while (i < p.size()) {
            size_t start = i;
            while (i < p.size() && p[i] == ' ')
                ++i;
            while (i < p.size() && p[i] != ' ')
                ++i;
            std::string word = p.substr(start, i - start);
            if (any && Width(line + word) > maxWidth) {
                lines.push_back(line);
                size_t first = word.find_first_not_of(' ');
                line = first == std::string::npos ? std::string() : word.substr(first);
            } else {
                line += word;
            }
            any = true;
        }
        lines.push_back(line);
    }

    CDC& m_dc;
    UINT m_format;
    INT m_tab;
    mutable bool m_measured = false;
    mutable std::string m_last;
    mutable int m_lastWidth = 0;
};

std::string Ellipsize(const Layout& layout, std::string text, int maxWidth)
{
    if (layout.Width(text) <= maxWidth)
        return text;
    while (!text.empty() && layout.Width(text + "...") > maxWidth)
        text.pop_back();
    return text + "...";
}

}  // namespace

int CDC::DrawText(LPCTSTR text, int count, LPRECT rect, UINT format)
{
    if (!text || !rect || !m_hDC)
        return 0;
    std::string s(text, count < 0 ? std::strlen(text) : size_t(count));
    TEXTMETRIC tm{};
    GetTextMetrics(&tm);
    Layout layout(*this, format, tm);
    int lineHeight = tm.tmHeight + ((format & DT_EXTERNALLEADING) ? tm.tmExternalLeading : 0);
    int boxWidth = rect->right - rect->left;
    std::vector<std::string> lines = layout.Lines(s, boxWidth);
    if (format & DT_END_ELLIPSIS)
        for (std::string& l : lines)
            l = Ellipsize(layout, l, boxWidth);
    int height = lineHeight * int(lines.size());
    int top = rect->top;
    if (format & DT_SINGLELINE) {
        if (format & DT_VCENTER)
            top = rect->top + (rect->bottom - rect->top - lineHeight) / 2;
        else if (format & DT_BOTTOM)
            top = rect->bottom - lineHeight;
    }
    if (format & DT_CALCRECT) {
        int widest = 0;
        for (const std::string& l : lines)
            widest = std::max(widest, layout.Width(l));
        rect->right = rect->left + widest;
        rect->bottom = rect->top + height;
        return height;
    }
    UINT oldAlign = SetTextAlign(TA_LEFT | TA_TOP);
    for (size_t i = 0; i < lines.size(); ++i) {
        Line line = StripPrefix(lines[i], format & DT_NOPREFIX);
        int width = layout.Width(line.text.data(), int(line.text.size()));
        int x = (format & DT_CENTER) ? rect->left + (boxWidth - width) / 2
                : (format & DT_RIGHT) ? rect->right - width
                                      : rect->left;
        int y = top + int(i) * lineHeight;
        UINT options = (format & DT_NOCLIP) ? 0 : ETO_CLIPPED;
        if (format & DT_EXPANDTABS) {
            size_t start = 0;
            for (size_t k = 0; k <= line.text.size(); ++k) {
                if (k < line.text.size() && line.text[k] != '\t')
                    continue;
                int offset = layout.Width(line.text.data(), int(start));
                ExtTextOut(x + offset, y, options, rect, line.text.data() + start, UINT(k - start), nullptr);
                start = k + 1;
            }
        } else {
            ExtTextOut(x, y, options, rect, line.text.data(), UINT(line.text.size()), nullptr);
        }
        if (line.underline >= 0) {
            int left = x + layout.Width(line.text.data(), line.underline);
            int right = x + layout.Width(line.text.data(), line.underline + 1);
            RECT bar{left, y + tm.tmAscent + 1, right, y + tm.tmAscent + 2};
            CBrush underline(GetTextColor());
            FillRect(&bar, &underline);
        }
    }
    SetTextAlign(oldAlign);
    return top - rect->top + height;
}

int CDC::DrawText(const CString& text, LPRECT rect, UINT format)
{
    return DrawText(text, text.GetLength(), rect, format);
}

BOOL CDC::DrawState(POINT pt, SIZE size, LPCTSTR text, UINT flags, BOOL prefixText, int count, HBRUSH brush)
{
    if (!text)
        return FALSE;
    if (count <= 0)
        count = int(std::strlen(text));
    RECT r{pt.x, pt.y, pt.x + size.cx, pt.y + size.cy};
    if (size.cx == 0 && size.cy == 0) {
        SIZE ext = GetTextExtent(text, count);
        r.right = pt.x + ext.cx;
        r.bottom = pt.y + ext.cy;
    }
    UINT format = DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOCLIP | (prefixText ? 0 : DT_NOPREFIX);
    int oldMode = SetBkMode(TRANSPARENT);
    COLORREF oldColor = GetTextColor();
    if (flags & DSS_DISABLED) {
        // Embossed: a highlight one pixel down-right, the shadow on top.
        SetTextColor(::GetSysColor(COLOR_3DHILIGHT));
        RECT shifted{r.left + 1, r.top + 1, r.right + 1, r.bottom + 1};
        DrawText(text, count, &shifted, format);
        SetTextColor(::GetSysColor(COLOR_3DSHADOW));
    } else if ((flags & DSS_MONO) && brush) {
        LOGBRUSH lb{};
        ::GetObject(brush, sizeof(lb), &lb);
        SetTextColor(lb.lbColor);
    }
    DrawText(text, count, &r, format);
    SetTextColor(oldColor);
    SetBkMode(oldMode);
    return TRUE;
}

BOOL CDC::DrawState(POINT pt, SIZE size, HBITMAP bitmap, UINT flags, HBRUSH)
{
    CBitmap* bm = CBitmap::FromHandle(bitmap);
    if (!bm)
        return FALSE;
    BITMAP info{};
    bm->GetBitmap(&info);
    if (size.cx == 0 && size.cy == 0)
        size = {info.bmWidth, info.bmHeight};
    CDC mem;
    if (!mem.CreateCompatibleDC(this))
        return FALSE;
    CBitmap* old = mem.SelectObject(bm);
    if (flags & DSS_DISABLED) {
        // Grey the picture: a mask of its non-background pixels drawn in shadow colour.
        CBitmap mask;
        mask.CreateBitmap(size.cx, size.cy, 1, 1, nullptr);
        CDC maskDc;
        maskDc.CreateCompatibleDC(this);
        CBitmap* oldMask = maskDc.SelectObject(&mask);
        mem.SetBkColor(mem.GetPixel(0, 0));
        maskDc.BitBlt(0, 0, size.cx, size.cy, &mem, 0, 0, SRCCOPY);
        CBrush shadow(::GetSysColor(COLOR_3DSHADOW));
        CBrush* oldBrush = SelectObject(&shadow);
        COLORREF oldText = SetTextColor(RGB(0, 0, 0));
        COLORREF oldBk = SetBkColor(RGB(255, 255, 255));
        BitBlt(pt.x, pt.y, size.cx, size.cy, &maskDc, 0, 0, 0x00B8074A);
        SetTextColor(oldText);
        SetBkColor(oldBk);
        SelectObject(oldBrush);
        maskDc.SelectObject(oldMask);
    } else {
        BitBlt(pt.x, pt.y, size.cx, size.cy, &mem, 0, 0, SRCCOPY);
    }
    mem.SelectObject(old);
    return TRUE;
}

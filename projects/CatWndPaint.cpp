// Drawing the entries: tile, icon and name of each cell, in a memory bitmap first.
#include "projects/CatWnd.h"

#include "projects/CatSettings.h"
#include "projects/Catalogue.h"
#include "projects/CatalogueOb.h"
#include "platform/gdi/Dc.h"

namespace {

COLORREF ColourOf(const CCatSettings& settings, CCatSettings::Colour which)
{
    return settings.m_colours[which].colour;
}

} // namespace

void CCatWnd::OnPaint()
{
    CPaintDC paint(this);
    CRect client;
    GetClientRect(&client);
    CDC memory;
    memory.CreateCompatibleDC(&paint);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&paint, std::max(1, client.Width()), std::max(1, client.Height()));
    CBitmap* oldBitmap = memory.SelectObject(&bitmap);
    memory.FillSolidRect(&client, ColourOf(*m_settings, CCatSettings::Window));
    CFont* oldFont = memory.SelectObject(&m_itemFont);
    for (int i = 0; m_catalogue && i < m_catalogue->GetCount(); ++i)
        DrawItem(&memory, i);
    memory.SelectObject(oldFont);
    paint.BitBlt(0, 0, client.Width(), client.Height(), &memory, 0, 0, SRCCOPY);
    memory.SelectObject(oldBitmap);
}

void CCatWnd::DrawItem(CDC* dc, int index)
{
    CRect client, cell = GetItemRect(index, WholeCell), both;
    GetClientRect(&client);
    if (!both.IntersectRect(&cell, &client))
        return;
    DrawItemBackground(dc, index);
    DrawItemIcon(dc, index);
    DrawItemText(dc, index);
}

BOOL CCatWnd::IsSelectedShown(int index) const { return index == m_selection && ::GetFocus() == m_hWnd; }

void CCatWnd::DrawItemBackground(CDC* dc, int index)
{
    if (m_viewMode == NamesOnly)
        return;
    const CCatSettings& s = *m_settings;
    CRect tile = GetItemRect(index, IconTile);
    if (IsSelectedShown(index)) {
        dc->FillSolidRect(&tile, ColourOf(s, CCatSettings::Highlight));
        return;
    }
    if (s.m_iconMargin <= 0)
        return;
    dc->FillSolidRect(&tile, ColourOf(s, CCatSettings::Face));
    tile.DeflateRect(s.m_iconMargin - 1, s.m_iconMargin - 1);
    dc->Draw3dRect(&tile, ColourOf(s, CCatSettings::Shadow), ColourOf(s, CCatSettings::Light));
    tile.InflateRect(s.m_iconMargin - 1, s.m_iconMargin - 1);
    dc->Draw3dRect(&tile, ColourOf(s, CCatSettings::Light), ColourOf(s, CCatSettings::Shadow));
}

void CCatWnd::DrawItemIcon(CDC* dc, int index)
{
    if (m_viewMode == NamesOnly)
        return;
    const CRect tile = GetItemRect(index, IconTile);
    const int size = m_settings->m_iconSize;
    m_catalogue->GetEntry(index)->DrawIcon(dc, (tile.left + tile.right) / 2 - size / 2,
                                           (tile.top + tile.bottom) / 2 - size / 2, size);
}

void CCatWnd::DrawItemText(CDC* dc, int index)
{
    if (m_viewMode == IconsOnly)
        return;
    const CCatSettings& s = *m_settings;
    const CRect name = GetItemRect(index, NamePart);
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextAlign(m_viewMode == NamesOnly ? TA_LEFT : TA_CENTER);
    if (IsSelectedShown(index)) {
        dc->FillSolidRect(&name, ColourOf(s, CCatSettings::Highlight));
        dc->SetTextColor(ColourOf(s, CCatSettings::HighlightText));
    } else {
        dc->SetTextColor(ColourOf(s, CCatSettings::WindowText));
    }
    const CString& text = m_catalogue->GetEntry(index)->GetName();
    const int lines = m_viewMode == NamesOnly ? 1 : s.m_textLines;
    const int x = m_viewMode == NamesOnly ? name.left + 2 : (name.left + name.right) / 2 - 1;
    int start = 0;
    for (int k = 0; k < lines && start < text.GetLength(); ++k) {
        int next = start;
        const CString line = WrapLine(dc, text, start, name.Width() - 4, k == lines - 1, next);
        dc->ExtTextOut(x, name.top + k * m_textHeight + 2, 0, nullptr, line, nullptr);
        if (next <= start)
            break;
        start = next;
    }
}

// The line breaks at the last blank before the text grows too wide, else just before the
// character that does not fit; the last line that does not fit ends in "...".
CString CCatWnd::WrapLine(CDC* dc, const CString& name, int start, int width, BOOL last, int& next)
{
    CString candidate = name.Mid(start);
    const int cr = candidate.Find('\r');
    if (cr >= 0)
        candidate = candidate.Left(cr);
    if (dc->GetTextExtent(candidate).cx <= width) {
        next = start + candidate.GetLength();
        if (name.Mid(next, 2) == "\r\n")
            next += 2;
        return candidate;
    }
    const int available = last ? width - dc->GetTextExtent("...").cx : width;
    int fits = 0, blank = -1;
    while (fits < candidate.GetLength() && dc->GetTextExtent(candidate.Left(fits + 1)).cx <= available) {
        if (fits > 0 && candidate[fits] == ' ')
            blank = fits;
        ++fits;
    }
    const int length = blank > 0 ? blank : std::max(fits, 1);
    next = start + length;
    return last ? candidate.Left(length) + "..." : candidate.Left(length);
}

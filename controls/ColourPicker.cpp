#include "controls/ColourPicker.h"

#include "platform/gdi/Dc.h"

#include <algorithm>
#include <cstring>

IMPLEMENT_DYNCREATE(CColourPicker, CCoolCombo)

CColourPicker::CColourPicker()
{
    m_selection = CC_NONE;
    m_title = "Choose Color";
    m_extraText = "Automatic";
    m_textEntries.Add("More Colors...");
    m_tearOff = TRUE;
    SetColourTable(nullptr, 0);
}

void CColourPicker::SetColourTable(const ColourTableEntry* entries, int count)
{
    if (entries)
        m_table.assign(entries, entries + std::max(0, count));
    else
        m_table.assign(BuiltInColours.begin(), BuiltInColours.end());
    m_count = static_cast<int>(m_table.size());
    CreateColourPalette();
}

void CColourPicker::CreateColourPalette()
{
    std::vector<COLORREF> colours;
    for (const ColourTableEntry& entry : m_table)
        colours.push_back(entry.colour);
    ::CreateColourPalette(m_palette, colours.data(), static_cast<int>(colours.size()));
}

void CColourPicker::SetColour(COLORREF colour)
{
    const bool changed = colour != m_colour || m_selection != 0;
    m_colour = colour;
    m_selection = 0;
    if (changed)
        Redraw();
    if (auto* popup = dynamic_cast<CColourPickerPopup*>(m_popup))
        popup->SetColour(colour);
}

void CColourPicker::OpenPopup()
{
    std::vector<COLORREF> colours;
    CStringArray names;
    for (const ColourTableEntry& entry : m_table) {
        colours.push_back(entry.colour);
        names.Add(CString(entry.name, static_cast<int>(strnlen(entry.name, sizeof entry.name))));
    }
    ClosePopup();
    CRect r;
    GetWindowRect(&r);
    CCoolComboPopup::Content content = PopupContent();
    content.tips = &names;
    CColourPickerPopup::Colours own{colours.data(), static_cast<int>(colours.size()), m_colour, m_customColours,
                                    m_usePalette};
    auto* popup = new CColourPickerPopup;
    m_popup = popup;
    if (!popup->CreateColour(CPoint(r.left, r.bottom), this, 1, content, own)) {
        delete popup;
        m_popup = nullptr;
    }
}

void CColourPicker::OnPopupSelect(int colour)
{
    SetColour(static_cast<COLORREF>(colour));
    m_lastColour = m_colour;
    Forward(CCN_SELECT, m_colour);
}

void CColourPicker::OnPopupExtra()
{
    SetColour(AutomaticPickerColour);
    m_lastColour = AutomaticPickerColour;
    Forward(CCN_EXTRA, AutomaticPickerColour);
}

LRESULT CColourPicker::OnQueryCustomColours()
{
    return Forward(CCN_QUERYCUSTOMCOLOURS, 0);
}

BOOL CColourPicker::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    auto* record = reinterpret_cast<NMCOOLCOMBO*>(lParam);
    if (record && record->hdr.code == CCN_QUERYCUSTOMCOLOURS && (record->hdr.idFrom == 1 || record->hdr.hwndFrom == m_hWnd)) {
        if (result)
            *result = OnQueryCustomColours();
        return TRUE;
    }
    return CCoolCombo::OnNotify(wParam, lParam, result);
}

void CColourPicker::OnButtonClick()
{
    if (m_applyLastColourOnClick)
        Forward(CCN_SELECT, m_lastColour);
}

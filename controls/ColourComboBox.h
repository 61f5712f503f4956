// An owner-drawn, sorted combo box of the program colours with an optional "Automatic"
// entry (item data -1) first.
#pragma once

#include "platform/gdi/FontTypes.h"
#include "platform/ui/ComboBox.h"

constexpr COLORREF AutomaticColour = static_cast<COLORREF>(-1);

class CColourComboBox : public CComboBox {
public:
    CColourComboBox() = default;

    // itemHeight 20 stands for the font's text height + 2.
    void Fill(BOOL addAutomatic, const LOGFONT* font, int itemHeight);

    void DrawItem(LPDRAWITEMSTRUCT dis) override;
    void MeasureItem(LPMEASUREITEMSTRUCT mis) override;
    int CompareItem(LPCOMPAREITEMSTRUCT cis) override;

    // The order of the list: automatic first, then darker colours; never 0 for two colours.
    static int CompareColours(COLORREF a, COLORREF b);

private:
    void DrawCentredText(CDC& dc, const RECT& rect, UINT textId);

    LOGFONT m_font{};
    int m_itemHeight = 20;
};

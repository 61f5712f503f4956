// The colour picker button: the main part shows the current colour as a swatch (optionally
// under an image); the arrow opens the colour popup. Owners hear 1978 with the colour, 1980
// for "Automatic" and answer 1985 with 16 custom colours.
#pragma once

#include "controls/ColourPickerPopup.h"
#include "controls/ColourTableEntry.h"
#include "controls/CoolCombo.h"

#include <vector>

class CColourPicker : public CCoolCombo {
    DECLARE_DYNCREATE(CColourPicker)
public:
    CColourPicker();

    void SetColour(COLORREF colour);
    COLORREF GetColour() const { return m_colour; }
    COLORREF GetLastColour() const { return m_lastColour; }
    // A copy of the entries, or the built-in table when entries is null.
    void SetColourTable(const ColourTableEntry* entries, int count);
    int GetColourCount() const { return static_cast<int>(m_table.size()); }
    void CreateColourPalette();

    virtual void DrawColourSwatch(CDC& dc, const CRect& rect, UINT state);
    virtual LRESULT OnQueryCustomColours();

    void OpenPopup() override;
    void DrawButtonContent(CDC& dc, const CRect& rect) override;
    void OnButtonClick() override;
    void OnPopupSelect(int colour) override;
    void OnPopupExtra() override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;

    // Set by the owner.
    BOOL m_usePalette = TRUE;
    COLORREF* m_customColours = nullptr;
    BOOL m_applyLastColourOnClick = FALSE;
    BOOL m_swatchOverImage = FALSE;

protected:
    COLORREF m_colour = AutomaticPickerColour;
    COLORREF m_lastColour = AutomaticPickerColour;
    CPalette m_palette;
    std::vector<ColourTableEntry> m_table;
};

// The colour popup: a grid of named colour cells, "Automatic" above it and "More Colors..."
// below it, which runs the colour dialog.
#pragma once

#include "controls/CoolComboPopup.h"

#include <vector>

constexpr COLORREF AutomaticPickerColour = static_cast<COLORREF>(-1);

class CColourPickerPopup : public CCoolComboPopup {
    DECLARE_DYNCREATE(CColourPickerPopup)
public:
    // What the colour popup shows on top of the base content (whose count and selection it
    // sets from the colours).
    struct Colours {
        const COLORREF* colours = nullptr;
        int count = 0;
        COLORREF current = AutomaticPickerColour;
        COLORREF* customColours = nullptr;
        BOOL usePalette = TRUE;
    };

    BOOL CreateColour(CPoint at, CWnd* button, UINT id, const Content& content, const Colours& colours);
    void SetColour(COLORREF colour);
    COLORREF GetColour() const { return m_colour; }
    // The popup value of a colour: "Automatic", the first cell holding it, "More Colors...".
    static int ValueOf(COLORREF colour, const COLORREF* colours, int count, bool hasTextEntries);

    void OnChooseExtra() override;
    void OnChooseTextEntry(int entry) override;
    void OnChooseItem(int index) override;
    void OnHotChanged(int hot) override;
    CSize GetCellSize() override { return CSize(16, 16); }
    void DrawCellContent(CDC& dc, int index, const CRect& rect, BOOL enabled) override;

private:
    std::vector<COLORREF> m_colours;
    COLORREF* m_customColours = nullptr;
    CPalette m_palette;
    COLORREF m_colour = AutomaticPickerColour;
    BOOL m_usePalette = TRUE;
};

// A logical palette of the colours; a halftone palette when it cannot be built.
void CreateColourPalette(CPalette& palette, const COLORREF* colours, int count);

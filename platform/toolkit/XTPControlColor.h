// Colour controls: the drop-down button that shows the current colour, the grid that picks
// one, and the buttons beside it (automatic, more colours).
#pragma once

#include "platform/toolkit/XTPControl.h"

// -1 stands for the automatic colour.
constexpr COLORREF kAutomaticColor = static_cast<COLORREF>(-1);

class CXTPControlButtonColor : public CXTPControlButton {
    DECLARE_DYNCREATE(CXTPControlButtonColor)
public:
    void SetColor(COLORREF color);
    COLORREF GetColor() const { return m_color; }
    void Copy(const CXTPControl* source) override;

protected:
    COLORREF m_color = kAutomaticColor;
};

// A split button whose face carries a bar in the current colour under its icon.
class CXTPControlPopupColor : public CXTPControlPopup {
    DECLARE_DYNCREATE(CXTPControlPopupColor)
public:
    CXTPControlPopupColor() { m_type = ControlTypeSplitButtonPopup; }
    void SetColor(COLORREF color);
    COLORREF GetColor() const { return m_color; }
    void Draw(CDC* dc) override;
    void Copy(const CXTPControl* source) override;

protected:
    COLORREF m_color = kAutomaticColor;
};

// A grid of colours; a click takes the colour, tells the site (XTPN_EXECUTE) and closes the
// drop-down.
class CXTPControlColorSelector : public CXTPControl {
    DECLARE_DYNCREATE(CXTPControlColorSelector)
public:
    static constexpr int kColumns = 8, kRows = 5, kCell = 18;
    CXTPControlColorSelector() = default;

    void SetColor(COLORREF color);
    COLORREF GetColor() const { return m_color; }
    // The colour of the cell under a point of the bar; kAutomaticColor between cells.
    COLORREF ColorAt(CPoint point) const;
    CRect CellRect(int index) const;
    static COLORREF PaletteColor(int index);

    CSize GetSize(CDC* dc) override;
    void Draw(CDC* dc) override;
    void OnClick(CPoint point) override;
    void Copy(const CXTPControl* source) override;

protected:
    COLORREF m_color = kAutomaticColor;
};

// What the catalogue manager and its window share: cell sizes per view mode, icon and text
// measures, colours, fonts and the ids of their icons and menus.
#pragma once

#include "platform/core/String.h"
#include "platform/gdi/GdiTypes.h"

#include <array>

struct CatColour {
    COLORREF colour;
    BOOL fixed; // 0: follows the system colour
};

class CCatSettings {
public:
    enum Colour { Window, WindowText, Highlight, HighlightText, Face, Light, Shadow, ColourCount };
    static constexpr std::array<int, ColourCount> SystemColours = {COLOR_WINDOW,        COLOR_WINDOWTEXT,
                                                                   COLOR_HIGHLIGHT,     COLOR_HIGHLIGHTTEXT,
                                                                   COLOR_BTNFACE,       COLOR_BTNHIGHLIGHT,
                                                                   COLOR_BTNSHADOW};

    CCatSettings();

    // Colours that are not fixed are read again from the system.
    void ReadSystemColours();

    std::array<int, 4> m_cellWidth = {50, 40, -1, -1};
    std::array<int, 4> m_cellHeight = {70, 40, -1, 70};
    int m_initialViewMode = 0;
    int m_iconSize = 32;
    int m_iconMargin = 3;
    int m_textLines = 2;
    std::array<CatColour, ColourCount> m_colours{};
    int m_iconTextGap = 2;
    CString m_headerFontFace;
    int m_headerFontSize = 80;
    CString m_itemFontFace;
    int m_itemFontSize = 70;
    UINT m_headerIconId = 28577;
    UINT m_readOnlyIconId = 28578;
    UINT m_protectedIconId = 28578;
    UINT m_textEntryIconId = 28579;
    UINT m_entryMenuId = 28580;
    UINT m_catalogueMenuId = 28581;
    int m_saveLimit = 10;
};

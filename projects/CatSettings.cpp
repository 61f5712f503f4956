#include "projects/CatSettings.h"

#include "projects/CatalogueText.h"
#include "platform/gdi/SysColors.h"

CCatSettings::CCatSettings()
    : m_headerFontFace(CatalogueText(28597, "MS Sans Serif")), m_itemFontFace(CatalogueText(28598, "Small Fonts"))
{
    ReadSystemColours();
}

void CCatSettings::ReadSystemColours()
{
    for (size_t i = 0; i < m_colours.size(); ++i)
        if (!m_colours[i].fixed)
            m_colours[i].colour = GetSysColor(SystemColours[i]);
}

#include "objects/ViewSettings.h"

CViewSettings::CViewSettings() = default;

CViewSettings::~CViewSettings()
{
    for (INT_PTR i = 0; i < m_heldOleObjects.GetSize(); ++i)
        delete m_heldOleObjects.GetAt(i);
    m_heldOleObjects.RemoveAll();
}

CViewSettings& GetViewSettings()
{
    static CViewSettings settings;
    return settings;
}

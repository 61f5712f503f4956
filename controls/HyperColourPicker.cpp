#include "controls/HyperColourPicker.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CHyperColourPicker, CColourPicker)

void CHyperColourPicker::LoadColourTable(std::unique_ptr<CColourTableProvider> provider)
{
    std::vector<ColourTableEntry> table;
    const int count = provider ? provider->FillColourTable(table) : 0;
    provider.reset();
    static const ColourTableEntry none{};
    SetColourTable(table.empty() ? &none : table.data(), std::clamp(count, 0, static_cast<int>(table.size())));
}

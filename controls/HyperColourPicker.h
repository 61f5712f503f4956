// The property dialogs' colour picker: a colour picker whose table comes from a provider.
#pragma once

#include "controls/ColourPicker.h"

#include <memory>
#include <vector>

class CColourTableProvider {
public:
    virtual ~CColourTableProvider() = default;
    // Fills table with the colours; returns their count.
    virtual int FillColourTable(std::vector<ColourTableEntry>& table) = 0;
};

class CHyperColourPicker : public CColourPicker {
    DECLARE_DYNCREATE(CHyperColourPicker)
public:
    // Takes the provider's table and then deletes the provider.
    void LoadColourTable(std::unique_ptr<CColourTableProvider> provider);
};

#include "View/ColourChooser.h"

namespace {

ColourChooser g_colourChooser = nullptr;

} // namespace

void SetColourChooser(ColourChooser chooser)
{
    g_colourChooser = chooser;
}

ColourChooser GetColourChooser()
{
    return g_colourChooser;
}

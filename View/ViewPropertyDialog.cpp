#include "View/ViewPropertyDialog.h"

namespace {

PropertyDialogFactory g_factory = nullptr;
PropertyHostShower g_hostShower = nullptr;

} // namespace

void SetPropertyDialogFactory(PropertyDialogFactory factory)
{
    g_factory = factory;
}

PropertyDialogFactory GetPropertyDialogFactory()
{
    return g_factory;
}

void SetPropertyHostShower(PropertyHostShower shower)
{
    g_hostShower = shower;
}

void ShowPropertyHost()
{
    if (g_hostShower)
        g_hostShower();
}

#include "View/TextServices.h"

namespace {

CTextServices g_defaults;
CTextServices* g_services = nullptr;

} // namespace

CTextServices& GetTextServices()
{
    return g_services ? *g_services : g_defaults;
}

void SetTextServices(CTextServices* services)
{
    g_services = services;
}

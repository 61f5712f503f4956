#include "objects/ObjectHost.h"

namespace {
CObjectHost* (*g_resolver)(const CHyperRunView*) = nullptr;
}

CObjectHost* GetObjectHost(const CHyperRunView* view)
{
    return view && g_resolver ? g_resolver(view) : nullptr;
}

void SetObjectHostResolver(CObjectHost* (*resolver)(const CHyperRunView*))
{
    g_resolver = resolver;
}

#include "objects/kinds/NoteHost.h"

namespace {
CNoteHost g_default;
CNoteHost* g_host = &g_default;
}  // namespace

CNoteHost& GetNoteHost()
{
    return *g_host;
}

void SetNoteHost(CNoteHost* host)
{
    g_host = host ? host : &g_default;
}

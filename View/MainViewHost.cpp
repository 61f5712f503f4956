#include "View/MainViewHost.h"

namespace {

CMainViewHost g_default;
CMainViewHost* g_host = &g_default;

} // namespace

CMainViewHost& GetMainViewHost() { return *g_host; }

void SetMainViewHost(CMainViewHost* host) { g_host = host ? host : &g_default; }

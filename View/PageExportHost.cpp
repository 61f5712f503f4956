#include "View/PageExportHost.h"

namespace {

CPageExportHost g_defaultHost;
CPageExportHost* g_host = &g_defaultHost;

} // namespace

CPageExportHost& GetPageExportHost()
{
    return *g_host;
}

void SetPageExportHost(CPageExportHost* host)
{
    g_host = host ? host : &g_defaultHost;
}

CExportProgress::CExportProgress(int low, int high, int step, UINT captionId)
{
    GetPageExportHost().BeginProgress(low, high, step, captionId);
}

CExportProgress::~CExportProgress()
{
    GetPageExportHost().EndProgress();
}

void CExportProgress::Step(int times)
{
    for (int i = 0; i < times; ++i)
        GetPageExportHost().StepProgress();
}

#include "shell/audio/AudioReport.h"

#include <atomic>

namespace {
CAudioReport g_silent;
std::atomic<CAudioReport*> g_report{&g_silent};
}  // namespace

CAudioReport& GetAudioReport()
{
    return *g_report.load();
}

void SetAudioReport(CAudioReport* report)
{
    g_report.store(report ? report : &g_silent);
}

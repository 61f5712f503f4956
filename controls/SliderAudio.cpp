#include "controls/SliderAudio.h"

namespace {
CSliderAudio g_silent;
CSliderAudio* g_audio = &g_silent;
}

CSliderAudio& GetSliderAudio()
{
    return *g_audio;
}

void SetSliderAudio(CSliderAudio* audio)
{
    g_audio = audio ? audio : &g_silent;
}

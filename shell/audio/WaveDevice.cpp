#include "shell/audio/WaveDevice.h"

#include "objects/Wave.h"

#include "platform/media/WaveApi.h"

BOOL CWaveDevice::CanRecord(CWave& wave) const
{
    return waveInOpen(nullptr, GetId(), wave.FormatPointer(), 0, 0, WAVE_FORMAT_QUERY) == MMSYSERR_NOERROR;
}

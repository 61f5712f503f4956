// The desktop's sound devices through PortAudio's blocking streams.
#pragma once

#include "platform/media/WaveDevice.h"

std::shared_ptr<WaveDeviceProvider> MakePortAudioDevices();

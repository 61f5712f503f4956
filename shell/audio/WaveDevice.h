// The sound device a note records from and plays to: -1 is the desktop's preferred one.
#pragma once

#include "platform/core/Types.h"

class CWave;

class CWaveDevice {
public:
    virtual ~CWaveDevice() = default;

    // Whether the device can record in the wave's format.
    BOOL CanRecord(CWave& wave) const;
    UINT GetId() const { return UINT(m_id); }

private:
    int m_id = -1;
};

// Wave input and output on the desktop's sound devices. Each open device has its own thread:
// finished headers come back through the CALLBACK_FUNCTION callback there (WIM_DATA, WOM_DONE),
// with WIM_OPEN/WOM_OPEN first and WIM_CLOSE/WOM_CLOSE last. The calls may be made from any
// thread; a callback may queue headers and reset, but not close its own device. Reset returns
// once every queued header has come back through the callback, so a callback must never wait
// for the thread that resets (post to it, don't send).
#pragma once

#include "platform/media/WaveTypes.h"

UINT waveInGetNumDevs();
MMRESULT waveInOpen(LPHWAVEIN handle, UINT device, LPCWAVEFORMATEX format, DWORD_PTR callback,
                    DWORD_PTR instance, DWORD flags);
MMRESULT waveInPrepareHeader(HWAVEIN handle, LPWAVEHDR header, UINT size);
MMRESULT waveInUnprepareHeader(HWAVEIN handle, LPWAVEHDR header, UINT size);
MMRESULT waveInAddBuffer(HWAVEIN handle, LPWAVEHDR header, UINT size);
MMRESULT waveInStart(HWAVEIN handle);
MMRESULT waveInReset(HWAVEIN handle);
MMRESULT waveInClose(HWAVEIN handle);
MMRESULT waveInGetErrorText(MMRESULT error, LPSTR text, UINT size);

UINT waveOutGetNumDevs();
MMRESULT waveOutOpen(LPHWAVEOUT handle, UINT device, LPCWAVEFORMATEX format, DWORD_PTR callback,
                     DWORD_PTR instance, DWORD flags);
MMRESULT waveOutPrepareHeader(HWAVEOUT handle, LPWAVEHDR header, UINT size);
MMRESULT waveOutUnprepareHeader(HWAVEOUT handle, LPWAVEHDR header, UINT size);
MMRESULT waveOutWrite(HWAVEOUT handle, LPWAVEHDR header, UINT size);
MMRESULT waveOutPause(HWAVEOUT handle);
MMRESULT waveOutRestart(HWAVEOUT handle);
MMRESULT waveOutReset(HWAVEOUT handle);
MMRESULT waveOutGetPosition(HWAVEOUT handle, LPMMTIME time, UINT size);
MMRESULT waveOutClose(HWAVEOUT handle);
MMRESULT waveOutGetErrorText(MMRESULT error, LPSTR text, UINT size);

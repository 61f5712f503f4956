// Keeps a bitmap locked for writing while a decoder fills its lines.
#pragma once

#include "piclib/common/PLBmp.h"

class PLLockGuard {
public:
    explicit PLLockGuard(PLBmp& bmp) : m_Bmp(bmp) { m_Bmp.Lock(false, true); }
    ~PLLockGuard() { m_Bmp.Unlock(); }
    PLLockGuard(const PLLockGuard&) = delete;
    PLLockGuard& operator=(const PLLockGuard&) = delete;

private:
    PLBmp& m_Bmp;
};

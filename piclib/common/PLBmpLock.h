// Keeps a bitmap locked for writing while a decoder fills it.
#pragma once

#include "piclib/common/PLBmp.h"

class PLBmpLock {
public:
    explicit PLBmpLock(PLBmp& bmp) : m_Bmp(bmp) { m_Bmp.Lock(false, true); }
    ~PLBmpLock() { m_Bmp.Unlock(); }
    PLBmpLock(const PLBmpLock&) = delete;
    PLBmpLock& operator=(const PLBmpLock&) = delete;

private:
    PLBmp& m_Bmp;
};

// A global memory block locked for the length of a scope.
#pragma once

#include "platform/core/GlobalMemory.h"

class CLockedBlock {
public:
    explicit CLockedBlock(HGLOBAL handle)
        : m_handle(handle), m_data(handle ? static_cast<BYTE*>(GlobalLock(handle)) : nullptr),
          m_size(m_data ? GlobalSize(handle) : 0)
    {
    }
    ~CLockedBlock()
    {
        if (m_data)
            GlobalUnlock(m_handle);
    }
    CLockedBlock(const CLockedBlock&) = delete;
    CLockedBlock& operator=(const CLockedBlock&) = delete;

    BYTE* data() const { return m_data; }
    SIZE_T size() const { return m_size; }

private:
    HGLOBAL m_handle;
    BYTE* m_data;
    SIZE_T m_size;
};

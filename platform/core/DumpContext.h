// The diagnostic dump stream that CObject::Dump writes to.
#pragma once

#include "platform/core/Types.h"

#include <cstdio>

class CDumpContext {
public:
    explicit CDumpContext(std::FILE* pFile = stderr) : m_pFile(pFile) { }

    CDumpContext& operator<<(LPCSTR lpsz);
    CDumpContext& operator<<(const void* lp);
    CDumpContext& operator<<(int n);
    CDumpContext& operator<<(UINT n);
    CDumpContext& operator<<(LONGLONG n);
    CDumpContext& operator<<(double d);
    void Flush();

private:
    std::FILE* m_pFile;
};

extern CDumpContext afxDump;

#include "platform/core/SharedFile.h"

IMPLEMENT_DYNAMIC(CSharedFile, CMemFile)

CSharedFile::CSharedFile(UINT nAllocFlags, UINT nGrowBytes) : CMemFile(nGrowBytes), m_nAllocFlags(nAllocFlags) { }

CSharedFile::~CSharedFile() { Close(); }

BYTE* CSharedFile::Alloc(SIZE_T nBytes)
{
    m_hGlobalMemory = GlobalAlloc(m_nAllocFlags, nBytes);
    return m_hGlobalMemory != nullptr ? static_cast<BYTE*>(GlobalLock(m_hGlobalMemory)) : nullptr;
}

BYTE* CSharedFile::Realloc(BYTE*, SIZE_T nBytes)
{
    if (!m_bAllowGrow)
        return nullptr;
    GlobalUnlock(m_hGlobalMemory);
    HGLOBAL hNew = GlobalReAlloc(m_hGlobalMemory, nBytes, m_nAllocFlags | GMEM_MOVEABLE);
    if (hNew == nullptr) {
        GlobalLock(m_hGlobalMemory);
        return nullptr;
    }
    m_hGlobalMemory = hNew;
    return static_cast<BYTE*>(GlobalLock(m_hGlobalMemory));
}

void CSharedFile::Free(BYTE*)
{
    GlobalUnlock(m_hGlobalMemory);
    GlobalFree(m_hGlobalMemory);
    m_hGlobalMemory = nullptr;
}

HGLOBAL CSharedFile::Detach()
{
    HGLOBAL hMem = m_hGlobalMemory;
    if (hMem != nullptr)
        GlobalUnlock(hMem);
    m_hGlobalMemory = nullptr;
    m_lpBuffer = nullptr;
    Reset();
    return hMem;
}

void CSharedFile::SetHandle(HGLOBAL hGlobalMemory, BOOL bAllowGrow)
{
    Close();
    m_hGlobalMemory = hGlobalMemory;
    m_lpBuffer = static_cast<BYTE*>(GlobalLock(hGlobalMemory));
    m_nBufferSize = m_nFileSize = m_lpBuffer != nullptr ? GlobalSize(hGlobalMemory) : 0;
    m_bAllowGrow = bAllowGrow;
}

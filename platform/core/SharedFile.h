// CSharedFile: a memory file in a global memory block, to be handed on as an HGLOBAL
// (clipboard, data objects).
#pragma once

#include "platform/core/GlobalMemory.h"
#include "platform/core/MemFile.h"

class CSharedFile : public CMemFile {
    DECLARE_DYNAMIC(CSharedFile)
public:
    explicit CSharedFile(UINT nAllocFlags = GMEM_DDESHARE | GMEM_MOVEABLE, UINT nGrowBytes = 4096);
    ~CSharedFile() override;

    // The block passes to the caller; it may be larger than the data written.
    HGLOBAL Detach();
    // Takes over a block; its whole size is the file.
    void SetHandle(HGLOBAL hGlobalMemory, BOOL bAllowGrow = TRUE);

protected:
    BYTE* Alloc(SIZE_T nBytes) override;
    BYTE* Realloc(BYTE* lpMem, SIZE_T nBytes) override;
    void Free(BYTE* lpMem) override;

    UINT m_nAllocFlags;
    HGLOBAL m_hGlobalMemory = nullptr;
    BOOL m_bAllowGrow = TRUE;
};

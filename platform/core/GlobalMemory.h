// Global memory blocks. Handles are checked against the live blocks: a bad or freed
// handle makes every call fail with NULL / 0, never touch memory.
#pragma once

#include "platform/core/Types.h"

#include <vector>

constexpr UINT GMEM_FIXED = 0x0000;
constexpr UINT GMEM_MOVEABLE = 0x0002;
constexpr UINT GMEM_NOCOMPACT = 0x0010;
constexpr UINT GMEM_NODISCARD = 0x0020;
constexpr UINT GMEM_ZEROINIT = 0x0040;
constexpr UINT GMEM_MODIFY = 0x0080;
constexpr UINT GMEM_DISCARDABLE = 0x0100;
constexpr UINT GMEM_SHARE = 0x2000;
constexpr UINT GMEM_DDESHARE = 0x2000;
constexpr UINT GMEM_DISCARDED = 0x4000;
constexpr UINT GMEM_LOCKCOUNT = 0x00FF;
constexpr UINT GMEM_INVALID_HANDLE = 0x8000;
constexpr UINT GHND = GMEM_MOVEABLE | GMEM_ZEROINIT;
constexpr UINT GPTR = GMEM_FIXED | GMEM_ZEROINIT;

// Blocks larger than this are refused, as on the 32-bit platform.
constexpr SIZE_T kGlobalMaxBlock = 0x7FFFFFFF;

HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes);
// A locked block is resized only in place; a fixed block moves only with GMEM_MOVEABLE.
HGLOBAL GlobalReAlloc(HGLOBAL handle, SIZE_T bytes, UINT flags);
LPVOID GlobalLock(HGLOBAL handle);
BOOL GlobalUnlock(HGLOBAL handle);
SIZE_T GlobalSize(HGLOBAL handle);
UINT GlobalFlags(HGLOBAL handle);
HGLOBAL GlobalHandle(LPCVOID memory);
// Returns NULL on success and the handle when it was not a live block.
HGLOBAL GlobalFree(HGLOBAL handle);

// A new movable block holding the bytes; NULL when none can be had.
HGLOBAL GlobalFromBytes(const std::vector<BYTE>& bytes);
// The block's bytes; false when it is not a live block.
bool BytesFromGlobal(HGLOBAL block, std::vector<BYTE>& bytes);

// The cryptographic service's context and hash objects, offering MD5 over the system's
// crypto library. Handles are checked: a stale or foreign one fails the call.
#pragma once

#include "platform/core/Types.h"

using HCRYPTPROV = uintptr_t;
using HCRYPTKEY = uintptr_t;
using HCRYPTHASH = uintptr_t;
using ALG_ID = UINT;

constexpr DWORD PROV_RSA_FULL = 1;
constexpr DWORD CRYPT_VERIFYCONTEXT = 0xF0000000;
constexpr DWORD CRYPT_MACHINE_KEYSET = 0x00000020;
constexpr ALG_ID CALG_MD5 = 0x00008003;
constexpr DWORD HP_ALGID = 0x0001;
constexpr DWORD HP_HASHVAL = 0x0002;
constexpr DWORD HP_HASHSIZE = 0x0004;

// Only PROV_RSA_FULL is offered; containers and providers are not, so both names must be NULL.
BOOL CryptAcquireContext(
    HCRYPTPROV* provider, LPCSTR container, LPCSTR providerName, DWORD providerType, DWORD flags);
// Hash objects still made from the context go with it.
BOOL CryptReleaseContext(HCRYPTPROV provider, DWORD flags);
// CALG_MD5 only, without a key.
BOOL CryptCreateHash(HCRYPTPROV provider, ALG_ID algorithm, HCRYPTKEY key, DWORD flags, HCRYPTHASH* hash);
// Fails once the value has been read.
BOOL CryptHashData(HCRYPTHASH hash, const BYTE* data, DWORD length, DWORD flags);
// With a null `data` the size needed goes to *length. A buffer too small fails.
BOOL CryptGetHashParam(HCRYPTHASH hash, DWORD param, BYTE* data, DWORD* length, DWORD flags);
BOOL CryptDestroyHash(HCRYPTHASH hash);

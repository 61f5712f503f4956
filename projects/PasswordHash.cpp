#include "projects/PasswordHash.h"

#include "platform/sys/Crypt.h"

namespace {

// Releases the hash and the context on every path.
struct HashSession {
    HCRYPTPROV provider = 0;
    HCRYPTHASH hash = 0;
    ~HashSession()
    {
        if (hash)
            CryptDestroyHash(hash);
        if (provider)
            CryptReleaseContext(provider, 0);
    }
};

} // namespace

BOOL CPasswordHash::HashToHex(const CString& text, CString& out) const
{
    HashSession session;
    BYTE value[16] = {};
    DWORD length = sizeof value;
    if (!CryptAcquireContext(&session.provider, nullptr, nullptr, PROV_RSA_FULL,
                             CRYPT_VERIFYCONTEXT | CRYPT_MACHINE_KEYSET) ||
        !CryptCreateHash(session.provider, CALG_MD5, 0, 0, &session.hash) ||
        !CryptHashData(session.hash, reinterpret_cast<const BYTE*>(static_cast<LPCTSTR>(text)),
                       static_cast<DWORD>(text.GetLength()), 0) ||
        !CryptGetHashParam(session.hash, HP_HASHVAL, value, &length, 0) || length != sizeof value)
        return FALSE;
    out.Empty();
    for (BYTE byte : value)
        out.AppendFormat("%02x", byte);
    return TRUE;
}

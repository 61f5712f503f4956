#include "platform/sys/Crypt.h"

#include <openssl/evp.h>

#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <set>

namespace {

struct EvpContextDeleter {
    void operator()(EVP_MD_CTX* context) const { EVP_MD_CTX_free(context); }
};

struct HashObject {
    HCRYPTPROV provider = 0;
    std::unique_ptr<EVP_MD_CTX, EvpContextDeleter> context;
    bool finished = false;
    BYTE value[16] = {};
};

// Handles are numbers handed out once, so a destroyed one is never mistaken for a live one.
struct CryptTable {
    std::mutex lock;
    uintptr_t next = 1;
    std::set<HCRYPTPROV> providers;
    std::map<HCRYPTHASH, HashObject> hashes;
};

CryptTable& Table()
{
    static CryptTable table;
    return table;
}

bool Finish(HashObject& hash)
{
    if (hash.finished)
        return true;
    unsigned int size = 0;
    if (EVP_DigestFinal_ex(hash.context.get(), hash.value, &size) != 1 || size != sizeof hash.value)
        return false;
    hash.finished = true;
    return true;
}

BOOL CopyOut(const BYTE* value, DWORD size, BYTE* data, DWORD* length)
{
    if (length == nullptr)
        return FALSE;
    if (data == nullptr) {
        *length = size;
        return TRUE;
    }
    if (*length < size) {
        *length = size;
        return FALSE;
    }
    std::memcpy(data, value, size);
    *length = size;
    return TRUE;
}

DWORD AsBytes(DWORD value, BYTE* out)
{
    std::memcpy(out, &value, sizeof value);
    return sizeof value;
}

} // namespace

BOOL CryptAcquireContext(
    HCRYPTPROV* provider, LPCSTR container, LPCSTR providerName, DWORD providerType, DWORD)
{
    if (provider == nullptr || container != nullptr || providerName != nullptr
        || providerType != PROV_RSA_FULL)
        return FALSE;
    CryptTable& table = Table();
    std::lock_guard guard(table.lock);
    *provider = table.next++;
    table.providers.insert(*provider);
    return TRUE;
}

BOOL CryptReleaseContext(HCRYPTPROV provider, DWORD)
{
    CryptTable& table = Table();
    std::lock_guard guard(table.lock);
    if (table.providers.erase(provider) == 0)
        return FALSE;
    std::erase_if(table.hashes, [provider](const auto& entry) { return entry.second.provider == provider; });
    return TRUE;
}

BOOL CryptCreateHash(HCRYPTPROV provider, ALG_ID algorithm, HCRYPTKEY key, DWORD, HCRYPTHASH* hash)
{
    if (hash == nullptr || algorithm != CALG_MD5 || key != 0)
        return FALSE;
    CryptTable& table = Table();
    std::lock_guard guard(table.lock);
    if (!table.providers.contains(provider))
        return FALSE;
    HashObject object;
    object.provider = provider;
    object.context.reset(EVP_MD_CTX_new());
    if (!object.context || EVP_DigestInit_ex(object.context.get(), EVP_md5(), nullptr) != 1)
        return FALSE;
    *hash = table.next++;
    table.hashes.emplace(*hash, std::move(object));
    return TRUE;
}

BOOL CryptHashData(HCRYPTHASH hash, const BYTE* data, DWORD length, DWORD)
{
    CryptTable& table = Table();
    std::lock_guard guard(table.lock);
    auto found = table.hashes.find(hash);
    if (found == table.hashes.end() || found->second.finished || (data == nullptr && length != 0))
        return FALSE;
    return length == 0 || EVP_DigestUpdate(found->second.context.get(), data, length) == 1;
}

BOOL CryptGetHashParam(HCRYPTHASH hash, DWORD param, BYTE* data, DWORD* length, DWORD)
{
    CryptTable& table = Table();
    std::lock_guard guard(table.lock);
    auto found = table.hashes.find(hash);
    if (found == table.hashes.end())
        return FALSE;
    HashObject& object = found->second;
    BYTE number[sizeof(DWORD)];
    switch (param) {
    case HP_ALGID:
        return CopyOut(number, AsBytes(CALG_MD5, number), data, length);
    case HP_HASHSIZE:
        return CopyOut(number, AsBytes(sizeof object.value, number), data, length);
    case HP_HASHVAL:
        if (data != nullptr && length != nullptr && *length >= sizeof object.value && !Finish(object))
            return FALSE;
        return CopyOut(object.value, sizeof object.value, data, length);
    default:
        return FALSE;
    }
}

BOOL CryptDestroyHash(HCRYPTHASH hash)
{
    CryptTable& table = Table();
    std::lock_guard guard(table.lock);
    auto found = table.hashes.find(hash);
    if (found == table.hashes.end())
        return FALSE;
    table.hashes.erase(found);
    return TRUE;
}

#include "platform/sys/Crypt.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

// The digest as the project password code forms it: acquire, hash, read, destroy, release.
std::string Md5Hex(const std::string& text)
{
    HCRYPTPROV provider = 0;
    HCRYPTHASH hash = 0;
    if (!CryptAcquireContext(
            &provider, nullptr, nullptr, PROV_RSA_FULL, CRYPT_VERIFYCONTEXT | CRYPT_MACHINE_KEYSET))
        return "no context";
    std::string hex;
    BYTE value[16];
    DWORD length = sizeof value;
    if (CryptCreateHash(provider, CALG_MD5, 0, 0, &hash)
        && CryptHashData(hash, reinterpret_cast<const BYTE*>(text.data()), static_cast<DWORD>(text.size()), 0)
        && CryptGetHashParam(hash, HP_HASHVAL, value, &length, 0) && length == 16) {
        for (BYTE b : value) {
            char digits[3];
            std::snprintf(digits, sizeof digits, "%02x", b);
            hex += digits;
        }
    }
    EXPECT_TRUE(CryptDestroyHash(hash));
    EXPECT_TRUE(CryptReleaseContext(provider, 0));
    return hex;
}

TEST(Crypt, Md5OfTheReferenceVectors)
{
    const std::pair<const char*, const char*> vectors[] = {
        { "", "d41d8cd98f00b204e9800998ecf8427e" },
        { "a", "0cc175b9c0f1b6a831c399e269772661" },
        { "abc", "900150983cd24fb0d6963f7d28e17f72" },
        { "message digest", "f96b697d7cb7938d525a2f31aaf161d0" },
        { "abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b" },
        { "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789",
            "d174ab98d277d9f5a5611c2c9f419d9f" },
        { "12345678901234567890123456789012345678901234567890123456789012345678901234567890",
            "57edf4a22be3c955ac49da2e2107b67a" },
    };
    for (const auto& [text, digest] : vectors)
        EXPECT_EQ(Md5Hex(text), digest) << text;
}

TEST(Crypt, HashesTheBytesOfEightBitText)
{
    EXPECT_EQ(Md5Hex("\xE4"), "c15bcc5577f9fade4b4a3256190a59b0");
}

TEST(Crypt, SizesAndAlgorithmAreReported)
{
    HCRYPTPROV provider = 0;
    HCRYPTHASH hash = 0;
    ASSERT_TRUE(CryptAcquireContext(&provider, nullptr, nullptr, PROV_RSA_FULL, CRYPT_VERIFYCONTEXT));
    ASSERT_TRUE(CryptCreateHash(provider, CALG_MD5, 0, 0, &hash));
    DWORD length = 0;
    EXPECT_TRUE(CryptGetHashParam(hash, HP_HASHVAL, nullptr, &length, 0));
    EXPECT_EQ(length, 16u);
    BYTE small[8];
    length = sizeof small;
    EXPECT_FALSE(CryptGetHashParam(hash, HP_HASHVAL, small, &length, 0));
    DWORD algorithm = 0;
    length = sizeof algorithm;
    EXPECT_TRUE(CryptGetHashParam(hash, HP_ALGID, reinterpret_cast<BYTE*>(&algorithm), &length, 0));
    EXPECT_EQ(algorithm, CALG_MD5);
    EXPECT_TRUE(CryptReleaseContext(provider, 0));
    EXPECT_FALSE(CryptDestroyHash(hash)) << "the hash went with its context";
}

TEST(Crypt, RefusesWhatItDoesNotOffer)
{
    HCRYPTPROV provider = 0;
    HCRYPTHASH hash = 0;
    EXPECT_FALSE(CryptAcquireContext(&provider, nullptr, nullptr, 24, 0));
    EXPECT_FALSE(CryptAcquireContext(&provider, "container", nullptr, PROV_RSA_FULL, 0));
    ASSERT_TRUE(CryptAcquireContext(&provider, nullptr, nullptr, PROV_RSA_FULL, 0));
    EXPECT_FALSE(CryptCreateHash(provider, 0x8004, 0, 0, &hash)) << "SHA-1 is not offered";
    EXPECT_FALSE(CryptCreateHash(provider + 1000, CALG_MD5, 0, 0, &hash));
    ASSERT_TRUE(CryptCreateHash(provider, CALG_MD5, 0, 0, &hash));
    BYTE value[16];
    DWORD length = sizeof value;
    ASSERT_TRUE(CryptGetHashParam(hash, HP_HASHVAL, value, &length, 0));
    EXPECT_FALSE(CryptHashData(hash, value, 1, 0)) << "a finished hash takes no more data";
    EXPECT_TRUE(CryptDestroyHash(hash));
    EXPECT_FALSE(CryptDestroyHash(hash));
    EXPECT_TRUE(CryptReleaseContext(provider, 0));
    EXPECT_FALSE(CryptReleaseContext(provider, 0));
}

} // namespace

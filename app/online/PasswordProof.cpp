#include "PasswordProof.h"

#include <cstring>

#include <sodium.h>

namespace Online {

namespace {

// Separates these keys from any other use of a hash of the password.
const char* const KEY_CONTEXT = "vektra-online-password-key-1";

} // namespace

bool PasswordProof::ready()
{
    return sodium_init() >= 0;
}

PasswordProof::Nonce PasswordProof::freshNonce()
{
    Nonce nonce{};
    randombytes_buf(nonce.data(), nonce.size());
    return nonce;
}

PasswordProof::Proof PasswordProof::answer(const std::string& password, const Nonce& nonce)
{
    unsigned char key[crypto_generichash_KEYBYTES];
    crypto_generichash(key, sizeof key, reinterpret_cast<const unsigned char*>(password.data()),
                       password.size(), reinterpret_cast<const unsigned char*>(KEY_CONTEXT),
                       std::strlen(KEY_CONTEXT));
    Proof proof{};
    crypto_generichash(proof.data(), proof.size(), nonce.data(), nonce.size(), key, sizeof key);
    sodium_memzero(key, sizeof key);
    return proof;
}

bool PasswordProof::matches(const Proof& expected, const Proof& given)
{
    return sodium_memcmp(expected.data(), given.data(), expected.size()) == 0;
}

std::uint64_t PasswordProof::randomToken()
{
    std::uint64_t token = 0;
    while (token == 0) {
        randombytes_buf(&token, sizeof token);
    }
    return token;
}

} // namespace Online

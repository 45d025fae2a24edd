#include "platform/signature.h"

#include <openssl/bio.h>
#include <openssl/evp.h>
#include <openssl/pem.h>

#include <fstream>
#include <memory>

namespace signature {

namespace {

constexpr std::size_t KeySize = 32;
constexpr std::size_t SignatureSize = 64;

struct PkeyFree { void operator()(EVP_PKEY *key) const { EVP_PKEY_free(key); } };
struct CtxFree { void operator()(EVP_MD_CTX *ctx) const { EVP_MD_CTX_free(ctx); } };
struct BioFree { void operator()(BIO *bio) const { BIO_free(bio); } };
using Pkey = std::unique_ptr<EVP_PKEY, PkeyFree>;

std::optional<Bytes> fromHex(std::string_view text, std::size_t size)
{
    if (text.size() != size * 2)
        return std::nullopt;
    Bytes bytes(size);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        int digit;
        if (c >= '0' && c <= '9') digit = c - '0';
        else if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
        else return std::nullopt;
        bytes[i / 2] = static_cast<unsigned char>(bytes[i / 2] * 16 + digit);
    }
    return bytes;
}

std::string_view trimmed(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

} // namespace

std::optional<Bytes> parsePublicKey(std::string_view text)
{
    text = trimmed(text);
    if (auto raw = fromHex(text, KeySize))
        return raw;
    std::string pem(text);
    if (pem.find("-----BEGIN") == std::string::npos)
        pem = "-----BEGIN PUBLIC KEY-----\n" + pem + "\n-----END PUBLIC KEY-----\n";
    std::unique_ptr<BIO, BioFree> bio(BIO_new_mem_buf(pem.data(), static_cast<int>(pem.size())));
    if (!bio)
        return std::nullopt;
    Pkey key(PEM_read_bio_PUBKEY(bio.get(), nullptr, nullptr, nullptr));
    if (!key || EVP_PKEY_get_id(key.get()) != EVP_PKEY_ED25519)
        return std::nullopt;
    Bytes raw(KeySize);
    std::size_t length = raw.size();
    if (EVP_PKEY_get_raw_public_key(key.get(), raw.data(), &length) != 1 || length != KeySize)
        return std::nullopt;
    return raw;
}

std::optional<Bytes> parseSignature(std::string_view content)
{
    if (content.size() == SignatureSize)
        return Bytes(content.begin(), content.end());
    return fromHex(trimmed(content), SignatureSize);
}

bool verifyFile(const std::string &path, const Bytes &publicKey, const Bytes &signature, std::string &reason)
{
    if (publicKey.size() != KeySize || signature.size() != SignatureSize) {
        reason = "the signature or the key has the wrong size";
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        reason = "the downloaded file cannot be read";
        return false;
    }
    // Ed25519 signs the message itself, not a digest of it: the whole file must be at hand.
    const Bytes content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) {
        reason = "the downloaded file cannot be read";
        return false;
    }
    Pkey key(EVP_PKEY_new_raw_public_key(EVP_PKEY_ED25519, nullptr, publicKey.data(), publicKey.size()));
    std::unique_ptr<EVP_MD_CTX, CtxFree> ctx(EVP_MD_CTX_new());
    if (!key || !ctx || EVP_DigestVerifyInit(ctx.get(), nullptr, nullptr, nullptr, key.get()) != 1) {
        reason = "the public key cannot be used";
        return false;
    }
    if (EVP_DigestVerify(ctx.get(), signature.data(), signature.size(), content.data(), content.size()) != 1) {
        reason = "the signature does not match the file";
        return false;
    }
    return true;
}

} // namespace signature

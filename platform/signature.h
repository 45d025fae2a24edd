#pragma once
// Detached Ed25519 signatures of downloaded files, checked with OpenSSL.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace signature {

using Bytes = std::vector<unsigned char>;

// The 32 raw bytes of an Ed25519 public key given as 64 hex digits, as PEM text, or as the base64
// body of a PEM block; nothing when the text is none of these.
std::optional<Bytes> parsePublicKey(std::string_view text);

// The 64 raw bytes of a signature given raw (as `openssl pkeyutl -sign -rawin` writes it) or as
// 128 hex digits; nothing otherwise.
std::optional<Bytes> parseSignature(std::string_view content);

// True when `signature` is a valid signature of the whole file at `path` under `publicKey` (both raw).
// Otherwise false, with a reason.
bool verifyFile(const std::string &path, const Bytes &publicKey, const Bytes &signature, std::string &reason);

} // namespace signature

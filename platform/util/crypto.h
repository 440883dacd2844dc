// util::crypto: Base64 and URL encoding.
#pragma once

#include <string>
#include <string_view>

namespace util {
namespace crypto {

// Standard Base64 (with padding). Decoding rejects any character outside the alphabet, bad
// padding and trailing garbage: false and *out untouched.
bool Decode64(std::string_view in, std::string* out);
std::string Encode64(std::string_view in);

// Percent-encodes every byte except the unreserved ones (A-Z a-z 0-9 - _ . ~); a space
// becomes %20.
std::string RawUrlEncode(std::string_view in);

}  // namespace crypto
}  // namespace util

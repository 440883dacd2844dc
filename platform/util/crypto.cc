#include "platform/util/crypto.h"

#include <QByteArray>

namespace util {
namespace crypto {

bool Decode64(std::string_view in, std::string* out) {
  // Standard Base64 comes in padded quanta of four; Qt alone would accept a truncated tail.
  if (!out || in.size() % 4 != 0) return false;
  auto result = QByteArray::fromBase64Encoding(
      QByteArray(in.data(), static_cast<int>(in.size())),
      QByteArray::Base64Encoding | QByteArray::AbortOnBase64DecodingErrors);
  if (result.decodingStatus != QByteArray::Base64DecodingStatus::Ok) return false;
  out->assign(result.decoded.constData(), static_cast<size_t>(result.decoded.size()));
  return true;
}

std::string Encode64(std::string_view in) {
  return QByteArray(in.data(), static_cast<int>(in.size())).toBase64().toStdString();
}

std::string RawUrlEncode(std::string_view in) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(in.size() * 3);
  for (unsigned char c : in) {
    const bool unreserved = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                            (c >= '0' && c <= '9') || c == '-' || c == '_' || c == '.' || c == '~';
    if (unreserved) {
      out.push_back(static_cast<char>(c));
    } else {
      out.push_back('%');
      out.push_back(kHex[c >> 4]);
      out.push_back(kHex[c & 0xF]);
    }
  }
  return out;
}

}  // namespace crypto
}  // namespace util

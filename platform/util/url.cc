#include "platform/util/url.h"

#include <QUrl>
#include <QUrlQuery>

#include "platform/util/crypto.h"

namespace util {
namespace url {

std::string AppendQueryParams(const std::string& url, const std::string& key,
                              const std::string& value) {
  const bool has_query = url.find('?') != std::string::npos;
  return std::string(has_query ? "&" : "?") + crypto::RawUrlEncode(key) + "=" +
         crypto::RawUrlEncode(value);
}

}  // namespace url
}  // namespace util

namespace base {
namespace net {

std::optional<URL> URL::From(const std::string& text) {
  QUrl q(QString::fromStdString(text), QUrl::StrictMode);
  if (!q.isValid() || q.scheme().isEmpty() || q.host().isEmpty()) return std::nullopt;
  URL u;
  u.text_ = text;
  u.scheme_ = q.scheme().toStdString();
  u.host_ = q.host().toStdString();
  u.path_ = q.path().toStdString();
  const QUrlQuery query(q);
  for (const auto& item : query.queryItems(QUrl::FullyDecoded))
    u.query_.emplace(item.first.toStdString(), item.second.toStdString());
  return u;
}

std::string URL::GetQueryValue(const std::string& key) const {
  auto it = query_.find(key);
  return it == query_.end() ? std::string() : it->second;
}

bool URL::HasQuery(const std::string& key) const { return query_.count(key) > 0; }

}  // namespace net
}  // namespace base

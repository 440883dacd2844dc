// util::url and base::net::URL: building and reading URLs.
#pragma once

#include <map>
#include <optional>
#include <string>

namespace util {
namespace url {

// The text to append to url to add one query parameter: "?key=value" when url has no query
// yet, else "&key=value". Key and value are percent-encoded, so neither can add or change
// another parameter.
//   std::string u = "https://x/p";  u += AppendQueryParams(u, "mid", "42");  // ".../p?mid=42"
std::string AppendQueryParams(const std::string& url, const std::string& key,
                              const std::string& value);

}  // namespace url
}  // namespace util

namespace base {
namespace net {

class URL {
 public:
  // Parses an absolute URL with a scheme and a host; nullopt otherwise.
  static std::optional<URL> From(const std::string& text);

  const std::string& scheme() const { return scheme_; }
  const std::string& host() const { return host_; }
  const std::string& path() const { return path_; }
  // The decoded value of a query parameter (the first one of that name), or "".
  std::string GetQueryValue(const std::string& key) const;
  bool HasQuery(const std::string& key) const;
  const std::string& text() const { return text_; }

 private:
  std::string text_, scheme_, host_, path_;
  std::multimap<std::string, std::string> query_;
};

}  // namespace net
}  // namespace base

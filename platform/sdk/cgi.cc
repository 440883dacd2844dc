#include "platform/sdk/cgi.h"

#include "platform/sdk/environment.h"

namespace velmosdk {
namespace utils {
namespace cgi {

std::string MakeCgiCommonUrlPath(std::string_view path) {
  std::string url = environment::GetCgiBaseUrl();
  const bool base_slash = !url.empty() && url.back() == '/';
  const bool path_slash = !path.empty() && path.front() == '/';
  if (base_slash && path_slash) {
    path.remove_prefix(1);
  } else if (!base_slash && !path_slash && !url.empty() && !path.empty()) {
    url += '/';
  }
  url.append(path);
  return url;
}

}  // namespace cgi
}  // namespace utils
}  // namespace velmosdk

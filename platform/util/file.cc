#include "platform/util/file.h"

namespace util {
namespace file {

namespace {
std::string Join(const std::string& dir, const std::string& name) {
  if (dir.empty()) return name;
  size_t start = 0;
  while (start < name.size() && name[start] == '/') ++start;
  std::string out = dir;
  if (out.back() != '/') out.push_back('/');
  out.append(name, start, std::string::npos);
  return out;
}
}  // namespace

std::string MakeFilePath(const std::string& dir, const std::string& name) { return Join(dir, name); }

std::string MakeChildDirPath(const std::string& dir, const std::string& child) {
  std::string out = Join(dir, child);
  if (out.empty() || out.back() != '/') out.push_back('/');
  return out;
}

}  // namespace file
}  // namespace util

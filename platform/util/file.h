// util::file: path building. Paths use '/'; no file system access.
#pragma once

#include <string>

namespace util {
namespace file {

// dir joined with a file name: "a/b" + "c.png" -> "a/b/c.png" (one separator between).
std::string MakeFilePath(const std::string& dir, const std::string& name);
// dir joined with a child directory, ending with '/': "a" + "raw" -> "a/raw/".
std::string MakeChildDirPath(const std::string& dir, const std::string& child);

}  // namespace file
}  // namespace util

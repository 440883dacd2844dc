#include "platform/framework/string_formatter.h"

namespace framework {

StringFormatter& StringFormatter::Arg(const std::string& name,
                                      const base::variant::Variant& value) {
  args_[name] = value.IsString() ? value.AsStr() : value.ToString();
  return *this;
}

std::string StringFormatter::Str() const {
  std::string out;
  out.reserve(pattern_.size());
  size_t i = 0;
  while (i < pattern_.size()) {
    if (pattern_[i] == '{') {
      size_t close = pattern_.find('}', i + 1);
      if (close != std::string::npos) {
        auto it = args_.find(pattern_.substr(i + 1, close - i - 1));
        if (it != args_.end()) {
          out += it->second;
          i = close + 1;
          continue;
        }
      }
    }
    out.push_back(pattern_[i++]);
  }
  return out;
}

}  // namespace framework

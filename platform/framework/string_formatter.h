// framework::StringFormatter: fills named arguments into a localized pattern.
//
//   std::string s = StringFormatter("{app_name} and {app_number} more")
//                       .Arg("app_name", Variant("Notes")).Arg("app_number", Variant("3")).Str();
//
// A placeholder is the argument's name in braces; a placeholder without an argument stays as
// written. Numbers are written in decimal, strings as they are.
#pragma once

#include <map>
#include <string>

#include "platform/base/variant.h"

namespace framework {

class StringFormatter {
 public:
  explicit StringFormatter(std::string pattern) : pattern_(std::move(pattern)) {}
  StringFormatter& Arg(const std::string& name, const base::variant::Variant& value);
  std::string Str() const;

 private:
  std::string pattern_;
  std::map<std::string, std::string> args_;
};

}  // namespace framework

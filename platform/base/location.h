// base::Location: where a subscription, timer or task was made, for logs and traces.
#pragma once

namespace base {

class Location {
 public:
  Location() = default;
  Location(const char* file, int line, const char* function = "")
      : file_(file ? file : ""), line_(line), function_(function ? function : "") {}

  const char* file() const { return file_; }
  int line() const { return line_; }
  const char* function() const { return function_; }
  bool IsEmpty() const { return line_ == 0 && file_[0] == '\0'; }

 private:
  const char* file_ = "";
  int line_ = 0;
  const char* function_ = "";
};

}  // namespace base

#define FROM_HERE ::base::Location(__FILE__, __LINE__, __func__)

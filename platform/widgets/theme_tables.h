// The theme tables behind QssSetter and QTUICustomThemeHelper: one table per theme, each listing
// every vl_color_ token once with its colour ("#RRGGBB", or "#AARRGGBB" where it is translucent).
// Widget code names tokens only; a colour literal belongs in these tables and nowhere else.
#pragma once

#include <cstddef>

namespace velmo_widgets {

struct ThemeColor {
  const char* token;
  const char* color;
};

struct ThemeTable {
  const char* name;
  const ThemeColor* colors;
  size_t size;
};

const ThemeTable& LightThemeTable();
const ThemeTable& DarkThemeTable();

}  // namespace velmo_widgets

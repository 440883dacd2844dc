// VLQtUiUtil: resource helpers of the widget kit.
#pragma once

#include <string>

class QString;
class QWidget;

class VLQtUiUtil {
 public:
  // Registers a module's binary Qt resource file under root (":" + root). False when the file
  // is missing or not a resource file; registering the same file twice is harmless.
  static bool LoadQtModuleResource(const std::string& rcc_file, const std::string& root);
  static bool UnloadQtModuleResource(const std::string& rcc_file, const std::string& root);
};

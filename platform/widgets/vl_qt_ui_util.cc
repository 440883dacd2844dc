#include "platform/widgets/vl_qt_ui_util.h"

#include <set>
#include <utility>

#include <QResource>
#include <QString>

#include "platform/base/log.h"

namespace {
std::set<std::pair<std::string, std::string>>& Loaded() {
  static auto* loaded = new std::set<std::pair<std::string, std::string>>();
  return *loaded;
}
}  // namespace

bool VLQtUiUtil::LoadQtModuleResource(const std::string& rcc_file, const std::string& root) {
  if (Loaded().count({rcc_file, root})) return true;
  if (rcc_file.empty() ||
      !QResource::registerResource(QString::fromStdString(rcc_file), QString::fromStdString(root))) {
    VLOG(1) << "Qt resources not loaded: " << rcc_file;
    return false;
  }
  Loaded().insert({rcc_file, root});
  return true;
}

bool VLQtUiUtil::UnloadQtModuleResource(const std::string& rcc_file, const std::string& root) {
  if (!Loaded().erase({rcc_file, root})) return false;
  return QResource::unregisterResource(QString::fromStdString(rcc_file),
                                       QString::fromStdString(root));
}

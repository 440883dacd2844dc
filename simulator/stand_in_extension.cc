#include "simulator/stand_in_extension.h"

#include <algorithm>

#include <QLabel>

#include "platform/framework/app_qt_view.h"
#include "platform/framework/extension_contributes.h"

namespace sim {

namespace {

using framework::extension::ExtensionRegistry;

// The view a stand-in contributes: its id on a plain label, so that a screenshot shows where
// the page placed it.
class StandInView : public AppQTView {
 public:
  explicit StandInView(std::string id) : id_(std::move(id)) {}

 protected:
  QWidget* CreateFrame(QWidget* parent) override {
    auto* label = new QLabel(QString::fromStdString(id_), parent);
    label->setObjectName(StandInExtensions::kViewObjectName);
    label->setAlignment(Qt::AlignCenter);
    label->setAccessibleName(QString::fromStdString(id_));
    label->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    label->setStyleSheet("QLabel { border: 1px dashed #8A8F99; color: #5C6370; }");
    return label;
  }

 private:
  std::string id_;
};

}  // namespace

StandInExtensions::~StandInExtensions() {
  for (const std::string& id : ids_) ExtensionRegistry::Instance().Unregister(id);
}

void StandInExtensions::Register(const std::string& extension_id) {
  ExtensionRegistry::Registration r;
  r.extension_id = extension_id;
  // An extension hands the page a view whose frame exists; the page places and activates it.
  r.view_factory = [extension_id](void*, const base::variant::Variant*) {
    auto view = std::make_shared<StandInView>(extension_id);
    view->BuildAndActivate({}, nullptr, base::variant::Variant(), base::variant::Variant());
    return std::static_pointer_cast<AppBaseQTView>(view);
  };
  ExtensionRegistry::Instance().Register(std::move(r));
  if (!IsRegistered(extension_id)) ids_.push_back(extension_id);
}

bool StandInExtensions::IsRegistered(const std::string& extension_id) const {
  return std::find(ids_.begin(), ids_.end(), extension_id) != ids_.end();
}

int StandInExtensions::SendItemUpdate(const std::string& extension_id,
                                      const base::variant::Variant& item) {
  if (!IsRegistered(extension_id)) return 0;
  return ExtensionRegistry::Instance().SendItemUpdate(extension_id, item);
}

}  // namespace sim

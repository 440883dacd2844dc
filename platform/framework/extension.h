// Extensions: views that one module contributes to another module's page, built by the
// contributing module's extension provider from a builder parameter.
#pragma once

#include <memory>
#include <string>

#include "platform/base/variant.h"

namespace framework {

struct ExtensionBuilderParam {
  std::string extension_id;
  base::variant::Variant params;
};

class Extension {
 public:
  virtual ~Extension() = default;
  virtual std::string extension_id() const = 0;
};

namespace extension {

class ExtensionProviderBase {
 public:
  virtual ~ExtensionProviderBase() = default;
  std::shared_ptr<Extension> BuildExtension(const ExtensionBuilderParam& param) {
    return InnerBuild(param);
  }

 protected:
  virtual std::shared_ptr<Extension> InnerBuild(const ExtensionBuilderParam& param) = 0;
};

}  // namespace extension
}  // namespace framework

#include "after_meeting/host/host_checks.h"

#include "after_meeting/host/host_ids.h"
#include "platform/base/variant.h"
#include "platform/framework/model.h"
#include "platform/framework/module_service.h"

namespace after_meeting {
namespace host {

bool IsSelfHostOrCoHost() {
  framework::Model* members = framework::module::GetAppModuleModel(member_query::kModel);
  if (!members) return false;
  base::variant::Variant answer;
  if (!members->Call(member_query::kCallIsSelfHostOrCoHost, nullptr, &answer)) return false;
  return answer.AsBoolean();
}

}  // namespace host
}  // namespace after_meeting

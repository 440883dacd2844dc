#include "platform/sdk/meeting_service.h"

namespace velmosdk {
namespace utils {
namespace service {

IMeetingService* GetMeetingService() {
  static auto* service = new IMeetingService();
  return service;
}

}  // namespace service
}  // namespace utils
}  // namespace velmosdk

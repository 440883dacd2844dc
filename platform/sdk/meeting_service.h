// velmosdk::utils::service: the SDK's meeting service, as far as modules ask it things.
// The host sets the facts (SetSelfRole); modules read them. UI thread only.
#pragma once

namespace velmosdk {
namespace utils {
namespace service {

class IMeetingService {
 public:
  // Role codes: 1 host, 2 co-host, 3 participant; 0 when not in a meeting.
  int GetSelfRole() const { return self_role_; }
  void SetSelfRole(int role) { self_role_ = role; }

 private:
  int self_role_ = 0;
};

IMeetingService* GetMeetingService();

}  // namespace service
}  // namespace utils
}  // namespace velmosdk

#include "after_meeting/model/after_meeting_service.h"

#include <atomic>
#include <thread>

#include "after_meeting/host/log.h"
#include "platform/base/scope_singleton.h"

namespace after_meeting {

namespace {

std::atomic<std::shared_ptr<AfterMeetingService>*> g_instance{nullptr};
std::atomic<bool> g_instance_lock{false};

void LockInstance() {
  while (g_instance_lock.exchange(true, std::memory_order_acquire)) std::this_thread::yield();
}

void UnlockInstance() { g_instance_lock.store(false, std::memory_order_release); }

void DestroyInstance() {
  LockInstance();
  std::shared_ptr<AfterMeetingService>* holder = g_instance.exchange(nullptr);
  UnlockInstance();
  delete holder;
}

}  // namespace

AfterMeetingService* AfterMeetingService::GetInstance() {
  if (std::shared_ptr<AfterMeetingService>* holder = g_instance.load(std::memory_order_acquire))
    return holder->get();
  LockInstance();
  std::shared_ptr<AfterMeetingService>* holder = g_instance.load(std::memory_order_relaxed);
  if (!holder) {
    holder = new std::shared_ptr<AfterMeetingService>(
        base::SingletonSharedAllocator<AfterMeetingService>::Create());
    g_instance.store(holder, std::memory_order_release);
    base::RegisterScopeSingleton(&DestroyInstance);
  }
  AfterMeetingService* service = holder->get();
  UnlockInstance();
  return service;
}

void AfterMeetingService::SetDelegate(IAfterMeetingServiceDelegate* delegate) {
  delegate_ = delegate;
  ++attach_count_;
}

bool AfterMeetingService::IsStillAttached(IAfterMeetingServiceDelegate* delegate,
                                          uint64_t attach_count) const {
  return delegate && delegate == delegate_ && attach_count == attach_count_;
}

int AfterMeetingService::GetMeetingEndPopUpInfo(const PluginGetMeetingEndPopUpInfoReqInfo& info,
                                                IAfterMeetingServiceDelegate* delegate) {
  auto request = std::make_shared<GetMeetingEndPopUpInfoRequest>();
  AM_LOG(6) << "[After meeting] get-conclusion-info - meeting_id: " << info.meeting_id
            << ", sub_meeting_id: " << info.sub_meeting_id
            << ", open_room_num: " << info.open_room_num << ", meeting_type: " << info.meeting_type
            << ", app_uid: " << info.app_uid << ", app_id: " << info.app_id;
  request->SetRequestInfo(info);

  std::weak_ptr<AfterMeetingService> weak_service = weak_from_this();
  const uint64_t attach_count = attach_count_;
  request->Run([delegate, request, info, weak_service, attach_count](const Result* result) mutable {
    if (result) {
      AM_LOG(6) << "[After meeting] get-conclusion-info resp - meeting_id: " << info.meeting_id
                << ", " << result->status_code << ", " << result->biz_code << ", "
                << result->msg;
      // The model may have detached, even died, while the request was in flight.
      std::shared_ptr<AfterMeetingService> service = weak_service.lock();
      if (service && service->IsStillAttached(delegate, attach_count))
        delegate->OnGetMeetingEndPopUpInfo(info, result);
    }
    request.reset();
  });
  return 0;
}

}  // namespace after_meeting

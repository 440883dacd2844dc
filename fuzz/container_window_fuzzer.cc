// Drives the close-meeting window off screen as the host and a person would, with arbitrary
// data: the bytes open it through the navigator, then run controller actions, events of the
// model and the host, actions sent to whichever page is live, clicks on whatever child widget
// they land on, key presses, clock and animation time, each with an arbitrary Variant. Nothing
// may fault, a closed window must be gone, and no finite animation may outlive it.
//
// Building the window costs far more than an input's run of events, so a window the input left
// open carries over to the next input (whose open then shows it again). It is rebuilt after an
// input closed it, and at the latest after kInputsPerWindow inputs. A fault that needs an
// earlier input's window may therefore not replay from its saved input alone: replay the corpus
// folder it came from.
#include <QApplication>
#include <QTest>
#include <QWidget>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "after_meeting/conclusion/conclusion_contract.h"
#include "after_meeting/container/container_contract.h"
#include "after_meeting/feedback/feedback_contract.h"
#include "after_meeting/model/model_ids.h"
#include "fuzz/fuzz_host.h"
#include "platform/framework/controller_manager.h"
#include "platform/framework/navigation.h"
#include "platform/framework/view_model.h"
#include "platform/testing/manual_animation_driver.h"
#include "platform/testing/variant_from_bytes.h"
#include "platform/widgets/animation_tracker.h"

namespace {

namespace h = after_meeting::host;
namespace am = after_meeting;
namespace c = after_meeting::conclusion;
namespace f = after_meeting::feedback;
using base::variant::Variant;
using fuzz_support::Check;

const char* const kControllerActions[] = {"show", "hide", "close", "is_visible", "unknown"};

const int kPageActions[] = {c::kActionJumpPayPage,       c::kActionBenefitArea,
                            c::kActionClosePage,         c::kActionCarbonClick,
                            c::kActionThumbsDown,        c::kActionStopCountDown,
                            c::kActionThumbsUp,          f::kActionFeedbackBack,
                            f::kActionClickTagListItem,  f::kActionUpdateOtherProblemsContent,
                            f::kActionClickSubmitButton, f::kActionFeedbackState1,
                            f::kActionFeedbackState2};

const int kModelEvents[] = {am::kEventConclusionInfoComplete, am::kEventConclusionInfo,
                            am::kEventSetCloseMeetingContainerPage, am::kEventFeedbackFinish,
                            am::kEventFeedbackInfo};

struct HostEvent {
  int model;
  int event;
};
const HostEvent kHostEvents[] = {
    {h::meeting::kModel, h::meeting::kEventPreLeave},
    {h::meeting::kModel, h::meeting::kEventJoinComplete},
    {h::after_meeting_app::kModel, h::after_meeting_app::kEventSetFeedbackInfo},
    {h::after_meeting_app::kModel, h::after_meeting_app::kEventNotifyKickOut},
    {h::banner::kModel, h::banner::kEventQueryBannerComplete},
    {h::record_state::kModel, h::record_state::kEventRecordStateChanged},
    {h::apps::kModel, h::apps::kEventContentSourceChanged},
};

constexpr int kInputsPerWindow = 100;

const int kKeys[] = {Qt::Key_Tab,    Qt::Key_Backtab, Qt::Key_Space,
                     Qt::Key_Return, Qt::Key_Escape,  Qt::Key_A};

testing_support::VariantByteLimits Limits() {
  testing_support::VariantByteLimits limits;
  limits.keys = {"biz_code",
                 "basic_info",
                 "begin_time",
                 "duration_time",
                 "join_uid_num",
                 "feedback",
                 "FeedbackState",
                 "EvaluateState",
                 "ResultState",
                 "list",
                 "title",
                 "confirm",
                 "text",
                 "report",
                 "template_key",
                 "show_banner",
                 "summary_text",
                 "redirect_type",
                 "redirect_href",
                 f::click::kId,
                 f::click::kIsSelected,
                 "is_host",
                 "dismiss_time_out",
                 "meeting_id"};
  limits.texts = {R"({"feedback":{"FeedbackState":{"title":"t","list":["a","b"],)"
                  R"("confirm":{"text":"Send","report":"r"}}}})",
                  "meeting_summary_guide", "a"};
  return limits;
}

template <size_t N, typename T>
const T& Pick(const T (&table)[N], uint8_t byte) {
  return table[byte % N];
}

QWidget* Window() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->objectName() == "AfterMeetingDialog" && w->isVisible()) return w;
  return nullptr;
}

// The window the module holds open (shown or hidden), as its controller reports it.
QWidget* ModuleWindow() {
  auto controller = ControllerManager::Instance()->FindForHost(am::kCloseMeetingContainerUri);
  if (!controller) return nullptr;
  std::unique_ptr<Variant> frame = controller->CallHasResult("get_qt_window", nullptr);
  return frame ? static_cast<QWidget*>(frame->AsPointer()) : nullptr;
}

// The index-th visible descendant of the window, counting round.
QWidget* ChildAt(QWidget* window, uint8_t index) {
  std::vector<QWidget*> visible;
  for (QWidget* w : window->findChildren<QWidget*>())
    if (w->isVisible()) visible.push_back(w);
  return visible.empty() ? nullptr : visible[index % visible.size()];
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz_support::FuzzHost& host = fuzz_support::SetUpFuzzHost(/*widgets=*/true);
  static testing_support::ManualAnimationDriver* driver =
      new testing_support::ManualAnimationDriver;
  static int inputs_on_window = 0;
  testing_support::VariantByteReader in(data, size, Limits());
  framework::Model* model = host.runtime->GetModelProvider()->ModelOf(am::kTypeAfterMeetingModel);

  host.Model(h::meeting::kModel)->Fire(h::meeting::kEventPreLeave, nullptr);
  Variant open_params = in.ReadVariant();
  framework::module::Navigator::Of(nullptr, true).Push(am::kCloseMeetingContainerUri, open_params);

  for (int i = 0; i < 32 && !in.empty(); ++i) {
    const uint8_t op = in.ReadByte();
    const uint8_t pick = in.ReadByte();
    Variant payload = (op & 0x80) ? Variant() : in.ReadVariant();
    Variant* param = (op & 0x80) ? nullptr : &payload;
    switch (op % 8) {
      case 0: {
        auto controller =
            ControllerManager::Instance()->ResolveForHost(am::kCloseMeetingContainerUri);
        if (!controller) break;
        const std::string action = Pick(kControllerActions, pick);
        auto owned = param ? std::make_unique<Variant>(payload) : nullptr;
        if (op & 0x40)
          controller->CallHasResult(action, std::move(owned));
        else
          controller->Call(action, std::move(owned));
        break;
      }
      case 1:
        if (model) model->FireEvent(Pick(kModelEvents, pick), param);
        break;
      case 2: {
        const HostEvent& e = Pick(kHostEvents, pick);
        host.Model(e.model)->Fire(e.event, param);
        break;
      }
      case 3: {
        auto live = framework::ViewModel::LiveViewModels();
        if (live.empty()) break;
        live[in.ReadByte() % live.size()]->Handle(Pick(kPageActions, pick), param);
        break;
      }
      case 4:
        if (QWidget* window = Window())
          if (QWidget* target = ChildAt(window, pick))
            QTest::mouseClick(target, Qt::LeftButton, Qt::NoModifier, target->rect().center());
        break;
      case 5:
        if (QWidget* window = Window())
          QTest::keyClick(window->focusWidget() ? window->focusWidget() : window,
                          static_cast<Qt::Key>(Pick(kKeys, pick)));
        break;
      case 6:
        host.clock->Advance(static_cast<uint64_t>(pick) * 100);
        break;
      default:
        driver->Step(16 * (pick % 40));
        fuzz_support::Drain();
        break;
    }
  }

  // Deferred work the input started runs now, so a fault shows on the input that caused it.
  fuzz_support::Drain();
  host.ClearCalls();
  if (ModuleWindow() && ++inputs_on_window < kInputsPerWindow) return 0;

  // The input closed the window, or it has served long enough: the host closes it (nothing left
  // to close if the input did), and then it must be gone with its animations.
  inputs_on_window = 0;
  framework::module::Dispatcher::GetInstance()->Finish(am::kCloseMeetingContainerUri);
  fuzz_support::Drain();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  Check(Window() == nullptr);
  driver->Step(1000);
  Check(AnimationTracker::RunningFiniteCount() == 0);
  host.clock->Advance(60000);
  fuzz_support::Drain();
  host.ClearCalls();
  return 0;
}

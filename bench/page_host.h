// The host as the client runs it for the close-meeting window: host models, configuration with
// the auto-close countdown on, meeting facts, the module activated and its runtime started, the
// feedback configuration handed over, and the embedded back end on loopback. The meeting has
// ended (its snapshot taken), so opening the window loads the page as after a real meeting.
//
//   PageHost host(PageHost::kAnswerNever);
//   host.Open();   // the controller's "show", through the navigator
//   host.Close();  // the dispatcher's finish, and the deferred deletes run
//
// Main thread only; one at a time.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QTextEdit>
#include <QWindow>

#include <map>
#include <memory>
#include <string>

#include "after_meeting/conclusion/after_meeting_conclusion_view.h"
#include "after_meeting/conclusion/after_meeting_info_cell_widget.h"
#include "after_meeting/container/close_meeting_container_controller.h"
#include "after_meeting/container/close_meeting_container_view.h"
#include "after_meeting/host/host_ids.h"
#include "after_meeting/host/ioc_container.h"
#include "after_meeting/model/model_ids.h"
#include "after_meeting/module/after_meeting_module.h"
#include "after_meeting/module/module_constants.h"
#include "bench/baseline/conclusion_baseline.h"
#include "bench/baseline/window_baseline.h"
#include "platform/base/json.h"
#include "platform/base/log.h"
#include "platform/common/meeting_facts.h"
#include "platform/framework/extension_contributes.h"
#include "platform/framework/module_service.h"
#include "platform/framework/navigation.h"
#include "platform/sdk/environment.h"
#include "platform/sdk/meeting_service.h"
#include "platform/sdk/signal_request_base.h"
#include "platform/testing/data_center_backend.h"
#include "platform/testing/run_loop.h"
#include "platform/testing/scriptable_host_model.h"
#include "platform/util/time.h"
#include "platform/widgets/qf_label.h"
#include "platform/widgets/qf_plain_label.h"
#include "platform/widgets/qf_push_button.h"
#include "platform/widgets/vl_qt_ui_util.h"

// The window system's entry for a pointer event, delivered at once on this thread; exported by
// QtGui for test drivers.
Q_GUI_EXPORT void qt_handleMouseEvent(QWindow* window, const QPointF& local, const QPointF& global,
                                      Qt::MouseButtons state, Qt::MouseButton button,
                                      QEvent::Type type, Qt::KeyboardModifiers mods, int timestamp);

namespace bench {

using base::variant::Variant;

inline Variant JsonVariant(const std::string& json) {
  base::json::JsonValue value;
  base::json::JsonValue::Parse(json, &value);
  return Variant::FromJson(value);
}

// 2026-01-01 09:00 UTC, a 45-minute meeting with 5 people; the user attended 44 minutes.
inline constexpr char kBasicInfo[] =
    R"({"begin_time":"1767258000000","duration_time":"2700000","join_uid_num":"5",)"
    R"("join_time":"1767258060000","cumulative_time":"2640000"})";

inline constexpr char kFeedbackInfo[] = R"({"feedback": {
    "EvaluateState": {"title": "How was it?", "desc": "",
                      "left": {"text": "Good", "report": "r_up"},
                      "right": {"text": "Bad", "report": "r_down"}},
    "ResultState": {"title": "Thanks!", "desc": "Sent"},
    "FeedbackState": {"title": "What went wrong?", "list": ["Echo", "Lag", "No sound"],
                      "confirm": {"text": "Send", "report": "r_submit"}}}})";

// The meeting-end answer as the model fires it to the page.
inline Variant MeetingEndAnswer() {
  return JsonVariant(std::string(R"({"biz_code":0,"msg":"","status_code":200,"basic_info":)") +
                     kBasicInfo + "}");
}

class PageHost {
 public:
  // kAnswerAtOnce: the back end answers the meeting-end request as it comes;
  // kAnswerNever: it holds the answer, so the page stays loading until the bench delivers one.
  enum Answer { kAnswerAtOnce, kAnswerNever };

  explicit PageHost(Answer answer) : holds_answer_(answer == kAnswerNever) {
    namespace h = after_meeting::host;
    namespace env = velmosdk::utils::environment;
    base::log::SetLogLevel(0);
    util::time::SetTimeZone("UTC");
    backend_.Start();
    backend_.SetSlowDelayMs(24 * 3600 * 1000);
    std::string entry_json = std::string(R"({"biz_code":0,"msg":"","data":{"info":)") + kBasicInfo +
                             "}" + (answer == kAnswerNever ? R"(,"fault":"slow")" : "") + "}";
    base::json::JsonValue entry;
    base::json::JsonValue::Parse(entry_json, &entry);
    backend_.SetMeeting(kMeetingId, entry);
    env::SetCgiBaseUrl(backend_.BaseUrl());
    env::SetRequestTimeoutMs(24 * 3600 * 1000);
    env::SetAppResDirectory(std::string(VELMO_OUTPUT_DIR) + "/res");

    for (int type : {h::meeting::kModel, h::after_meeting_app::kModel, h::record_state::kModel,
                     h::banner::kModel, h::apps::kModel, h::priority_events::kModel,
                     h::push::kModel, h::banner_shown::kModel, h::feedback_report::kModel})
      host_[type] = testing_support::InstallHostModel(type);
    config_ = testing_support::InstallConfigurationModel();
    config_->SetEntry(h::configuration::kGroupAfterMeeting, h::configuration::kAutoDismissEnable,
                      1);
    config_->SetEntry(h::configuration::kGroupAfterMeeting, h::configuration::kDismissTimeoutHost,
                      30);
    velmo_common::utils::MeetingFacts facts;
    facts.meeting_id = kMeetingId;
    facts.app_uid = "144115198765432100";
    facts.account_type = 17;
    velmo_common::utils::SetMeetingFacts(facts);
    host_[h::meeting::kModel]->SetAnswer(
        h::meeting::kCallGetMeetingItem, true,
        JsonVariant(R"({"meeting_item":{"creator_uid":"144115198765432100",)"
                    R"("meeting_code":"881234567","creator_account_type":17}})"));
    velmosdk::utils::service::GetMeetingService()->SetSelfRole(1);

    velmo::ClearModuleConfigDirectories();
    velmo::AddModuleConfigDirectory(VELMO_OUTPUT_DIR);
    after_meeting::ModuleActivate();
    runtime_ = framework::module::GetModuleService()->GetModuleRuntime(after_meeting::kModuleName);
    runtime_->Activate();
    Variant feedback{std::string(kFeedbackInfo)};
    host_[h::after_meeting_app::kModel]->Fire(h::after_meeting_app::kEventSetFeedbackInfo,
                                              &feedback);
    host_[h::meeting::kModel]->Fire(h::meeting::kEventPreLeave, nullptr);
  }

  ~PageHost() {
    Close();
    // Held answers are let go; their completions find the model and the page gone.
    backend_.Stop();
    after_meeting::ModuleDeactivate();
    testing_support::RunLoopUntilQuiet();
    testing_support::RemoveAllHostModels();
    framework::extension::ExtensionRegistry::Instance().Clear();
    velmo_common::utils::SetMeetingFacts({});
    velmosdk::utils::service::GetMeetingService()->SetSelfRole(0);
    velmosdk::utils::environment::SetCgiBaseUrl("");
    // The module's resources stay registered after Deactivate; the client drops them when it
    // unloads the library, as this host does here.
    if (auto manifest = velmo::GetModuleConfigByName(after_meeting::kModuleName))
      VLQtUiUtil::UnloadQtModuleResource(manifest->resource_file, manifest->resource_root);
  }
  PageHost(const PageHost&) = delete;
  PageHost& operator=(const PageHost&) = delete;

  void Open() {
    framework::module::Navigator::Of(nullptr, true)
        .Push(after_meeting::kCloseMeetingContainerUri, Variant());
  }
  void Close() {
    framework::module::Dispatcher::GetInstance()->Finish(after_meeting::kCloseMeetingContainerUri);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    // The page's request, held so that the page stayed loading, is answered now, as a real
    // answer comes, and its completion runs here: requests do not pile up in the network stack
    // from show to show, and nothing of this show runs in the loop of what is measured next.
    if (holds_answer_) {
      backend_.SetFault(kMeetingId, "");
      backend_.ReleaseSlow();
    }
    testing_support::RunLoopUntil(
        [] { return VELMO_CGI::VelmoSignalRequestBase::InFlightCount() == 0; }, 2000);
    if (holds_answer_) backend_.SetFault(kMeetingId, "slow");
    RunPosted();
    // The stand-ins keep what they saw for tests to read; a long run must not count that.
    backend_.ClearRequests();
    for (auto& [type, model] : host_) model->ClearCalls();
    config_->ClearCalls();
  }
  after_meeting::CloseMeetingContainerView* View() {
    auto controller = std::dynamic_pointer_cast<after_meeting::CloseMeetingContainerController>(
        ControllerManager::Instance()->IocGet(after_meeting::kCloseMeetingContainerUri));
    return controller ? controller->view() : nullptr;
  }
  // Where the answer finds the page: its request gone out (Qt starts it and forwards its body
  // from this thread's loop, so no answer can come sooner), then settled as below. False when
  // the back end never saw the request. The wait keeps the thread busy: a thread woken from
  // sleep starts on a cooled core, and the plain page's side never sleeps before its answer.
  bool SettleForAnswer() {
    QElapsedTimer waited;
    waited.start();
    while (backend_.Requests().empty()) {
      if (waited.hasExpired(2000)) return false;
      QCoreApplication::processEvents();
    }
    Settle(View()->dialog());
    return true;
  }
  // Nothing left posted and the window just painted, as the loading frames keep it: the state
  // both sides of the answer start from.
  static void Settle(QWidget* window) {
    RunPosted();
    window->repaint();
  }
  // The model passes the meeting-end answer on, as when the back end's reply comes in.
  void DeliverAnswer() {
    Model()->FireEvent(after_meeting::kEventConclusionInfoComplete, &answer_);
  }
  framework::Model* Model() {
    return runtime_->GetModelProvider()->ModelOf(after_meeting::kTypeAfterMeetingModel);
  }
  // Posted work (deferred fits, layout requests) and whatever else the loop holds.
  static void RunPosted() {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
  }

 private:
  static constexpr char kMeetingId[] = "8812345678";
  const bool holds_answer_;
  testing_support::DataCenterBackend backend_;
  std::map<int, std::shared_ptr<testing_support::ScriptableHostModel>> host_;
  std::shared_ptr<testing_support::ConfigurationHostModel> config_;
  framework::module::IModuleRuntime* runtime_ = nullptr;
  // Parsed once: the timed answer starts where the model has it, not at its JSON text.
  const Variant answer_ = MeetingEndAnswer();
};

// Notes the first paint of any window, whoever built it.
class PaintWatch : public QObject {
 public:
  PaintWatch() { QCoreApplication::instance()->installEventFilter(this); }
  ~PaintWatch() override { QCoreApplication::instance()->removeEventFilter(this); }
  bool painted = false;
  // Runs the loop until a window has painted.
  void Wait() {
    painted = false;
    for (int i = 0; i < 1000 && !painted; ++i) QCoreApplication::processEvents();
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->isWindow())
      painted = true;
    return false;
  }
};

// The events the application-wide filter is measured on, each taking the road such an event
// really takes: a pointer move from the window system, through the window to the widget under
// the pointer, and a plain event posted and then dispatched by the event loop. Sending a move
// straight to a widget, or ignoring it so that it climbs to the window, is a road no real move
// takes.
class NonPressEvents {
 public:
  explicit NonPressEvents(QWidget* over)
      : target_(over), window_(over->window()->windowHandle()) {
    for (int i = 0; i < 2; ++i) {
      local_[i] = QPointF(over->mapTo(over->window(), QPoint(4 + i, 4)));
      global_[i] = QPointF(over->mapToGlobal(QPoint(4 + i, 4)));
    }
  }
  bool Ready() const { return window_ != nullptr; }
  // count moves (to and fro, so that each one moves) and count posted events.
  void Send(int count) {
    for (int i = 0; i < count; ++i) {
      const int at = i & 1;
      qt_handleMouseEvent(window_, local_[at], global_[at], Qt::NoButton, Qt::NoButton,
                          QEvent::MouseMove, Qt::NoModifier, ++timestamp_);
      QCoreApplication::postEvent(target_, new QEvent(QEvent::User));
      QCoreApplication::sendPostedEvents();
    }
  }

 private:
  QWidget* target_;
  QWindow* window_;
  QPointF local_[2], global_[2];
  int timestamp_ = 0;
};

// Layout requests and deferred fits in the order the loop meets them (the requests a change
// leaves are posted before the fit it defers), and the requests the fits leave; no painting.
inline void RunLayout() {
  for (int i = 0; i < 2; ++i) {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
  }
  QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
}

inline QString Text(QWidget* label) {
  if (auto* l = qobject_cast<QLabel*>(label)) return l->text();
  return QString();
}

// The texts the module's page shows, for the plain page to show the same.
inline baseline::ConclusionTexts TextsOf(const after_meeting::AfterMeetingConclusionView& view) {
  const auto& w = view.widgets();
  baseline::ConclusionTexts t;
  t.title = Text(w.title);
  t.start_time = Text(w.start_time);
  t.duration = Text(w.duration);
  t.participants = w.member_row->isVisibleTo(w.frame) ? Text(w.participant) : QString();
  t.carbon = w.carbon_entry->isVisibleTo(w.frame) ? Text(w.carbon_text) : QString();
  t.feedback_title = Text(w.feedback_title);
  t.feedback_desc = Text(w.feedback_desc);
  t.like = Text(w.like_text);
  t.dislike = Text(w.dislike_text);
  after_meeting::AfterMeetingInfoCellWidget* cells[] = {w.ai_cell, w.apps_cell, w.guide_cell};
  for (int i = 0; i < 3; ++i) {
    if (!cells[i]->isVisibleTo(w.frame)) continue;
    t.cells[i].title = cells[i]->toolTip();
    if (cells[i]->desc_label()->isVisibleTo(w.frame))
      t.cells[i].desc = Text(cells[i]->desc_label());
  }
  t.confirm = w.confirm_button->text();
  return t;
}

inline baseline::Accessible AccessibleOf(const QWidget* widget) {
  if (!widget) return {};
  return {widget->accessibleName(), widget->accessibleDescription()};
}

// The texts the module's window carries while the page loads, for the plain window to carry the
// same from its first frame.
inline baseline::LoadingTexts LoadingTextsOf(const after_meeting::CloseMeetingContainerView& view) {
  baseline::LoadingTexts t;
  const after_meeting::AfterMeetingConclusionView& page = *view.conclusion_view();
  t.conclusion = TextsOf(page);
  QWidget* window = page.widgets().frame->window();
  if (auto* title = window->findChild<QLabel*>(QStringLiteral("feedback_title")))
    t.feedback_title = title->text();
  if (auto* list = window->findChild<QWidget*>(QStringLiteral("feedback_question_list")))
    for (auto* tag : list->findChildren<QAbstractButton*>()) t.tags << tag->text();
  if (auto* edit = window->findChild<QTextEdit*>(QStringLiteral("feedback_other_problems")))
    t.placeholder = edit->placeholderText();
  if (auto* counter = window->findChild<QLabel*>(QStringLiteral("feedback_text_counter")))
    t.counter = counter->text();
  if (auto* submit = window->findChild<QAbstractButton*>(QStringLiteral("feedback_submit_btn")))
    t.submit = submit->text();

  // Accessible texts are texts the page sets too: the plain window sets the same ones.
  const auto& w = page.widgets();
  baseline::ConclusionAccessible& c = t.conclusion_accessible;
  c.page = AccessibleOf(w.frame);
  c.record = AccessibleOf(w.record_container);
  c.upgrade = AccessibleOf(w.upgrade_button);
  c.like = AccessibleOf(w.like_button);
  c.dislike = AccessibleOf(w.dislike_button);
  c.carbon_entry = AccessibleOf(w.carbon_entry);
  c.cells[0] = AccessibleOf(w.ai_cell);
  c.cells[1] = AccessibleOf(w.apps_cell);
  c.cells[2] = AccessibleOf(w.guide_cell);
  c.confirm = AccessibleOf(w.confirm_button);
  t.window = AccessibleOf(window);
  baseline::FeedbackAccessible& f = t.feedback_accessible;
  const auto named = [window](const char* name) {
    return AccessibleOf(window->findChild<QWidget*>(QLatin1String(name)));
  };
  f.page = named("feedback_ing_widget");
  f.back = named("feedback_back_icon");
  f.title = named("feedback_title");
  f.text_edit = named("feedback_other_problems");
  f.counter = named("feedback_text_counter");
  f.submit = named("feedback_submit_btn");
  if (auto* list = window->findChild<QWidget*>(QStringLiteral("feedback_question_list")))
    for (auto* tag : list->findChildren<QAbstractButton*>()) f.tags << AccessibleOf(tag);
  return t;
}

// Opens the page once, as the benchmarks do, and notes what it carries at its first frame.
inline baseline::LoadingTexts FirstFrameTexts(PageHost& host, PaintWatch& watch) {
  host.Open();
  watch.Wait();
  baseline::LoadingTexts texts = LoadingTextsOf(*host.View());
  host.Close();
  return texts;
}

}  // namespace bench

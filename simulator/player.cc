#include "simulator/player.h"

#include <dlfcn.h>

#include <algorithm>
#include <chrono>
#include <future>
#include <mutex>

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextEdit>
#include <QWidget>

#include "platform/base/log.h"
#include "platform/base/looper_thread.h"
#include "platform/base/observer.h"
#include "platform/framework/authorize.h"
#include "platform/framework/controller_manager.h"
#include "platform/framework/module_runtime.h"
#include "platform/framework/module_service.h"
#include "platform/framework/navigation.h"
#include "platform/framework/view_model.h"
#include "platform/sdk/signal_request_base.h"
#include "platform/testing/run_loop.h"
#include "platform/widgets/animation_tracker.h"
#include "simulator/matcher.h"

namespace sim {

namespace {

constexpr char kModuleName[] = "after_meeting";
constexpr int kAfterMeetingModelType = 521893916;  // the module's own model
constexpr int kSettleLimitMs = 10000;
constexpr int kArrivalLimitMs = 2000;

bool Fail(ScenarioError* error, const std::string& path, const std::string& message) {
  if (error) *error = {path, message};
  return false;
}

int ToId(const Json& v) {
  return v.is_number_unsigned() ? static_cast<int>(static_cast<uint32_t>(v.get<uint64_t>()))
                                : static_cast<int>(v.get<int64_t>());
}

int PageType(const std::string& page) {
  if (page == "conclusion") return 0x2EFE6785;
  if (page == "feedback") return 0x185C49EA;
  return 0x15DBB391;  // container
}

// Events the host dispatches by priority with a handled flag.
bool IsPriorityEvent(int model, int event) { return model == 502 && event == 10; }

QString WidgetText(const QWidget* w) {
  if (auto* label = qobject_cast<const QLabel*>(w)) return label->text();
  if (auto* button = qobject_cast<const QAbstractButton*>(w)) return button->text();
  if (auto* edit = qobject_cast<const QTextEdit*>(w)) return edit->toPlainText();
  if (auto* plain = qobject_cast<const QPlainTextEdit*>(w)) return plain->toPlainText();
  if (auto* line = qobject_cast<const QLineEdit*>(w)) return line->text();
  return QString();
}

bool Matches(const QWidget* w, const Selector& s) {
  const QString value = QString::fromStdString(s.value);
  switch (s.kind) {
    case Selector::Kind::kObjectName:
      return w->objectName() == value;
    case Selector::Kind::kClass:
      return value == w->metaObject()->className();
    case Selector::Kind::kText: {
      const bool text_widget =
          qobject_cast<const QLabel*>(w) || qobject_cast<const QAbstractButton*>(w);
      return text_widget && WidgetText(w) == value;
    }
  }
  return false;
}

void Collect(QWidget* w, const Selector& s, bool visible_only, std::vector<QWidget*>* out) {
  if (visible_only && !w->isVisible()) return;
  if (Matches(w, s)) out->push_back(w);
  for (QObject* child : w->children())
    if (auto* cw = qobject_cast<QWidget*>(child)) Collect(cw, s, visible_only, out);
}

Json PropertyToJson(const QVariant& v) {
  switch (v.type()) {
    case QVariant::Bool:
      return v.toBool();
    case QVariant::Int:
    case QVariant::LongLong:
      return v.toLongLong();
    case QVariant::UInt:
    case QVariant::ULongLong:
      return v.toULongLong();
    case QVariant::Double:
      return v.toDouble();
    default:
      return v.toString().toStdString();
  }
}

}  // namespace

Player::Player(const Scenario& scenario, const PlayerOptions& options, TraceWriter* trace)
    : scenario_(scenario), options_(options), trace_(trace) {}

Player::~Player() { Finish(); }

QWidget* Player::FindContainerWindow() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->objectName() == "AfterMeetingDialog" && w->isVisible()) return w;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->objectName() == "AfterMeetingDialog") return w;
  return nullptr;
}

framework::module::IModuleRuntime* Player::runtime() {
  if (deactivated_) return nullptr;
  return framework::module::GetModuleService()->GetModuleRuntime(kModuleName);
}

int Player::Run(ScenarioError* error) {
  if (!Start(error)) return kBadScenario;
  while (HasNextStep())
    if (!PlayNextStep(error)) {
      Finish();
      return kBadScenario;
    }
  Finish();
  return expects_failed_ ? kExpectFailed : kOk;
}

bool Player::Start(ScenarioError* error) {
  base::log::SetLogLevel(options_.log_level);
  trace_->BeginStep(-1);
  env_ = std::make_unique<HostEnvironment>(options_.headless);
  if (!env_->Apply(scenario_, error)) return false;
  TraceBackendRequests();
  // Extensions register before the module starts, as other modules' do in the client.
  extensions_ = std::make_unique<StandInExtensions>();
  for (const Json& id : scenario_.extensions) extensions_->Register(id.get<std::string>());
  controllers_ = std::make_unique<StandInControllers>();
  return LoadModule(error);
}

// The back end hears a request on its own thread. The line is written on the UI thread while the
// back end waits, so that it comes before whatever the answer causes; the wait is bounded so
// that a UI thread busy stopping the back end cannot hang it.
struct Player::RequestLines {
  std::mutex mutex;
  std::unique_ptr<QObject> context = std::make_unique<QObject>();
  uint64_t written = 0;  // main thread only
};

void Player::TraceBackendRequests() {
  request_lines_ = std::make_shared<RequestLines>();
  sends_before_start_ = VELMO_CGI::VelmoSignalRequestBase::NetworkSendCount();
  std::weak_ptr<RequestLines> weak = request_lines_;
  TraceWriter* trace = trace_;
  env_->backend().SetListener(
      [weak, trace](const testing_support::DataCenterBackend::ReceivedRequest& r) {
        Json line = Json::object();
        line["method"] = r.method;
        line["path"] = r.path;
        line["body"] = Json::parse(r.raw_body, nullptr, /*allow_exceptions=*/false);
        if (line["body"].is_discarded()) line["body"] = r.raw_body;
        line["auth"] = r.auth;
        auto written = std::make_shared<std::promise<void>>();
        std::future<void> done = written->get_future();
        {
          std::shared_ptr<RequestLines> lines = weak.lock();
          if (!lines) return;
          std::lock_guard<std::mutex> lock(lines->mutex);
          if (!lines->context) return;
          QMetaObject::invokeMethod(
              lines->context.get(),
              [trace, line, written, weak]() mutable {
                trace->Write("request", std::move(line));
                if (auto alive = weak.lock()) ++alive->written;
                written->set_value();
              },
              Qt::QueuedConnection);
        }
        done.wait_for(std::chrono::seconds(2));
      });
}

bool Player::LoadModule(ScenarioError* error) {
  const QString module_dir = QFileInfo(QString::fromStdString(options_.module_path)).absolutePath();
  velmo::AddModuleConfigDirectory(module_dir.toStdString());
  library_ = dlopen(options_.module_path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!library_) return Fail(error, "", std::string("cannot load the module: ") + dlerror());
  activate_ = reinterpret_cast<void (*)()>(dlsym(library_, "Activate"));
  deactivate_ = reinterpret_cast<void (*)()>(dlsym(library_, "Deactivate"));
  if (!activate_ || !deactivate_)
    return Fail(error, "", "the module does not export Activate and Deactivate");
  activate_();
  framework::module::IModuleRuntime* rt = runtime();
  if (!rt) return Fail(error, "", "the module registered no runtime \"after_meeting\"");
  rt->Activate();
  return true;
}

void Player::Finish() {
  if (!library_) return;
  // Tear-down is not part of any step: stop tracing first.
  base::observer::SetObserver(nullptr);
  if (!deactivated_ && deactivate_) deactivate_();
  deactivated_ = true;
  RunPendingEvents();
  extensions_.reset();
  controllers_.reset();
  env_->backend().SetListener(nullptr);
  if (request_lines_) {
    std::lock_guard<std::mutex> lock(request_lines_->mutex);
    request_lines_->context.reset();
  }
  env_.reset();
  library_ = nullptr;  // the client keeps module libraries loaded until exit
}

bool Player::PlayNextStep(ScenarioError* error) {
  if (!HasNextStep()) return true;
  const Step& step = scenario_.steps[next_step_++];
  trace_->BeginStep(step.index);
  if (!PlayStep(step, error)) return false;
  return CheckExpects(step, "steps[" + std::to_string(step.index) + "]", error);
}

bool Player::PlayStep(const Step& step, ScenarioError* error) {
  const std::string path = "steps[" + std::to_string(step.index) + "]." + step.kind;
  const Json& b = step.body;
  if (step.kind == "fire") return StepFire(b, path, error);
  if (step.kind == "call") return StepCall(b, path, error);
  if (step.kind == "navigate") return StepNavigate(b, path, error);
  if (step.kind == "controller") return StepController(b, path, error);
  if (step.kind == "action") return StepAction(b, path, error);
  if (step.kind == "click") return StepClick(b, path, error);
  if (step.kind == "type") return StepType(b, path, error);
  if (step.kind == "inspect") return StepInspect(b, path, error);
  if (step.kind == "advance") return StepAdvance(b, path, error);
  if (step.kind == "settle") return StepSettle(path, error);
  if (step.kind == "set") return env_->ApplySet(b, path, error);
  if (step.kind == "screenshot") return StepScreenshot(b, path, error);
  if (step.kind == "auth_state") return StepAuthState(b, path, error);
  if (step.kind == "extension_update") return StepExtensionUpdate(b, path, error);
  if (step.kind == "deactivate") return StepDeactivate();
  return Fail(error, path, "unknown step");
}

bool Player::ValueOf(const Json& body, const char* key, const std::string& path, bool* has_value,
                     Variant* out, ScenarioError* error) {
  *has_value = body.contains(key);
  if (!*has_value) return true;
  Json substituted;
  const std::string p = path + "." + key;
  if (!SubstituteVars(body[key], captures_, p, &substituted, error)) return false;
  return JsonToVariant(substituted, p, out, error);
}

bool Player::StepFire(const Json& body, const std::string& path, ScenarioError* error) {
  const int model_type = body["model"].get<int>();
  const int event = ToId(body["event"]);
  bool has_payload = false;
  Variant payload;
  if (!ValueOf(body, "payload", path, &has_payload, &payload, error)) return false;
  Variant* p = has_payload ? &payload : nullptr;

  Json query = Json::object();
  query["model"] = model_type;
  query["event"] = body["event"];
  if (model_type == kAfterMeetingModelType) {
    framework::module::IModuleRuntime* rt = runtime();
    framework::Model* model = rt ? rt->GetModelProvider()->ModelOf(model_type) : nullptr;
    if (!model) return Fail(error, path + ".model", "the module's model does not exist now");
    model->FireEvent(event, p);
  } else {
    auto* model = dynamic_cast<testing_support::ScriptableHostModel*>(
        framework::module::GetAppModuleModel(model_type));
    if (!model)
      return Fail(error, path + ".model",
                  "no host model " + std::to_string(model_type) + " (list it in host_models)");
    if (IsPriorityEvent(model_type, event)) {
      query["handled"] = model->FirePriority(event, p);
    } else {
      model->Fire(event, p);
    }
  }
  if (has_payload) query["payload"] = VariantToJson(payload);
  trace_->Write("query", std::move(query));
  return true;
}

bool Player::StepCall(const Json& body, const std::string& path, ScenarioError* error) {
  bool has_param = false;
  Variant param;
  if (!ValueOf(body, "param", path, &has_param, &param, error)) return false;
  const bool no_result = body.value("no_result", false);
  framework::module::IModuleRuntime* rt = runtime();
  framework::Model* model = rt ? rt->GetModelProvider()->ModelOf(kAfterMeetingModelType) : nullptr;
  if (!model) return Fail(error, path, "the module's model does not exist now");
  Variant result;
  const bool ok =
      model->Call(ToId(body["id"]), has_param ? &param : nullptr, no_result ? nullptr : &result);
  Json reply = Json::object();
  reply["ok"] = ok;
  if (!no_result) reply["result"] = VariantToJson(result);
  trace_->Write("reply", std::move(reply));
  return true;
}

bool Player::StepNavigate(const Json& body, const std::string& path, ScenarioError* error) {
  bool has_params = false;
  Variant params;
  if (!ValueOf(body, "params", path, &has_params, &params, error)) return false;
  framework::NavigationHost::Instance().Open(body["uri"].get<std::string>(),
                                             has_params ? &params : nullptr);
  return true;
}

bool Player::StepController(const Json& body, const std::string& path, ScenarioError* error) {
  bool has_params = false;
  Variant params;
  if (!ValueOf(body, "params", path, &has_params, &params, error)) return false;
  auto controller = ControllerManager::Instance()->ResolveForHost(body["uri"].get<std::string>());
  if (!controller) controller = framework::MakeNullController();
  auto owned = has_params ? std::make_unique<Variant>(params) : nullptr;
  const std::string action = body["action"].get<std::string>();
  if (body.value("result", false)) {
    std::unique_ptr<Variant> result = controller->CallHasResult(action, std::move(owned));
    Json reply = Json::object();
    if (result) reply["result"] = VariantToJson(*result);
    trace_->Write("reply", std::move(reply));
  } else {
    controller->Call(action, std::move(owned));
  }
  return true;
}

bool Player::StepAction(const Json& body, const std::string& path, ScenarioError* error) {
  bool has_param = false;
  Variant param;
  if (!ValueOf(body, "param", path, &has_param, &param, error)) return false;
  const std::string page = body["page"].get<std::string>();
  const int type = PageType(page);
  framework::ViewModel* target = nullptr;
  for (framework::ViewModel* vm : framework::ViewModel::LiveViewModels())
    if (vm->type() == type) target = vm;  // the newest
  if (!target) return Fail(error, path + ".page", "no " + page + " page is open");
  target->Handle(ToId(body["id"]), has_param ? &param : nullptr);
  return true;
}

void Player::RunPendingEvents() {
  for (int round = 0; round < 50; ++round) {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    if (base::threading::PendingTasks() == 0) break;
  }
}

QWidget* Player::FindWidget(const std::string& selector_text, bool visible_only,
                            const std::string& path, ScenarioError* error) {
  Selector selector;
  if (!ParseSelector(selector_text, &selector))
    return Fail(error, path, "bad selector \"" + selector_text + "\""), nullptr;
  std::vector<QWidget*> found;
  QWidget* container = FindContainerWindow();
  if (container) Collect(container, selector, visible_only, &found);
  for (QWidget* top : QApplication::topLevelWidgets())
    if (top != container && top->isVisible()) Collect(top, selector, visible_only, &found);
  if (static_cast<int>(found.size()) < selector.nth) {
    Fail(error, path,
         std::string("no ") + (visible_only ? "visible " : "") + "widget matches \"" +
             selector_text + "\"");
    return nullptr;
  }
  return found[static_cast<size_t>(selector.nth - 1)];
}

bool Player::StepClick(const Json& body, const std::string& path, ScenarioError* error) {
  RunPendingEvents();
  QWidget* w = FindWidget(body.get<std::string>(), true, path, error);
  if (!w) return false;
  const QPoint centre = w->rect().center();
  QCursor::setPos(w->mapToGlobal(centre));
  QTest::mousePress(w, Qt::LeftButton, Qt::NoModifier, centre);
  QTest::mouseRelease(w, Qt::LeftButton, Qt::NoModifier, centre);
  return true;
}

bool Player::StepType(const Json& body, const std::string& path, ScenarioError* error) {
  RunPendingEvents();
  QWidget* w = FindWidget(body["into"].get<std::string>(), true, path + ".into", error);
  if (!w) return false;
  const QPoint centre = w->rect().center();
  QCursor::setPos(w->mapToGlobal(centre));
  QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, centre);
  if (auto* edit = qobject_cast<QTextEdit*>(w)) edit->moveCursor(QTextCursor::End);
  QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : w;
  if (body.contains("text")) {
    QTest::keyClicks(target, QString::fromStdString(body["text"].get<std::string>()));
  } else if (body.contains("paste")) {
    QGuiApplication::clipboard()->setText(QString::fromStdString(body["paste"].get<std::string>()));
    QTest::keyClick(target, Qt::Key_V, Qt::ControlModifier);
  } else {
    for (size_t i = 0; i < body["keys"].size(); ++i) {
      const QKeySequence seq = QKeySequence::fromString(
          QString::fromStdString(body["keys"][i].get<std::string>()), QKeySequence::PortableText);
      if (seq.isEmpty())
        return Fail(error, path + ".keys[" + std::to_string(i) + "]", "not a key sequence");
      QTest::keySequence(target, seq);
    }
  }
  return true;
}

bool Player::StepInspect(const Json& body, const std::string& path, ScenarioError* error) {
  RunPendingEvents();
  QWidget* w = FindWidget(body.get<std::string>(), false, path, error);
  if (!w) return false;
  const QPoint origin = w->mapTo(w->window(), QPoint(0, 0));
  Json props = Json::object();
  for (const QByteArray& name : w->dynamicPropertyNames())
    props[name.toStdString()] = PropertyToJson(w->property(name.constData()));
  Json line = Json::object();
  line["class"] = w->metaObject()->className();
  line["object_name"] = w->objectName().toStdString();
  line["visible"] = w->isVisible();
  line["enabled"] = w->isEnabled();
  line["text"] = WidgetText(w).toStdString();
  line["tool_tip"] = w->toolTip().toStdString();
  line["geometry"] = Json::array({origin.x(), origin.y(), w->width(), w->height()});
  line["properties"] = props;
  line["accessible_name"] = w->accessibleName().toStdString();
  trace_->Write("widget", std::move(line));
  return true;
}

bool Player::StepAdvance(const Json& body, const std::string& path, ScenarioError* error) {
  uint64_t remaining = body.get<uint64_t>();
  testing_support::ManualClock* clock = env_->clock();
  if (!clock) {
    // A real window runs in real time: wait for it.
    QElapsedTimer timer;
    timer.start();
    testing_support::RunLoopUntil(
        [&] { return static_cast<uint64_t>(timer.elapsed()) >= remaining; },
        static_cast<int>(remaining) + 1000);
    return true;
  }
  RunPendingEvents();
  WaitForSentRequestsToArrive();
  // Timer by timer, so that what each one posts runs before the next one fires.
  while (true) {
    const int64_t next = clock->NextDueInMs();
    if (next < 0 || static_cast<uint64_t>(next) > remaining) break;
    clock->Advance(static_cast<uint64_t>(next));
    StepAnimations(next);
    remaining -= static_cast<uint64_t>(next);
    RunPendingEvents();
  }
  clock->Advance(remaining);
  StepAnimations(static_cast<int64_t>(remaining));
  RunPendingEvents();
  return true;
}

// Time may move only once the back end has heard every request already sent: otherwise a
// request's time-out could fire before the request left, and whether the back end ever saw it
// (and so the trace) would depend on the machine's speed.
void Player::WaitForSentRequestsToArrive() {
  if (!request_lines_) return;
  std::shared_ptr<RequestLines> lines = request_lines_;
  const uint64_t baseline = sends_before_start_;
  testing_support::RunLoopUntil(
      [&lines, baseline] {
        return lines->written >= VELMO_CGI::VelmoSignalRequestBase::NetworkSendCount() - baseline;
      },
      kArrivalLimitMs);
}

void Player::StepAnimations(int64_t ms) {
  testing_support::ManualAnimationDriver* driver = env_->animations();
  while (driver && ms > 0) {
    const int chunk = static_cast<int>(std::min<int64_t>(ms, 1000));
    driver->Step(chunk);
    ms -= chunk;
  }
}

bool Player::StepSettle(const std::string& path, ScenarioError* error) {
  auto settled = [] {
    return VELMO_CGI::VelmoSignalRequestBase::InFlightCount() == 0 &&
           base::threading::PendingTasks() == 0 && AnimationTracker::RunningFiniteCount() == 0;
  };
  QElapsedTimer timer;
  timer.start();
  RunPendingEvents();
  while (!settled()) {
    if (timer.elapsed() > kSettleLimitMs)
      return Fail(error, path,
                  "the module did not settle within 10 s (a request, deferred action or "
                  "animation is still pending)");
    // Headless animations move in frames of their own time, never of the platform clock's.
    if (env_->animations() && AnimationTracker::RunningFiniteCount() > 0) {
      env_->animations()->Step(testing_support::ManualAnimationDriver::kFrameMs);
    } else {
      testing_support::RunLoopUntil(settled, 20);
    }
    RunPendingEvents();
  }
  return true;
}

bool Player::StepScreenshot(const Json& body, const std::string& path, ScenarioError* error) {
  RunPendingEvents();
  QWidget* window = FindContainerWindow();
  if (!window) return Fail(error, path, "there is no container window to take a picture of");
  const QString dir = QString::fromStdString(
      options_.screenshots_dir.empty() ? "screenshots" : options_.screenshots_dir);
  QDir().mkpath(dir);
  const QString file = dir + "/" + QString::fromStdString(body.get<std::string>()) + ".png";
  if (!window->grab().save(file, "PNG"))
    return Fail(error, path, "cannot write " + file.toStdString());
  Json line = Json::object();
  line["path"] = file.toStdString();
  trace_->Write("screenshot", std::move(line));
  return true;
}

bool Player::StepAuthState(const Json& body, const std::string&, ScenarioError*) {
  framework::AuthorizeStateHub::Instance().Notify(body.get<int>());
  return true;
}

bool Player::StepExtensionUpdate(const Json& body, const std::string& path, ScenarioError* error) {
  const std::string id = body["id"].get<std::string>();
  if (!extensions_ || !extensions_->IsRegistered(id))
    return Fail(error, path + ".id",
                "no stand-in extension \"" + id + "\" (list it in the scenario's extensions)");
  bool has_item = false;
  Variant item;
  if (!ValueOf(body, "item", path, &has_item, &item, error)) return false;
  if (!item.IsMap()) return Fail(error, path + ".item", "expected an object (the item's keys)");
  extensions_->SendItemUpdate(id, item);
  return true;
}

bool Player::StepDeactivate() {
  if (!deactivated_ && deactivate_) deactivate_();
  deactivated_ = true;
  return true;
}

bool Player::CheckExpects(const Step& step, const std::string& path, ScenarioError* error) {
  std::vector<Json> lines;
  for (const Json& line : trace_->step_lines())
    if (line.value("kind", "") != "expect") lines.push_back(line);
  for (size_t i = 0; i < step.expect.size(); ++i) {
    Json want;
    if (!SubstituteVars(step.expect[i], captures_, path + ".expect[" + std::to_string(i) + "]",
                        &want, error))
      return false;
  }
  // In order: each pattern after the line the previous one matched.
  size_t next_line = 0;
  for (size_t i = 0; i < step.expect.size(); ++i) {
    Json want;
    SubstituteVars(step.expect[i], captures_, path, &want, nullptr);
    Json got = nullptr;
    bool ok = false;
    while (next_line < lines.size()) {
      if (MatchValue(want, &lines[next_line++], &captures_)) {
        ok = true;
        got = lines[next_line - 1];
        break;
      }
    }
    if (!ok) {
      Json same_kind = Json::array();
      for (const Json& line : lines)
        if (line.value("kind", "") == want.value("kind", "")) same_kind.push_back(line);
      got = same_kind;
      expects_failed_ = true;
      next_line = lines.size();
    }
    Json line = Json::object();
    line["ok"] = ok;
    line["want"] = want;
    line["got"] = got;
    trace_->Write("expect", std::move(line));
  }
  for (size_t i = 0; i < step.expect_not.size(); ++i) {
    Json want;
    if (!SubstituteVars(step.expect_not[i], captures_,
                        path + ".expect_not[" + std::to_string(i) + "]", &want, error))
      return false;
    Json one = Json::array({want});
    const int hit = FindAnyMatch(one, lines, nullptr);
    Json line = Json::object();
    line["ok"] = hit < 0;
    line["want"] = Json{{"$not", want}};
    line["got"] = hit < 0 ? Json(nullptr) : lines[static_cast<size_t>(hit)];
    if (hit >= 0) expects_failed_ = true;
    trace_->Write("expect", std::move(line));
  }
  return true;
}

}  // namespace sim

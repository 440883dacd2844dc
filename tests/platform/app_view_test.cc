#include "platform/framework/app_qt_view.h"

#include <memory>
#include <string>
#include <vector>

#include <QApplication>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

using base::variant::Variant;

namespace {

class RecordingViewModel : public framework::StatefulViewModel {
 public:
  explicit RecordingViewModel(std::vector<std::string>* log) : log_(log) {}
  ~RecordingViewModel() override { log_->push_back("vm destroyed"); }
  void OnViewAttached(const Variant* params) override {
    StatefulViewModel::OnViewAttached(params);
    log_->push_back("attached:" + (params ? params->ToString() : std::string("none")));
  }
  void OnViewDetached() override {
    StatefulViewModel::OnViewDetached();
    log_->push_back("detached");
  }

 private:
  std::vector<std::string>* log_;
};

class PageView : public AppQTView {
 public:
  explicit PageView(std::vector<std::string>* log) : log_(log) {}
  QPointer<QPushButton> button;
  std::vector<int> states;
  std::vector<std::string> props;

 protected:
  void BindViewModel(framework::StatefulViewModel* vm) override {
    vm->BindProp(1, [this](const Variant* v) { props.push_back(v->AsStr()); });
  }
  void OnViewStatefulChanged(int state, const Variant*) override { states.push_back(state); }
  void OnActivate() override { log_->push_back("view active"); }
  void OnDeactivate() override { log_->push_back("view inactive"); }
  void OnDispose() override { log_->push_back("view disposed"); }
  QWidget* CreateFrame(QWidget* parent) override {
    auto* frame = new QWidget(parent);
    if (parent && parent->layout()) parent->layout()->addWidget(frame);
    button = new QPushButton("dispose", frame);
    return frame;
  }
  void OnFrameDestoryed(QWidget*) override { log_->push_back("frame gone"); }

 private:
  std::vector<std::string>* log_;
};

TEST(AppView, LifeCycleAttachesDetachesAndReleasesInOrder) {
  std::vector<std::string> log;
  QWidget host;
  new QVBoxLayout(&host);
  auto view = std::make_shared<PageView>(&log);
  auto vm = std::make_shared<RecordingViewModel>(&log);
  vm->SetPropValue(1, Variant("before bind"));
  view->SetViewModel(vm);
  EXPECT_EQ(vm->view_context(), static_cast<AppBaseView*>(view.get()));
  EXPECT_EQ(view->props, (std::vector<std::string>{"before bind"}));

  QWidget* frame = view->BuildAndActivate({}, &host, Variant(), Variant("go"));
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->parentWidget(), &host);
  EXPECT_EQ(view->BuildAndActivate({}, &host, Variant(), Variant("again")), frame);  // once
  vm->SetStatefulData(2, nullptr);
  EXPECT_EQ(view->states, (std::vector<int>{2}));

  std::weak_ptr<framework::StatefulViewModel> weak_vm = vm;
  vm.reset();
  view->Dispose();
  view->Dispose();  // harmless
  EXPECT_TRUE(weak_vm.expired());
  EXPECT_EQ(view->frame(), nullptr);
  EXPECT_EQ(log, (std::vector<std::string>{"attached:\"go\"", "view active", "view inactive",
                                           "detached", "view disposed", "vm destroyed"}));
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(log.back(), "frame gone");
}

TEST(AppView, AClickInsideTheFrameMayDisposeTheView) {
  std::vector<std::string> log;
  auto view = std::make_shared<PageView>(&log);
  view->SetViewModel(std::make_shared<RecordingViewModel>(&log));
  view->BuildFromParams({}, nullptr);
  QObject::connect(view->button, &QPushButton::clicked, [&] { view->Dispose(); });
  view->frame()->show();
  QPointer<QPushButton> button = view->button;
  QTest::mouseClick(button, Qt::LeftButton);
  EXPECT_TRUE(view->IsDisposed());
  EXPECT_FALSE(button.isNull());  // still there until the loop runs
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(button.isNull());
}

TEST(AppView, FrameDeletedByItsParentIsReportedAndStateChangesStopWithTheView) {
  std::vector<std::string> log;
  auto vm = std::make_shared<RecordingViewModel>(&log);
  {
    auto view = std::make_shared<PageView>(&log);
    view->SetViewModel(vm);
    auto* host = new QWidget();
    view->BuildAndActivate({}, host, Variant(), Variant());
    delete host;
    EXPECT_EQ(log.back(), "frame gone");
    EXPECT_EQ(view->frame(), nullptr);
  }
  // The view is gone without Dispose: the view model's state listener must not reach it.
  vm->SetStatefulData(1, nullptr);
}

// An action that closes the page: the view, and with it the last owner of the view model, goes
// from inside the handler.
class ClosingViewModel : public framework::StatefulViewModel {
 public:
  ClosingViewModel(std::vector<std::string>* log, std::shared_ptr<PageView>* owner)
      : log_(log), owner_(owner) {}
  ~ClosingViewModel() override { log_->push_back("vm destroyed"); }

 protected:
  void HandleAction(int action, const Variant*) override {
    owner_->reset();
    ++handled_;  // a member written after the close: must still be this view model's
    log_->push_back("handled " + std::to_string(action) + " x" + std::to_string(handled_));
  }

 private:
  std::vector<std::string>* log_;
  std::shared_ptr<PageView>* owner_;
  int handled_ = 0;
};

TEST(AppView, ViewModelOutlivesAnActionThatReleasesItsView) {
  std::vector<std::string> log;
  auto view = std::make_shared<PageView>(&log);
  view->SetViewModel(std::make_shared<ClosingViewModel>(&log, &view));
  framework::StatefulViewModel* vm = view->view_model();
  vm->Handle(7, nullptr);
  EXPECT_EQ(view, nullptr);
  EXPECT_EQ(log, (std::vector<std::string>{"handled 7 x1", "vm destroyed"}));
}

}  // namespace

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

#include "platform/testing/recorder.h"

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

class ContributingView : public ContributeQTWindowView {
 public:
  std::vector<std::string> seen;

 protected:
  void BindViewModel(framework::StatefulViewModel* vm) override { OnViewModelBoundEx(vm); }
  void HandleUpdateContributesDataSource(const Variant& items) override {
    seen.push_back("list:" + std::to_string(items.Size()));
  }
  void HandleUpdateItemView(const Variant* item) override {
    seen.push_back("item:" + item->GetString("extension_id"));
  }
  QWidget* CreateFrame(QWidget* parent) override {
    return new BaseDialog(this, parent, "t", BaseDialog::kStyleShadow, "", {}, false);
  }
};

TEST(AppView, ContributedItemsReachTheWindowView) {
  auto view = std::make_shared<ContributingView>();
  auto vm = std::make_shared<framework::StatefulViewModel>();
  view->SetViewModel(vm);
  Variant items = Variant::MakeArray();
  items.Add(Variant());
  vm->SetPropValue(ContributeQTWindowView::kPropContributesDataSource, items);
  Variant item;
  item["extension_id"] = "extension:after_meeting.record";
  vm->SetPropValue(ContributeQTWindowView::kPropContributesUpdateItem, item);
  EXPECT_EQ(view->seen,
            (std::vector<std::string>{"list:1", "item:extension:after_meeting.record"}));
  EXPECT_EQ(view->contributions().Size(), 1u);
  view->BuildFromParams({}, nullptr);
  ASSERT_TRUE(qobject_cast<BaseDialog*>(view->frame()));
  view->Show();
  EXPECT_TRUE(view->frame()->isVisible());
  view->Hide();
  EXPECT_FALSE(view->frame()->isVisible());
  view->Dispose();
}

}  // namespace

TEST(AppView, WindowStateIsAnnouncedWithMainAndOuterSizes) {
  testing_support::Recorder rec;
  BaseDialog dialog(nullptr, nullptr, "t", BaseDialog::kStyleShadow, "", {}, false);
  dialog.resize(440, 300);
  dialog.show();
  QCoreApplication::processEvents();
  AnnounceWindowState(&dialog, 2);
  AnnounceWindowState(nullptr, 1);
  auto lines = rec.Of("window");
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].GetInt32("outer_width"), 440);
  EXPECT_EQ(lines[0].GetInt32("width"), 440 - 2 * dialog.GetShadowWidth());
  EXPECT_EQ(lines[0].GetInt32("page"), 2);
  EXPECT_TRUE(lines[0].GetBool("visible"));
}

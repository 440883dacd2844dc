// The conclusion page view as the container builds it: over the real view model of the
// ConclusionTest host (or over a view model that only records actions), inside a host widget
// with a layout, with its size signals recorded and the expand callbacks kept for the test to
// run.
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <QApplication>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>

#include "after_meeting/conclusion/after_meeting_conclusion_view.h"
#include "after_meeting/conclusion/after_meeting_info_cell_widget.h"
#include "platform/framework/controller_manager.h"
#include "platform/widgets/qf_label.h"
#include "platform/widgets/qf_plain_label.h"
#include "platform/widgets/qf_push_button.h"
#include "platform/widgets/qf_widget.h"
#include "platform/widgets/qss_setter.h"
#include "platform/widgets/qt_image_view.h"
#include "platform/widgets/qt_ui_custom_theme_helper.h"
#include "tests/after_meeting/conclusion/conclusion_fixture.h"
#include "tests/platform/widgets_test_support.h"

namespace after_meeting::test {

using widgets_test::Token;

// Keeps the actions a view sends, in order.
class ActionRecordingViewModel : public framework::StatefulViewModel {
 public:
  struct Action {
    int id;
    Variant param;
    bool has_param;
  };
  std::vector<Action> actions;
  std::vector<int> Ids() const {
    std::vector<int> ids;
    for (const Action& a : actions) ids.push_back(a.id);
    return ids;
  }

 protected:
  void HandleAction(int action, const Variant* param) override {
    actions.push_back({action, param ? *param : Variant(), param != nullptr});
  }
};

// The record extension as another module would offer it: a view whose frame is built when the
// extension is made, and that counts its activations.
class RecordStandInView : public AppQTView {
 public:
  RecordStandInView() { set_frame(CreateFrame(nullptr)); }
  ~RecordStandInView() override { Dispose(); }
  int activations = 0;

 protected:
  void OnActivate() override { ++activations; }
  QWidget* CreateFrame(QWidget*) override {
    auto* frame = new QLabel(QStringLiteral("Cloud recording"));
    frame->setObjectName(QStringLiteral("record_stand_in"));
    frame->setAlignment(Qt::AlignCenter);
    return frame;
  }
};

class ConclusionViewTest : public ConclusionTest {
 protected:
  using View = AfterMeetingConclusionView;

  void TearDown() override {
    DestroyView();
    QssSetter::SetTheme("light");
    ConclusionTest::TearDown();
  }

  // Builds the view over vm into a shown host widget, as the container does.
  void BuildView(std::shared_ptr<framework::StatefulViewModel> vm) {
    host_ = std::make_unique<QWidget>();
    new QVBoxLayout(host_.get());
    host_->layout()->setContentsMargins(0, 0, 0, 0);
    view_ = std::make_shared<View>();
    view_->SetViewModel(std::move(vm));
    QObject::connect(view_.get(), &View::NeedUpdateSize, [this] { ++need_update_size_; });
    QObject::connect(view_.get(), &View::UpdateHeightWithAnimation,
                     [this](int height, int duration, UpdateSizeEndCallback cb) {
                       expand_requests_.push_back({height, duration});
                       expand_callbacks_.push_back(std::move(cb));
                     });
    view_->BuildAndActivate({}, host_.get(), Variant(), Variant());
    host_->show();
    QApplication::processEvents();
  }
  // The real view model, loaded through the module and the back end.
  void BuildAndLoad() {
    Leave();
    BuildView(vm_);
    ASSERT_TRUE(testing_support::RunLoopUntil([&] {
      return !Fired(kEventConclusionInfoComplete).empty() && base::threading::PendingTasks() == 0;
    }));
    RunPosted();
  }
  void BuildOverRecorder() {
    recorder_ = std::make_shared<ActionRecordingViewModel>();
    BuildView(recorder_);
  }
  void DestroyView() {
    view_.reset();
    host_.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  void RunPosted() {
    QCoreApplication::sendPostedEvents();
    QApplication::processEvents();
  }

  // Publishes page data as the view model does.
  void SetUi(const Variant& data) {
    view_->view_model()->SetPropValue(c::kPropConclusionUiData, data);
  }
  void SetList(const Variant& list) {
    view_->view_model()->SetPropValue(c::kPropConclusionContentList, list);
  }
  const View::Widgets& W() const { return view_->widgets(); }

  static std::string UiJson(const std::string& fields) {
    return R"({"AfterMeetingConclusionUiDataFields_kBooleanShowDefaultUi":false,)" + fields + "}";
  }
  static Variant Item(int type, const std::string& content, const std::string& desc = "",
                      const std::string& extra = "") {
    return V(R"({"AfterMeetingConclusionContentListFields_kIntegerItemType":)" +
             std::to_string(type) +
             R"(,"AfterMeetingConclusionContentListFields_kStringItemContent":")" + content +
             R"(","AfterMeetingConclusionContentListFields_kStringItemDesc":")" + desc + "\"" +
             extra + "}");
  }
  static Variant List(std::vector<Variant> items) {
    Variant list = Variant::MakeArray();
    for (Variant& item : items) list.Add(std::move(item));
    return list;
  }
  static QString SheetColor(const std::string& token) {
    return QTUICustomThemeHelper::ToStyleSheetColor(widgets_test::Token(token));
  }

  std::unique_ptr<QWidget> host_;
  std::shared_ptr<View> view_;
  std::shared_ptr<ActionRecordingViewModel> recorder_;
  int need_update_size_ = 0;
  std::vector<std::pair<int, int>> expand_requests_;
  std::vector<UpdateSizeEndCallback> expand_callbacks_;
};

}  // namespace after_meeting::test

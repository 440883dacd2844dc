#include "after_meeting/conclusion/after_meeting_conclusion_view.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include <QCoreApplication>
#include <QCursor>
#include <QFontMetrics>
#include <QFrame>
#include <QGraphicsOpacityEffect>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QParallelAnimationGroup>
#include <QPropertyAnimation>
#include <QVBoxLayout>

#include "after_meeting/conclusion/after_meeting_info_cell_widget.h"
#include "after_meeting/conclusion/after_meeting_light_effect_widget.h"
#include "after_meeting/conclusion/conclusion_contract.h"
#include "after_meeting/host/ioc_container.h"
#include "after_meeting/host/log.h"
#include "after_meeting/module/after_meeting_module.h"
#include "after_meeting/module/after_meeting_module_runtime.h"
#include "platform/framework/extension_contributes.h"
#include "platform/framework/localized_strings.h"
#include "platform/framework/module_service.h"
#include "platform/widgets/animation_tracker.h"
#include "platform/widgets/custom_event_utils.h"
#include "platform/widgets/image_view_model.h"
#include "platform/widgets/native_mouse_down_event.h"
#include "platform/widgets/qf_label.h"
#include "platform/widgets/qf_plain_label.h"
#include "platform/widgets/qf_push_button.h"
#include "platform/widgets/qf_widget.h"
#include "platform/widgets/qss_setter.h"
#include "platform/widgets/qt_image_view.h"
#include "platform/widgets/vl_qt_ui_util.h"

namespace after_meeting {

namespace {

using base::variant::Variant;
namespace ui_data = conclusion::ui_data;
namespace item_key = conclusion::content_item;
namespace a11y = conclusion::accessible_text;

constexpr int kPageWidth = 420;
constexpr int kInnerWidth = 388;  // 420 less the content's margins of 16
constexpr int kPayTextWidth = 360;
// Beside the upgrade button the pay texts give up the button's width and one more gap of 14.
constexpr int kPayTextWidthBesideButton = 346;
constexpr int kExpandDuration = 200;
constexpr int kShimmerDuration = 1000;

constexpr char kSkeletonBarStyle[] =
    "background:vl_color_background_secondary;border-bottom-left-radius: 6px;"
    "border-top-right-radius: 6px;";

// Sidebar windows the retained-apps row brings to the front, with their shown and hidden actions.
struct Sidebar {
  const char* uri;
  const char* show_action;
  const char* hide_action;
};
constexpr Sidebar kSidebars[] = {
    {"velmo://page/sidebar/outside_multi_tab_container_window", "bringtotop", "minimize"},
    {"velmo://page/sidebar/independent_container_window", "bringtotopall", "minimizeall"},
    {"velmo://page/sidebar/independent_container_window_for_idea", "bringtotop", "minimize"},
};

void CallSidebars(bool show) {
  for (const Sidebar& sidebar : kSidebars)
    ControllerManager::Instance()
        ->IocGet(sidebar.uri)
        ->Call(show ? sidebar.show_action : sidebar.hide_action, std::make_unique<Variant>());
}

QString Str(const Variant& map, const char* key) {
  // Straight from the stored text: no std::string copy on the way.
  const std::string& text = map.Get(key).AsStr();
  return QString::fromUtf8(text.data(), static_cast<int>(text.size()));
}

std::string ModuleText(uint32_t id) {
  AfterMeetingModuleRuntime* runtime = GetModuleRuntime();
  framework::AssetProvider* assets = runtime ? runtime->GetAssetProvider() : nullptr;
  return assets ? assets->GetLocalizedString(id) : std::string();
}

QString AccessibleText(uint32_t id) { return QString::fromStdString(ModuleText(id)); }

int Advance(QLabel* label, const QString& text) {
  // Style-sheet fonts reach a label when it is polished; measure with the font it will show.
  label->ensurePolished();
  return QFontMetrics(label->font()).horizontalAdvance(text);
}

QVBoxLayout* NewVBox(QWidget* owner, int spacing) {
  auto* layout = new QVBoxLayout(owner);
  layout->setMargin(0);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(spacing);
  return layout;
}

QHBoxLayout* NewHBox(QWidget* owner, int spacing) {
  auto* layout = new QHBoxLayout(owner);
  layout->setMargin(0);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(spacing);
  return layout;
}

QFLabel* NewIconLabel(QWidget* parent, const QString& object_name, const QString& image) {
  auto* icon = new QFLabel(parent);
  icon->setFixedSize(16, 16);
  icon->setScaledContents(true);
  icon->setPixmap(VLQtUiUtil::LoadPixmap(icon, image, QSize(16, 16)));
  QssSetter::SetStyle(icon, object_name, QssStyle().Background("transparent"));
  return icon;
}

QFLabel* NewTextLabel(QWidget* parent, int line_height, const std::string& colour) {
  auto* label = new QFLabel(parent);
  QssSetter::SetStyle(label, QString(),
                      QssStyle().FontSize(14).LineHeight(line_height).Color(colour));
  return label;
}

QFrame* NewSeparator(QWidget* parent) {
  auto* separator = new QFrame(parent);
  separator->setFixedSize(1, 12);
  QssSetter::SetStyle(separator, QString(), QssStyle().Background("vl_color_outline_secondary"));
  return separator;
}

}  // namespace

AfterMeetingConclusionView::AfterMeetingConclusionView()
    : native_press_type_(NativeMouseDownEvent::QEventType()) {
  QCoreApplication::instance()->installEventFilter(this);
  AM_LOG(6) << "[After meeting] AfterMeetingConclusionView";
}

AfterMeetingConclusionView::~AfterMeetingConclusionView() {
  ShowSkeleton(false, true);
  HideTips();
  DestroyedTips();
  skeleton_animation_ = nullptr;
  QCoreApplication::instance()->removeEventFilter(this);
  if (language_listener_)
    framework::LocalizedStrings::Instance().RemoveLanguageListener(language_listener_);
  Dispose();
  AM_LOG(6) << "[After meeting] ~AfterMeetingConclusionView";
}

const AfterMeetingConclusionView::Widgets& AfterMeetingConclusionView::widgets() const {
  static const Widgets kNone;
  return frame_widget_ ? ui_ : kNone;
}

// ---------------------------------------------------------------------------------------------
// Building

QWidget* AfterMeetingConclusionView::CreateFrame(QWidget* parent) {
  if (frame_widget_) return frame_widget_;
  ui_ = Widgets();
  // No parent of its own: the container's layout (or the caller) places it.
  auto* frame = new QFWidget();
  frame_widget_ = frame;
  ui_.frame = frame;
  frame->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::MinimumExpanding);
  frame->setFixedWidth(kPageWidth);
  if (parent && parent->layout()) parent->layout()->addWidget(frame);
  QssSetter::SetStyle(frame, QStringLiteral("conclusion_widget"),
                      QssStyle().Background("vl_color_background_quinary"));
  NewVBox(frame, 0);

  InitContentUi();
  InitAppInfoPanel();
  InitConfirmButton();
  InitConnections();
  InitAccessibility();

  // Page data that came before there was a page to show it in.
  std::set<int> pending;
  pending.swap(props_before_frame_);
  if (framework::StatefulViewModel* vm = view_model()) {
    for (int prop : {conclusion::kPropConclusionUiData, conclusion::kPropConclusionContentList,
                     conclusion::kPropThirdAppShow, conclusion::kPropConfirmButtonText}) {
      if (!pending.count(prop) || !vm->HasPropValue(prop)) continue;
      const Variant value = vm->PickPropValue(prop);
      switch (prop) {
        case conclusion::kPropConclusionUiData:
          OnUiDataChanged(&value);
          break;
        case conclusion::kPropConclusionContentList:
          OnContentListChanged(&value);
          break;
        case conclusion::kPropThirdAppShow:
          OnThirdAppShow(&value);
          break;
        default:
          OnConfirmTextChanged(&value);
          break;
      }
    }
  }
  if (contributions().Size() > 0) HandleUpdateContributesDataSource(contributions());
  return frame;
}

void AfterMeetingConclusionView::InitContentUi() {
  ui_.content = new QFWidget(ui_.frame);
  ui_.content->setFixedWidth(kPageWidth);
  QssSetter::SetStyle(ui_.content, QStringLiteral("meeting_conclusion_content"),
                      QssStyle().Background("transparent"));
  auto* layout = NewVBox(ui_.content, 16);
  layout->setContentsMargins(16, 16, 16, 16);
  ui_.frame->layout()->addWidget(ui_.content);

  InitTopInfoPanel();
  InitPayWidget();
  InitCloudRecordContainer();

  ui_.app_panel = new QFWidget(ui_.content);
  QssSetter::SetStyle(ui_.app_panel, QStringLiteral("app_info_panel"),
                      QssStyle().Radius(6).Background("vl_color_background_senary"));
  NewVBox(ui_.app_panel, 0);
  ui_.app_panel->hide();
  layout->addWidget(ui_.app_panel, 0, Qt::AlignTop);
}

void AfterMeetingConclusionView::InitTopInfoPanel() {
  ui_.top_info_panel = new QFWidget(ui_.content);
  ui_.top_info_panel->setObjectName(QStringLiteral("top_info_panel"));
  ui_.top_info_panel->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
  auto* panel_layout = NewVBox(ui_.top_info_panel, 14);

  ui_.title_row = new QFWidget(ui_.top_info_panel);
  ui_.title_row->setObjectName(QStringLiteral("meeting_conclusion_top"));
  auto* title_layout = NewHBox(ui_.title_row, 8);
  ui_.title = new QFLabel(ui_.title_row);
  ui_.title->setMinimumHeight(24);
  ui_.title->setFixedWidth(kInnerWidth);
  ui_.title->setAttribute(Qt::WA_TranslucentBackground);
  ui_.title->setWordWrap(true);
  QssSetter::SetStyle(ui_.title, QString(),
                      QssStyle().FontSize(16).FontWeight(450).LineHeight(24).Radius(0).Color(
                          "vl_color_text_primary"));
  title_layout->addWidget(ui_.title, 0, Qt::AlignVCenter | Qt::AlignLeft);
  panel_layout->addWidget(ui_.title_row, 0, Qt::AlignVCenter | Qt::AlignTop);

  ui_.info_block = new QFWidget(ui_.top_info_panel);
  auto* info_layout = NewVBox(ui_.info_block, 8);
  ui_.info_block->hide();
  panel_layout->addWidget(ui_.info_block, 0, Qt::AlignLeft | Qt::AlignTop);

  ui_.meeting_end_row = new QFWidget(ui_.info_block);
  ui_.meeting_end_row->setObjectName(QStringLiteral("meeting_end_info"));
  ui_.meeting_end_row->setFixedHeight(18);
  auto* end_layout = NewHBox(ui_.meeting_end_row, 8);
  const Qt::Alignment row_align = Qt::AlignVCenter | Qt::AlignLeft;
  ui_.time_icon = NewIconLabel(ui_.meeting_end_row, QStringLiteral("meeting_time_icon"),
                               QStringLiteral(":/images/af_time"));
  end_layout->addWidget(ui_.time_icon, 0, row_align);
  ui_.start_time = NewTextLabel(ui_.meeting_end_row, 18, "vl_color_text_secondary");
  end_layout->addWidget(ui_.start_time, 0, row_align);
  ui_.duration_separator = NewSeparator(ui_.meeting_end_row);
  end_layout->addWidget(ui_.duration_separator, 0, row_align);
  ui_.duration = NewTextLabel(ui_.meeting_end_row, 18, "vl_color_text_secondary");
  end_layout->addWidget(ui_.duration, 0, row_align);
  InitCarbonEntry();
  info_layout->addWidget(ui_.meeting_end_row, 0, Qt::AlignLeft);

  ui_.member_row = new QFWidget(ui_.info_block);
  ui_.member_row->setObjectName(QStringLiteral("meeting_member_info"));
  ui_.member_row->setFixedHeight(18);
  auto* member_layout = NewHBox(ui_.member_row, 8);
  ui_.member_icon = NewIconLabel(ui_.member_row, QStringLiteral("meeting_member_icon"),
                                 QStringLiteral(":/images/af_member"));
  member_layout->addWidget(ui_.member_icon, 0, row_align);
  ui_.participant = NewTextLabel(ui_.member_row, 20, "vl_color_text_secondary");
  member_layout->addWidget(ui_.participant, 0, row_align);
  ui_.member_row->hide();
  info_layout->addWidget(ui_.member_row, 0, Qt::AlignLeft);

  static_cast<QVBoxLayout*>(ui_.content->layout())->addWidget(ui_.top_info_panel, 0, Qt::AlignTop);
  InitSkeleton();
}

void AfterMeetingConclusionView::InitCarbonEntry() {
  ui_.carbon_entry = new QFWidget(ui_.meeting_end_row);
  auto* layout = NewHBox(ui_.carbon_entry, 0);
  const Qt::Alignment align = Qt::AlignVCenter | Qt::AlignLeft;
  layout->addWidget(NewSeparator(ui_.carbon_entry), 0, align);
  layout->addSpacing(8);

  carbon_image_ = std::make_shared<QtImageView>(14, 14);
  if (auto* service = framework::module::GetModuleService())
    carbon_image_->SetViewModel(
        service->GetViewModelProvider()->BuildViewModel(velmo_widgets::kTypeImageViewModel));
  carbon_image_->Build(nullptr, ui_.content, nullptr, true);
  if (QWidget* image = carbon_image_->frame()) layout->addWidget(image, 0, align);
  layout->addSpacing(4);

  ui_.carbon_text = NewTextLabel(ui_.carbon_entry, 18, "vl_color_text_secondary");
  layout->addWidget(ui_.carbon_text, 0, align);
  ui_.carbon_arrow = new QFPlainLabel(ui_.carbon_entry);
  ui_.carbon_arrow->setFixedSize(9, 12);
  ui_.carbon_arrow->setScaledContents(true);
  ui_.carbon_arrow->setPixmap(VLQtUiUtil::LoadPixmap(
      ui_.carbon_arrow, QStringLiteral(":/images/carbon_arrow"), QSize(9, 12)));
  layout->addWidget(ui_.carbon_arrow, 0, align);

  ui_.carbon_entry->hide();
  ui_.meeting_end_row->layout()->addWidget(ui_.carbon_entry);
  static_cast<QHBoxLayout*>(ui_.meeting_end_row->layout())
      ->setAlignment(ui_.carbon_entry, Qt::AlignVCenter | Qt::AlignLeft);
}

void AfterMeetingConclusionView::InitSkeleton() {
  ui_.skeleton = new QFWidget(ui_.top_info_panel);
  ui_.skeleton_layout = NewVBox(ui_.skeleton, 8);
  ui_.skeleton_layout->setContentsMargins(0, 4, 0, 4);
  ui_.top_info_panel->layout()->addWidget(ui_.skeleton);
  skeleton_animation_ = new QParallelAnimationGroup(ui_.skeleton);

  const std::pair<QFWidget**, AfterMeetingLightEffectWidget**> rows[] = {
      {&ui_.skeleton_row1, &ui_.light1}, {&ui_.skeleton_row2, &ui_.light2}};
  const int widths[] = {kInnerWidth, 240};
  for (int i = 0; i < 2; ++i) {
    auto* row = new QFWidget(ui_.skeleton);
    NewHBox(row, 0);
    // Plain on purpose: the kit takes the tokens of a plain style sheet into the theme.
    row->setStyleSheet(QString::fromLatin1(kSkeletonBarStyle));
    // Taken in now rather than when the row is polished, which would polish it twice.
    QssSetter::AdoptStyleSheet(row);
    auto* light = new AfterMeetingLightEffectWidget(row);
    light->setFixedSize(widths[i], 14);
    row->layout()->addWidget(light);
    static_cast<QHBoxLayout*>(row->layout())->setAlignment(light, Qt::AlignVCenter);
    ui_.skeleton_layout->addWidget(row, 0, Qt::AlignTop | Qt::AlignLeft);
    *rows[i].first = row;
    *rows[i].second = light;
    AddLightAnimation(light);
  }
  AnimationTracker::Track(skeleton_animation_);
  // The page may be deleted while it is still loading.
  AnimationTracker::StopWithParent(skeleton_animation_);
  ShowSkeleton(true, true);
}

void AfterMeetingConclusionView::AddLightAnimation(QWidget* widget) {
  auto* animation = new QPropertyAnimation(widget, "pos");
  animation->setDuration(kShimmerDuration);
  animation->setStartValue(QPoint(-300, 0));
  animation->setEndValue(QPoint(300, 0));
  animation->setLoopCount(-1);
  skeleton_animation_->addAnimation(animation);
}

void AfterMeetingConclusionView::InitPayWidget() {
  ui_.pay_block = new QFWidget(ui_.content);
  ui_.pay_block->setFixedWidth(kInnerWidth);
  QssSetter::SetStyle(ui_.pay_block, QStringLiteral("meeting_restart_widget"),
                      QssStyle().Radius(6).Background("vl_color_background_senary"));
  auto* layout = NewHBox(ui_.pay_block, 14);
  layout->setContentsMargins(14, 10, 14, 10);

  auto* texts = new QVBoxLayout();
  texts->setMargin(0);
  texts->setContentsMargins(0, 0, 0, 0);
  texts->setSpacing(2);
  layout->addLayout(texts);
  ui_.pay_title = new QFLabel(ui_.pay_block);
  ui_.pay_title->setAttribute(Qt::WA_TranslucentBackground);
  ui_.pay_title->setWordWrap(true);
  ui_.pay_title->setFixedWidth(kPayTextWidth);
  QssSetter::SetStyle(ui_.pay_title, QStringLiteral("meeting_restart_title"),
                      QssStyle().FontSize(14).LineHeight(18).Color("vl_color_text_primary"));
  texts->addWidget(ui_.pay_title, 0, Qt::AlignLeft);
  ui_.pay_link = new QFLabel(ui_.pay_block);
  ui_.pay_link->setWordWrap(true);
  ui_.pay_link->setFixedWidth(kPayTextWidth);
  QssSetter::SetStyle(ui_.pay_link, QStringLiteral("pay_content"),
                      QssStyle().FontSize(14).LineHeight(18).Color("vl_color_text_tertiary"));
  texts->addWidget(ui_.pay_link, 0, Qt::AlignLeft);

  ui_.upgrade_button = new QFPushButton(ui_.pay_block);
  ui_.upgrade_button->setObjectName(QStringLiteral("upgrade_btn"));
  ui_.upgrade_button->setFixedHeight(28);
  ui_.upgrade_button->setMaximumWidth(88);
  const QssStyle highlighted =
      QssStyle().Color("vl_color_text_septenary").Border(1, "vl_color_text_septenary");
  QssSetter::SetStyle(ui_.upgrade_button, QString(),
                      QssStyle()
                          .Padding(6, 0, 6, 0)
                          .Radius(4)
                          .FontSize(12)
                          .Color("vl_color_text_primary")
                          .Border(1, "vl_color_text_disabled", QssStyle::kBorderSolid),
                      highlighted, highlighted);
  layout->addWidget(ui_.upgrade_button, 0, Qt::AlignVCenter | Qt::AlignRight);

  ui_.pay_block->hide();
  static_cast<QVBoxLayout*>(ui_.content->layout())
      ->addWidget(ui_.pay_block, 0, Qt::AlignTop | Qt::AlignHCenter);
}

void AfterMeetingConclusionView::InitCloudRecordContainer() {
  ui_.record_container = new QWidget(ui_.content);
  ui_.record_container->setAttribute(Qt::WA_StyledBackground);
  ui_.record_container->setFixedWidth(kInnerWidth);
  ui_.record_container->setMinimumHeight(84);
  QssSetter::SetStyle(ui_.record_container, QStringLiteral("cloud_record_container"),
                      QssStyle().Background("vl_color_background_senary").Radius(6));
  // Invisible until the window has grown to make room for it.
  record_fade_ = new QGraphicsOpacityEffect();
  record_fade_->setOpacity(0.0);
  ui_.record_container->setGraphicsEffect(record_fade_);
  ui_.record_container->hide();
  static_cast<QVBoxLayout*>(ui_.content->layout())
      ->addWidget(ui_.record_container, 0, Qt::AlignTop | Qt::AlignHCenter);
}

void AfterMeetingConclusionView::InitAppInfoPanel() {
  InitFeedbackRow();
  auto* layout = static_cast<QVBoxLayout*>(ui_.app_panel->layout());
  for (AfterMeetingInfoCellWidget** cell : {&ui_.ai_cell, &ui_.apps_cell, &ui_.guide_cell}) {
    *cell = new AfterMeetingInfoCellWidget(ui_.app_panel);
    (*cell)->hide();
    layout->addWidget(*cell, 0, Qt::AlignTop);
  }
  app_panel_fade_ = new QGraphicsOpacityEffect();
  app_panel_fade_->setOpacity(0.0);
  ui_.app_panel->setGraphicsEffect(app_panel_fade_);
}

void AfterMeetingConclusionView::InitFeedbackRow() {
  ui_.feedback_row = new QFWidget(ui_.app_panel);
  ui_.feedback_row->setObjectName(QStringLiteral("feedback_widget"));
  ui_.feedback_row->setFixedSize(kInnerWidth, 52);
  QssSetter::SetStyle(ui_.feedback_row, QString(), QssStyle().Background("transparent"));
  auto* layout = NewHBox(ui_.feedback_row, 8);
  layout->setContentsMargins(14, 14, 10, 14);

  ui_.feedback_icon = new QFLabel(ui_.feedback_row);
  ui_.feedback_icon->setFixedSize(16, 16);
  ui_.feedback_icon->setScaledContents(true);
  QssSetter::SetStyle(ui_.feedback_icon, QStringLiteral("feedback_icon"),
                      QssStyle().Background("transparent"));
  layout->addWidget(ui_.feedback_icon, 0, Qt::AlignLeft | Qt::AlignVCenter);
  ui_.feedback_title = NewTextLabel(ui_.feedback_row, 20, "vl_color_text_primary");
  ui_.feedback_title->setFixedHeight(20);
  layout->addWidget(ui_.feedback_title, 0, Qt::AlignLeft | Qt::AlignVCenter);
  layout->addStretch();
  ui_.feedback_desc = NewTextLabel(ui_.feedback_row, 20, "vl_color_text_secondary");
  ui_.feedback_desc->setFixedHeight(20);
  layout->addWidget(ui_.feedback_desc, 0, Qt::AlignRight | Qt::AlignVCenter);
  InitLikeRow();
}

void AfterMeetingConclusionView::InitLikeRow() {
  ui_.like_row = new QFWidget(ui_.feedback_row);
  ui_.like_row->setFixedHeight(26);
  auto* row_layout = NewHBox(ui_.like_row, 8);
  struct Button {
    QFWidget** button;
    QFPlainLabel** icon;
    QFPlainLabel** text;
    const char* image;
  };
  const Button buttons[] = {
      {&ui_.like_button, &ui_.like_icon, &ui_.like_text, ":/images/like"},
      {&ui_.dislike_button, &ui_.dislike_icon, &ui_.dislike_text, ":/images/dislike"},
  };
  for (const Button& b : buttons) {
    auto* button = new QFWidget(ui_.like_row);
    button->setFixedHeight(26);
    QssSetter::SetStyle(button, QString(),
                        QssStyle().Radius(6).Background("vl_color_background_septenary"),
                        QssStyle().Background("vl_color_background_octonary"));
    auto* layout = NewHBox(button, 0);
    layout->addStretch();
    auto* icon = new QFPlainLabel(button);
    icon->setFixedSize(16, 16);
    icon->setScaledContents(true);
    icon->setPixmap(VLQtUiUtil::LoadPixmap(icon, QString::fromLatin1(b.image), QSize(16, 16)));
    QssSetter::SetStyle(icon, QString(), QssStyle().Background("transparent"));
    layout->addWidget(icon, 0, Qt::AlignHCenter);
    layout->addSpacing(4);
    auto* text = new QFPlainLabel(button);
    QssSetter::SetStyle(
        text, QString(),
        QssStyle().Background("transparent").Color("vl_color_text_secondary").FontSize(12));
    layout->addWidget(text, 0, Qt::AlignHCenter);
    layout->addStretch();
    row_layout->addWidget(button, 0, Qt::AlignVCenter);
    *b.button = button;
    *b.icon = icon;
    *b.text = text;
  }
  static_cast<QHBoxLayout*>(ui_.feedback_row->layout())
      ->addWidget(ui_.like_row, 0, Qt::AlignRight | Qt::AlignVCenter);

  SetLikeTips(QStringLiteral("like"), QStringLiteral("dislike"));
  ui_.feedback_row->hide();
  static_cast<QVBoxLayout*>(ui_.app_panel->layout())->addWidget(ui_.feedback_row, 0, Qt::AlignTop);
}

void AfterMeetingConclusionView::InitConfirmButton() {
  ui_.confirm_holder = new QFWidget(ui_.content);
  auto* layout = NewVBox(ui_.confirm_holder, 0);
  layout->setContentsMargins(0, 4, 0, 0);
  static_cast<QVBoxLayout*>(ui_.content->layout())
      ->addWidget(ui_.confirm_holder, 0, Qt::AlignRight);

  ui_.confirm_button = new QFPushButton(ui_.confirm_holder);
  const QssStyle look = QssStyle().Radius(6).FontSize(14);
  QssSetter::SetStyle(ui_.confirm_button, QStringLiteral("conform_button"), look, look, look);
  ui_.confirm_button->SetButtonType(QFPushButton::kButtonTypeSecondary);
  ui_.confirm_button->setFixedHeight(32);
  ui_.confirm_button->setMinimumWidth(110);
  layout->addWidget(ui_.confirm_button);
}

void AfterMeetingConclusionView::InitConnections() {
  namespace c = conclusion;
  const std::pair<AfterMeetingInfoCellWidget*, int32_t> cells[] = {
      {ui_.guide_cell, c::kItemTypeSummaryGuide},
      {ui_.ai_cell, c::kItemTypeAiAssistant},
      {ui_.apps_cell, c::kItemTypeRetainedApps},
  };
  for (const auto& [cell, type] : cells) {
    cell->RegisterClickCallback(this, [this, type = type](const Variant*) {
      DestroyedTips();
      const Variant param(type);
      SendAction(c::kActionBenefitArea, &param);
    });
  }
  ui_.carbon_entry->RegisterClickCallback(this, [this](const Variant*) {
    DestroyedTips();
    SendAction(c::kActionCarbonClick, nullptr);
  });
  ui_.confirm_button->RegisterClickCallback(
      this, [this](const Variant* param) { SendAction(c::kActionClosePage, param); });
  ui_.like_button->RegisterClickCallback(this, [this](const Variant* param) {
    DestroyedTips();
    SendAction(c::kActionThumbsUp, param);
  });
  ui_.dislike_button->RegisterClickCallback(this, [this](const Variant* param) {
    DestroyedTips();
    SendAction(c::kActionThumbsDown, param);
  });
  ui_.upgrade_button->RegisterClickCallback(this, [this](const Variant*) {
    DestroyedTips();
    SendAction(c::kActionJumpPayPage, nullptr);
  });
}

void AfterMeetingConclusionView::InitAccessibility() {
  for (QFWidget* clickable :
       {ui_.carbon_entry, static_cast<QFWidget*>(ui_.like_button),
        static_cast<QFWidget*>(ui_.dislike_button), static_cast<QFWidget*>(ui_.ai_cell),
        static_cast<QFWidget*>(ui_.apps_cell), static_cast<QFWidget*>(ui_.guide_cell)})
    clickable->SetKeyboardActivatable(true);
  // Top to bottom, as the page reads.
  QWidget* order[] = {ui_.carbon_entry, ui_.upgrade_button, ui_.like_button, ui_.dislike_button,
                      ui_.ai_cell,      ui_.apps_cell,      ui_.guide_cell,  ui_.confirm_button};
  for (size_t i = 1; i < std::size(order); ++i) QWidget::setTabOrder(order[i - 1], order[i]);

  ApplyAccessibleTexts();
  if (!language_listener_)
    language_listener_ = framework::LocalizedStrings::Instance().AddLanguageListener(
        [this](const std::string&) { ApplyAccessibleTexts(); });
}

void AfterMeetingConclusionView::ApplyAccessibleTexts() {
  if (!frame_widget_) return;
  ui_.frame->setAccessibleName(AccessibleText(a11y::kPage));
  ui_.record_container->setAccessibleName(AccessibleText(a11y::kRecordContainer));
  const std::pair<QWidget*, uint32_t> descriptions[] = {
      {ui_.carbon_entry, a11y::kCarbonEntry}, {ui_.upgrade_button, a11y::kUpgradeButton},
      {ui_.like_button, a11y::kLikeButton},   {ui_.dislike_button, a11y::kDislikeButton},
      {ui_.ai_cell, a11y::kAiCell},           {ui_.apps_cell, a11y::kAppsCell},
      {ui_.guide_cell, a11y::kGuideCell},     {ui_.confirm_button, a11y::kConfirmButton},
  };
  for (const auto& [widget, id] : descriptions)
    widget->setAccessibleDescription(AccessibleText(id));
}

// ---------------------------------------------------------------------------------------------
// Life cycle

void AfterMeetingConclusionView::OnDeactivate() { AppBaseView::OnDeactivate(); }

void AfterMeetingConclusionView::OnDispose() {}

void AfterMeetingConclusionView::OnActivate() { ContributeQTWindowView::OnActivate(); }

void AfterMeetingConclusionView::OnFrameDestoryed(QWidget* frame) {
  AppQTWindowView::OnFrameDestoryed(frame);
  ui_ = Widgets();
  QCoreApplication::instance()->removeEventFilter(this);
}

void AfterMeetingConclusionView::BindViewModel(framework::StatefulViewModel* vm) {
  OnViewModelBoundEx(vm);
  if (!vm) return;
  vm->BindProp(conclusion::kPropConclusionUiData, [this](const Variant* v) { OnUiDataChanged(v); });
  vm->BindProp(conclusion::kPropConclusionContentList,
               [this](const Variant* v) { OnContentListChanged(v); });
  vm->BindProp(conclusion::kPropThirdAppShow, [this](const Variant* v) { OnThirdAppShow(v); });
  vm->BindProp(conclusion::kPropConfirmButtonText,
               [this](const Variant* v) { OnConfirmTextChanged(v); });
}

bool AfterMeetingConclusionView::DeferUntilFrame(int prop) {
  if (frame_widget_) return false;
  props_before_frame_.insert(prop);
  return true;
}

void AfterMeetingConclusionView::SendAction(int action, const Variant* param) {
  framework::StatefulViewModel* vm = view_model();
  if (!vm) return;
  // The action may end the page, and the view model with it, before Handle returns.
  std::shared_ptr<framework::ViewModel> keep = vm->shared_from_this();
  keep->Handle(action, param);
}

// ---------------------------------------------------------------------------------------------
// Page data

void AfterMeetingConclusionView::ShowSkeleton(bool show, bool second_row) {
  if (!frame_widget_) return;
  ui_.skeleton->setVisible(show);
  ui_.skeleton_row2->setVisible(show && second_row);
  if (show && second_row)
    ui_.skeleton_layout->setContentsMargins(0, 4, 0, 4);
  else
    ui_.skeleton_layout->setContentsMargins(0, 2, 0, 2);
  ui_.skeleton->adjustSize();
  if (!skeleton_animation_) return;
  if (show)
    skeleton_animation_->start();
  else
    skeleton_animation_->stop();
}

void AfterMeetingConclusionView::OnUiDataChanged(const Variant* data) {
  if (!data || !data->IsMap()) return;
  if (DeferUntilFrame(conclusion::kPropConclusionUiData)) return;
  const Variant& d = *data;
  ui_.title->SetText(Str(d, ui_data::kTitle));
  if (d.GetBool(ui_data::kShowDefaultUi, false)) {
    ShowSkeleton(true, !d.GetBool(ui_data::kIsParticipant, false));
    emit NeedUpdateSize();
    return;
  }
  ShowSkeleton(false, true);

  ui_.start_time->SetText(Str(d, ui_data::kStartTime));
  const QString duration = Str(d, ui_data::kMeetingDuration);
  if (duration.isEmpty()) {
    ui_.duration_separator->hide();
    ui_.duration->hide();
  } else {
    ui_.duration->SetText(duration);
    ui_.duration_separator->show();
    ui_.duration->show();
  }
  if (d.Has(ui_data::kParticipant)) {
    ui_.participant->SetText(Str(d, ui_data::kParticipant));
    ui_.member_row->show();
  } else {
    ui_.member_row->hide();
  }
  // Shown after its rows: showing a widget inside a shown window lays the whole window out.
  ui_.info_block->show();

  const QString pay_content = Str(d, ui_data::kPayContentText);
  const bool has_content = !pay_content.isEmpty();
  if (has_content) ui_.pay_title->SetText(pay_content);
  const bool has_pay = d.GetBool(ui_data::kPayInfoVisible, false);
  if (has_pay) {
    ui_.pay_link->SetText(Str(d, ui_data::kPayLinkText));
    ui_.upgrade_button->SetButtonText(Str(d, ui_data::kPayButtonTitle));
    ui_.upgrade_button->adjustSize();
    const int width = kPayTextWidthBesideButton - ui_.upgrade_button->width();
    ui_.pay_link->setFixedWidth(width);
    ui_.pay_title->setFixedWidth(width);
  } else {
    ui_.pay_title->setFixedWidth(kPayTextWidth);
  }
  // The link stands out when it is the block's only text.
  QssSetter::SetStyle(ui_.pay_link, QStringLiteral("pay_content"),
                      QssStyle().FontSize(14).LineHeight(18).Color(has_pay && !has_content
                                                                       ? "vl_color_text_primary"
                                                                       : "vl_color_text_tertiary"));
  ui_.pay_title->setVisible(has_content);
  ui_.pay_link->setVisible(has_pay);
  ui_.upgrade_button->setVisible(has_pay);
  ui_.pay_block->setVisible(has_pay || has_content);

  ui_.top_info_panel->setMinimumHeight(ui_.top_info_panel->sizeHint().height());
  ui_.record_container->setVisible(d.GetBool(ui_data::kCouldRecordVisible, false));

  if (d.GetBool(ui_data::kCarbonVisible, false)) {
    SetCarbonImage(Str(d, ui_data::kCarbonPath), Str(d, ui_data::kCarbonUrl));
    SetCarbonDescElidedTextIfNeed(Str(d, ui_data::kCarbonTitle));
    ui_.carbon_entry->show();
  } else {
    ui_.carbon_entry->hide();
  }
}

void AfterMeetingConclusionView::SetCarbonImage(const QString& path, const QString& url) {
  const QColor transparent(Qt::transparent);
  carbon_image_->SetImagePath(path.isEmpty() ? QString() : path, 0, transparent);
  if (!url.isEmpty()) carbon_image_->SetImageUrl(url, 0, false, transparent);
}

void AfterMeetingConclusionView::SetCarbonDescElidedTextIfNeed(const QString& text) {
  // The carbon text shares the meeting-end row with the start time and the duration.
  const int conclusion_width = ui_.frame->width();
  const int meeting_end_width =
      ui_.time_icon->width() + Advance(ui_.start_time, ui_.start_time->text()) + 16 +
      ui_.duration_separator->width() + Advance(ui_.duration, ui_.duration->text()) + 8;
  const int free_space = conclusion_width - 32 - meeting_end_width - 43;
  const int carbon_text_width = Advance(ui_.carbon_text, text);
  AM_LOG(6) << "conclusion_width:" << conclusion_width << " meeting_end_width:" << meeting_end_width
            << " free_space:" << free_space << " carbon_text_width:" << carbon_text_width;
  ui_.carbon_entry->setAccessibleName(text);
  if (free_space < carbon_text_width) {
    ui_.carbon_text->SetText(QFontMetrics(ui_.carbon_text->font())
                                 .elidedText(text, Qt::ElideRight, std::max(0, free_space)));
    ui_.carbon_text->setToolTip(text);
  } else {
    ui_.carbon_text->SetText(text);
  }
}

void AfterMeetingConclusionView::OnContentListChanged(const Variant* list) {
  if (DeferUntilFrame(conclusion::kPropConclusionContentList)) return;
  namespace c = conclusion;
  ShowSkeleton(false, true);
  bool has1 = false, has2 = false, has3 = false, has4 = false, has_previous = false;
  const size_t count = list && list->IsArray() ? list->Size() : 0;
  for (size_t i = 0; i < count; ++i) {
    const Variant& item = list->At(i);
    const int32_t type = item.GetInt32(item_key::kItemType, 0);
    if (type == c::kItemTypeFeedback) {
      ui_.feedback_icon->setPixmap(VLQtUiUtil::LoadPixmap(
          ui_.feedback_icon, QStringLiteral(":/images/af_feedback"), QSize(16, 16)));
      // Elided rather than pushing the like buttons out of the fixed-width row.
      ui_.feedback_title->SetElideText(Str(item, item_key::kContent), Qt::ElideRight);
      ui_.feedback_desc->SetText(Str(item, item_key::kDesc));
      like_tips_ = Str(item, item_key::kFeedbackLikeTips);
      dislike_tips_ = Str(item, item_key::kFeedbackDislikeTips);
      SetLikeTips(like_tips_, dislike_tips_);
      const bool done = item.GetBool(item_key::kIsFeedbackDone, false);
      ui_.feedback_desc->setVisible(done);
      ui_.like_row->setVisible(!done);
      ui_.feedback_row->adjustSize();
      has3 = has_previous = true;
      continue;
    }
    AfterMeetingInfoCellWidget* cell = nullptr;
    if (type == c::kItemTypeAiAssistant) {
      cell = ui_.ai_cell;
      has4 = true;
    } else if (type == c::kItemTypeRetainedApps) {
      cell = ui_.apps_cell;
      has2 = true;
    } else if (type == c::kItemTypeSummaryGuide) {
      cell = ui_.guide_cell;
      has1 = true;
    } else {
      continue;
    }
    cell->SetTitle(Str(item, item_key::kContent));
    // The guide row has no description; it keeps its empty, hidden one.
    if (type != c::kItemTypeSummaryGuide) cell->SetDesc(Str(item, item_key::kDesc), true);
    cell->SetIcon(Str(item, item_key::kIconPath), Str(item, item_key::kIconUrl));
    cell->SetSeparatorVisible(has_previous);
    has_previous = true;
  }
  ui_.ai_cell->setVisible(has4);
  ui_.apps_cell->setVisible(has2);
  ui_.guide_cell->setVisible(has1);
  ui_.feedback_row->setVisible(has3);
  ui_.app_panel->setVisible(has1 || has2 || has3 || has4);
  ui_.app_panel->setMinimumHeight(ui_.app_panel->sizeHint().height());
  UpdateConclusionSize();
}

void AfterMeetingConclusionView::SetLikeTips(const QString& like, const QString& dislike) {
  const int width = std::max(Advance(ui_.like_text, like), Advance(ui_.like_text, dislike)) + 32;
  ui_.like_text->setText(like);
  ui_.dislike_text->setText(dislike);
  ui_.like_button->setAccessibleName(like);
  ui_.dislike_button->setAccessibleName(dislike);
  ui_.like_button->setFixedWidth(width);
  ui_.dislike_button->setFixedWidth(width);
}

void AfterMeetingConclusionView::OnConfirmTextChanged(const Variant* value) {
  if (!value || !value->Has(conclusion::confirm_button::kText)) return;
  if (DeferUntilFrame(conclusion::kPropConfirmButtonText)) return;
  ui_.confirm_button->SetButtonText(Str(*value, conclusion::confirm_button::kText));
}

void AfterMeetingConclusionView::OnThirdAppShow(const Variant* show) {
  if (show && show->AsBoolean()) {
    CallSidebars(true);
    return;
  }
  // Minimising needs nothing of the page, so it goes on the application object: it still runs
  // when the page is closed before the loop comes round.
  CustomEventUtils::DelayAction(QCoreApplication::instance(), [] { CallSidebars(false); });
}

// ---------------------------------------------------------------------------------------------
// Size

void AfterMeetingConclusionView::UpdateConclusionSize() {
  std::weak_ptr<AppBaseView> weak = weak_from_this();
  CustomEventUtils::DelayAction(this, [weak] {
    // The page may have been closed before the loop came round.
    auto self = std::static_pointer_cast<AfterMeetingConclusionView>(weak.lock());
    if (!self || !self->frame_widget_) return;
    QFWidget* frame = self->frame_widget_;
    frame->adjustSize();
    frame->setMinimumHeight(frame->sizeHint().height());
    self->ShowExpandAnimationIfNeed();
  });
}

void AfterMeetingConclusionView::ShowExpandAnimationIfNeed() {
  if (expand_animating_ || !frame_widget_) return;
  expand_animating_ = true;
  std::weak_ptr<AppBaseView> weak = weak_from_this();
  UpdateSizeEndCallback done = [weak](void*) {
    // The container may outlive the page it animated.
    auto self = std::static_pointer_cast<AfterMeetingConclusionView>(weak.lock());
    if (!self) return;
    self->expand_animating_ = false;
    for (QGraphicsOpacityEffect* fade : {self->app_panel_fade_.data(), self->record_fade_.data()})
      if (fade) fade->setOpacity(1.0);
    self->RemoveOpacityEffects();
  };
  emit UpdateHeightWithAnimation(frame_widget_->sizeHint().height(), kExpandDuration, done);
}

void AfterMeetingConclusionView::RemoveOpacityEffects() {
  for (QWidget* widget : {static_cast<QWidget*>(ui_.app_panel), ui_.record_container}) {
    if (frame_widget_ && widget && widget->graphicsEffect())
      widget->graphicsEffect()->deleteLater();
  }
  app_panel_fade_ = nullptr;
  record_fade_ = nullptr;
}

// ---------------------------------------------------------------------------------------------
// Events and extensions

bool AfterMeetingConclusionView::eventFilter(QObject* watched, QEvent* event) {
  // Every event of the application passes here; only presses go further.
  const QEvent::Type type = event->type();
  if (type == QEvent::MouseButtonPress || type == native_press_type_) OnPress(event);
  return AppQTWindowView::eventFilter(watched, event);
}

void AfterMeetingConclusionView::OnPress(QEvent* event) {
  if (!frame_widget_ || !frame_widget_->isVisible()) return;
  // Qt hands one press to the window, the widget and each parent it propagates to.
  unsigned long timestamp = 0;
  if (event->type() == QEvent::MouseButtonPress)
    timestamp = static_cast<QMouseEvent*>(event)->timestamp();
  const bool repeated = timestamp != 0 && timestamp == last_press_timestamp_;
  last_press_timestamp_ = timestamp;
  const QPoint cursor = QCursor::pos();
  if (!repeated && frame_widget_->rect().contains(frame_widget_->mapFromGlobal(cursor)) &&
      !ui_.confirm_button->rect().contains(ui_.confirm_button->mapFromGlobal(cursor))) {
    AM_LOG(6) << "[After meeting] click inside of Conclusionview.";
    SendAction(conclusion::kActionStopCountDown, nullptr);
  }
}

void AfterMeetingConclusionView::HandleUpdateContributesDataSource(const Variant& items) {
  AM_LOG(6) << "extension size:" << items.Size();
  if (contributions().Size() == 0) return;
  if (!frame_widget_) return;
  for (size_t i = 0; i < items.Size(); ++i) {
    const Variant& item = items.At(i);
    if (item.GetString(framework::extension::kItemExtensionId) != conclusion::kRecordExtensionId)
      continue;
    auto* held = reinterpret_cast<std::shared_ptr<AppBaseQTView>*>(
        static_cast<uintptr_t>(item.GetUInt64(framework::extension::kItemView)));
    if (!held || !*held) continue;
    std::shared_ptr<AppBaseQTView> view = *held;
    if (QWidget* frame = view->frame()) {
      frame->setParent(ui_.record_container);
      frame->setGeometry(ui_.record_container->contentsRect());
      frame->show();
    }
    const bool visible = item.GetBool(framework::extension::kItemVisible, true);
    AM_LOG(6) << "[After meeting] - kAfterMeetingRecordExtension, visible :" << visible
              << ", container:" << ui_.record_container->isVisible();
    view->Activate(nullptr);
  }
}

void AfterMeetingConclusionView::HandleUpdateItemView(const Variant* item) {
  if (!item || !item->IsMap()) return;
  if (item->GetString(framework::extension::kItemExtensionId) != conclusion::kRecordExtensionId)
    return;
  AM_LOG(6) << "[After meeting] - kAfterMeetingRecordExtension, Update";
}

}  // namespace after_meeting

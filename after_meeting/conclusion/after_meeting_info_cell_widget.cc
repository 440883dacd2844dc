#include "after_meeting/conclusion/after_meeting_info_cell_widget.h"

#include <QColor>
#include <QEvent>
#include <QFontMetrics>
#include <QFrame>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "platform/framework/module_service.h"
#include "platform/widgets/image_view_model.h"
#include "platform/widgets/qf_label.h"
#include "platform/widgets/qss_setter.h"
#include "platform/widgets/qt_image_view.h"
#include "platform/widgets/qt_ui_custom_theme_helper.h"
#include "platform/widgets/vl_qt_ui_util.h"

namespace after_meeting {
namespace {

// The host's event for a changed screen or scale: icons are looked up again for it.
constexpr int kIconRefreshEvent = 220;

constexpr int kContentWidth = 388;
constexpr int kContentHeight = 52;
constexpr int kTitleWidth = 312;
// Title width beside a description: 312 less the 8 px gap the description takes.
constexpr int kTitleWidthBesideDesc = 304;

QColor IconPlaceholder() {
  return QTUICustomThemeHelper::SharedInstance()->GetThemeQColor("vl_color_text_secondary");
}

}  // namespace

AfterMeetingInfoCellWidget::AfterMeetingInfoCellWidget(QWidget* parent) : QFWidget(parent) {
  QssSetter::SetStyle(this, QStringLiteral("cell_widget"), QssStyle().Background("transparent"));
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);

  main_layout_ = new QVBoxLayout(this);
  main_layout_->setMargin(0);
  main_layout_->setContentsMargins(0, 0, 0, 0);
  main_layout_->setSpacing(0);

  content_ = new QFWidget(this);
  content_->setFixedSize(kContentWidth, kContentHeight);
  content_layout_ = new QHBoxLayout(content_);
  content_layout_->setMargin(0);
  content_layout_->setContentsMargins(14, 14, 14, 14);
  content_layout_->setSpacing(0);

  separator_ = new QFrame(this);
  separator_->setFixedSize(360, 1);
  QssSetter::SetStyle(separator_, QString(), QssStyle().Background("vl_color_outline_tertiary"));

  icon_ = std::make_shared<QtImageView>(16, 16);
  if (auto* service = framework::module::GetModuleService())
    icon_->SetViewModel(
        service->GetViewModelProvider()->BuildViewModel(velmo_widgets::kTypeImageViewModel));
  icon_->Build(nullptr, content_, nullptr, true);
  if (icon_->frame()) content_layout_->addWidget(icon_->frame());
  content_layout_->addSpacing(8);

  title_ = new QFLabel(content_);
  title_->setFixedWidth(kTitleWidth);
  title_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  QssSetter::SetStyle(title_, QString(),
                      QssStyle().FontSize(14).LineHeight(20).Color("vl_color_text_primary"));
  title_->SetElideText(QString(), Qt::ElideRight);
  content_layout_->addWidget(title_, 0, Qt::AlignVCenter | Qt::AlignLeft);
  content_layout_->addSpacing(8);
  content_layout_->addStretch();

  desc_ = new QFLabel(content_);
  QssSetter::SetStyle(desc_, QString(),
                      QssStyle().FontSize(14).LineHeight(20).Color("vl_color_text_secondary"));
  content_layout_->addWidget(desc_, 0, Qt::AlignRight | Qt::AlignVCenter);

  arrow_ = new QFLabel(content_);
  arrow_->setFixedSize(16, 16);
  arrow_->setScaledContents(true);
  arrow_->setPixmap(
      VLQtUiUtil::LoadPixmap(arrow_, QStringLiteral(":/images/arrow_right_16"), QSize(16, 16)));
  content_layout_->addWidget(arrow_, 0, Qt::AlignVCenter | Qt::AlignRight);

  main_layout_->addWidget(separator_, 0, Qt::AlignTop | Qt::AlignHCenter);
  main_layout_->addWidget(content_, 0, Qt::AlignTop | Qt::AlignHCenter);

  installEventFilter(this);
  SetDesc(QString(), false);
}

AfterMeetingInfoCellWidget::~AfterMeetingInfoCellWidget() = default;

void AfterMeetingInfoCellWidget::SetTitle(const QString& text) {
  title_->SetElideText(text, Qt::ElideRight);
  setToolTip(text);
  setAccessibleName(text);
  title_->adjustSize();
  title_->AdjustElideContent();
}

void AfterMeetingInfoCellWidget::SetDesc(const QString& text, bool visible) {
  desc_->SetText(text);
  desc_->setVisible(visible);
  desc_->adjustSize();
  if (visible)
    title_->setFixedWidth(kTitleWidthBesideDesc -
                          QFontMetrics(desc_->font()).horizontalAdvance(text));
  else
    title_->setFixedWidth(kTitleWidth);
  title_->adjustSize();
  title_->AdjustElideContent();
}

void AfterMeetingInfoCellWidget::SetIcon(const QString& path, const QString& url) {
  icon_path_ = path;
  icon_url_ = url;
  const QColor placeholder = IconPlaceholder();
  if (!path.isEmpty()) {
    icon_->SetImagePath(VLQtUiUtil::GetHdpiImagePath(icon_->frame(), path, QStringLiteral(".png")),
                        0, placeholder);
  } else {
    icon_->SetImagePath(QString(), 0, QColor(Qt::transparent));
  }
  if (!url.isEmpty()) icon_->SetImageUrl(url, 0, false, placeholder);
}

void AfterMeetingInfoCellWidget::SetSeparatorVisible(bool visible) {
  separator_->setVisible(visible);
}

bool AfterMeetingInfoCellWidget::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == static_cast<QEvent::Type>(kIconRefreshEvent)) SetIcon(icon_path_, icon_url_);
  return QFWidget::eventFilter(watched, event);
}

}  // namespace after_meeting

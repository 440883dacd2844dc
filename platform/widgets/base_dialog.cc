#include "platform/widgets/base_dialog.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QShowEvent>
#include <QVBoxLayout>

#include "platform/widgets/drop_shadow.h"
#include "platform/widgets/qf_plain_label.h"
#include "platform/widgets/qf_push_button.h"
#include "platform/widgets/qf_widget.h"
#include "platform/widgets/qss_setter.h"
#include "platform/widgets/qt_ui_custom_theme_helper.h"

namespace {
constexpr int kTitleBarHeight = 40;
constexpr int kShadowCornerRadius = 8;
}  // namespace

BaseDialog::BaseDialog(BaseDialogDelegate* delegate, QWidget* parent, const QString& name,
                       int style, const QString& title, TitleBarFactory title_bar_factory,
                       bool movable)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint),
      delegate_(delegate),
      style_(style),
      movable_(movable),
      title_bar_factory_(std::move(title_bar_factory)) {
  setObjectName(name);
  setWindowTitle(title);
  setAttribute(Qt::WA_TranslucentBackground, true);

  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(GetShadowWidth(), GetShadowHeight(), GetShadowWidth(),
                            GetShadowHeight());
  outer->setSpacing(0);

  body_ = new QWidget(this);
  body_->setObjectName(QStringLiteral("base_dialog_body"));
  body_layout_ = new QVBoxLayout(body_);
  body_layout_->setContentsMargins(0, 0, 0, 0);
  body_layout_->setSpacing(0);
  outer->addWidget(body_);

  main_widget_ = new QWidget(body_);
  main_widget_->setObjectName(QStringLiteral("base_dialog_main"));
  body_layout_->addWidget(main_widget_, 1);

  // The shadow colour comes from the theme.
  connect(QTUICustomThemeHelper::SharedInstance(), &QTUICustomThemeHelper::ThemeChanged, this,
          [this] { update(); });
}

BaseDialog::~BaseDialog() = default;

QWidget* BaseDialog::BuildDefaultTitleBar(QWidget* parent, const QString& title) {
  auto* bar = new QFWidget(parent);
  bar->setFixedHeight(kTitleBarHeight);
  auto* layout = new QHBoxLayout(bar);
  layout->setContentsMargins(16, 0, 8, 0);
  layout->setSpacing(8);

  auto* text = new QFPlainLabel(title, bar);
  QssSetter::SetStyle(text, QStringLiteral("base_dialog_title"),
                      QssStyle().FontSize(14).FontWeight(500).Color("vl_color_text_primary"));
  layout->addWidget(text, 0, Qt::AlignVCenter | Qt::AlignLeft);
  layout->addStretch();

  auto* close_button = new QFPushButton(bar);
  close_button->setFixedSize(24, 24);
  close_button->setIcon(QIcon(QStringLiteral(":/velmo_widgets/close")));
  close_button->setIconSize(QSize(16, 16));
  close_button->setAccessibleName(tr("Close"));
  close_button->setToolTip(tr("Close"));
  QssSetter::SetStyle(close_button, QStringLiteral("base_dialog_close"),
                      QssStyle().Background("transparent").Set("border", "none").Radius(4),
                      QssStyle().Background("vl_color_fill_secondary_hover"),
                      QssStyle().Background("vl_color_fill_secondary_pressed"));
  close_button->RegisterClickCallback(this, [this](const base::variant::Variant*) { close(); });
  layout->addWidget(close_button, 0, Qt::AlignVCenter | Qt::AlignRight);
  return bar;
}

void BaseDialog::EnsureTitleBar() {
  if (title_bar_built_) return;
  title_bar_built_ = true;
  title_bar_ =
      title_bar_factory_ ? title_bar_factory_(body_) : BuildDefaultTitleBar(body_, windowTitle());
  if (!title_bar_) return;
  // Above the main widget.
  body_layout_->insertWidget(0, title_bar_);
  title_bar_->setVisible(title_bar_shown_);
}

QWidget* BaseDialog::GetTitleBar() {
  EnsureTitleBar();
  return title_bar_;
}

void BaseDialog::ShowTitleBar(bool show) {
  title_bar_shown_ = show;
  if (show) EnsureTitleBar();
  if (title_bar_) title_bar_->setVisible(show);
}

void BaseDialog::showEvent(QShowEvent* event) {
  if (title_bar_shown_) EnsureTitleBar();
  QDialog::showEvent(event);
}

int BaseDialog::GetShadowWidth() const { return style_ & kStyleShadow ? kShadowSize : 0; }

int BaseDialog::GetShadowHeight() const { return style_ & kStyleShadow ? kShadowSize : 0; }

void BaseDialog::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing, true);
  const QRect body = body_->geometry();
  if (style_ & kStyleShadow) {
    drop_shadow::Paint(painter, body,
                       QTUICustomThemeHelper::SharedInstance()->GetThemeQColor("vl_color_shadow"),
                       kShadowSize, kShadowCornerRadius);
  }
  if (style_ & kStyleBody) {
    painter.fillRect(body, QTUICustomThemeHelper::SharedInstance()->GetThemeQColor(
                               "vl_color_background_primary"));
  }
}

bool BaseDialog::AllowClose() { return !delegate_ || delegate_->OnCloseEvent(this); }

void BaseDialog::closeEvent(QCloseEvent* event) {
  if (!AllowClose()) {
    event->ignore();
    return;
  }
  // QDialog closes through reject(); the delegate has already answered.
  closing_ = true;
  QDialog::closeEvent(event);
  closing_ = false;
}

void BaseDialog::reject() {
  if (!closing_ && !AllowClose()) return;
  QDialog::reject();
}

void BaseDialog::mousePressEvent(QMouseEvent* event) {
  if (movable_ && event->button() == Qt::LeftButton) {
    dragging_ = true;
    drag_offset_ = event->globalPos() - frameGeometry().topLeft();
    event->accept();
    return;
  }
  QDialog::mousePressEvent(event);
}

void BaseDialog::mouseMoveEvent(QMouseEvent* event) {
  if (dragging_ && (event->buttons() & Qt::LeftButton)) {
    move(event->globalPos() - drag_offset_);
    event->accept();
    return;
  }
  QDialog::mouseMoveEvent(event);
}

void BaseDialog::mouseReleaseEvent(QMouseEvent* event) {
  if (dragging_ && event->button() == Qt::LeftButton) {
    dragging_ = false;
    event->accept();
    return;
  }
  QDialog::mouseReleaseEvent(event);
}

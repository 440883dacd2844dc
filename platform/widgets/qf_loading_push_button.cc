#include "platform/widgets/qf_loading_push_button.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QVariantAnimation>

namespace {
constexpr int kSpinnerSize = 14;
constexpr int kSpinnerGap = 6;
constexpr int kTurnMs = 900;
}  // namespace

QFLoadingPushButton::QFLoadingPushButton(QWidget* parent) : QFPushButton(parent) {
  spin_ = new QVariantAnimation(this);
  spin_->setStartValue(0);
  spin_->setEndValue(360);
  spin_->setDuration(kTurnMs);
  spin_->setLoopCount(-1);
  connect(spin_, &QVariantAnimation::valueChanged, this, [this](const QVariant& value) {
    angle_ = value.toInt();
    update();
  });
}

QFLoadingPushButton::QFLoadingPushButton(const QString& text, QWidget* parent)
    : QFLoadingPushButton(parent) {
  SetButtonText(text);
}

QFLoadingPushButton::~QFLoadingPushButton() = default;

void QFLoadingPushButton::SetLoading(bool loading) {
  if (loading_ == loading) return;
  loading_ = loading;
  setDown(false);
  if (loading) {
    spin_->start();
  } else {
    spin_->stop();
  }
  update();
}

void QFLoadingPushButton::paintEvent(QPaintEvent* event) {
  QFPushButton::paintEvent(event);
  if (!loading_) return;
  const int text_width = fontMetrics().horizontalAdvance(text());
  const int left = qMax(4, (width() - text_width) / 2 - kSpinnerGap - kSpinnerSize);
  const QRectF box(left, (height() - kSpinnerSize) / 2.0, kSpinnerSize, kSpinnerSize);
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing, true);
  QPen pen(palette().color(QPalette::ButtonText), 2);
  pen.setCapStyle(Qt::RoundCap);
  painter.setPen(pen);
  painter.setBrush(Qt::NoBrush);
  // Qt angles are in 1/16 degree, counter-clockwise: a 270-degree arc turning clockwise.
  painter.drawArc(box.adjusted(1, 1, -1, -1), -angle_ * 16, 270 * 16);
}

void QFLoadingPushButton::mousePressEvent(QMouseEvent* event) {
  if (loading_) {
    event->accept();
    return;
  }
  QFPushButton::mousePressEvent(event);
}

void QFLoadingPushButton::mouseReleaseEvent(QMouseEvent* event) {
  if (loading_) {
    event->accept();
    return;
  }
  QFPushButton::mouseReleaseEvent(event);
}

void QFLoadingPushButton::keyPressEvent(QKeyEvent* event) {
  if (loading_ && velmo_widgets::IsActivationKey(event)) {
    event->accept();
    return;
  }
  QFPushButton::keyPressEvent(event);
}

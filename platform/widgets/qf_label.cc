#include "platform/widgets/qf_label.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QtMath>

#include "platform/widgets/qss_setter.h"

QFLabel::QFLabel(QWidget* parent, Qt::WindowFlags flags) : QLabel(parent, flags) {
  velmo_widgets::InstallAccessibleFactory();
}

QFLabel::QFLabel(const QString& text, QWidget* parent) : QFLabel(parent) { SetText(text); }

QFLabel::~QFLabel() = default;

void QFLabel::SetText(const QString& text) {
  full_text_ = text;
  elide_mode_ = Qt::ElideNone;
  Show(text);
}

void QFLabel::SetElideText(const QString& text, int mode) {
  full_text_ = text;
  elide_mode_ = mode >= Qt::ElideLeft && mode <= Qt::ElideNone ? mode : Qt::ElideRight;
  shown_ = this->text();
  updateGeometry();
  AdjustElideContent();
}

void QFLabel::TakePlainSetText() {
  if (!FollowsPlainSetText()) return;
  full_text_ = text();
  elide_mode_ = Qt::ElideNone;
  Show(full_text_);
}

void QFLabel::Show(const QString& shown) {
  shown_ = shown;
  if (text() != shown) setText(shown);
  if (shown != full_text_) {
    elided_tip_ = full_text_;
    setToolTip(full_text_);
    return;
  }
  if (elided_tip_.isEmpty()) return;
  // Whole again: take back only the tip the cut put there; a tip the page set stays.
  if (toolTip() == elided_tip_) setToolTip(QString());
  elided_tip_.clear();
}

int QFLabel::TextWidth() const {
  int width = contentsRect().width() - 2 * margin();
  if (indent() > 0) width -= indent();
  return width;
}

qreal QFLabel::FullTextAdvance() const {
  const QString text = FullText();
  const QFont current = font();
  if (measured_advance_ < 0 || measured_text_ != text || measured_font_ != current) {
    measured_text_ = text;
    measured_font_ = current;
    measured_advance_ = QFontMetricsF(current).horizontalAdvance(text);
  }
  return measured_advance_;
}

void QFLabel::AdjustElideContent() {
  if (adjusting_) return;
  adjusting_ = true;
  TakePlainSetText();
  QString shown = full_text_;
  if (Eliding()) {
    const int width = qMax(0, TextWidth());
    // A text that fits comes back whole; only a cut needs the metrics' search. Texts holding
    // length variants (U+009C) are left to the metrics, which pick among them.
    if (FullTextAdvance() > width || full_text_.contains(QChar(0x9C)))
      shown = fontMetrics().elidedText(full_text_, static_cast<Qt::TextElideMode>(elide_mode_),
                                       width);
  }
  Show(shown);
  adjusting_ = false;
}

void QFLabel::RegisterClickCallback(QObject* context, ClickCallback callback) {
  callbacks_.Add(this, context, std::move(callback));
}

void QFLabel::SetClickParam(base::variant::Variant param) { callbacks_.SetParam(std::move(param)); }

void QFLabel::SetKeyboardActivatable(bool activatable) {
  keyboard_activatable_ = activatable;
  setFocusPolicy(activatable ? Qt::TabFocus : Qt::NoFocus);
}

void QFLabel::Click() { callbacks_.Run(this); }

QSize QFLabel::sizeHint() const {
  QSize size = QLabel::sizeHint();
  if (!Eliding() || wordWrap()) return size;
  const int frame = width() - TextWidth();
  // Rounded up: a text a fraction of a pixel wider than a rounded width would be elided.
  const int text_width = qCeil(FullTextAdvance() - 1e-6);
  size.setWidth(text_width + qMax(0, frame));
  return size;
}

QSize QFLabel::minimumSizeHint() const {
  QSize size = QLabel::minimumSizeHint();
  if (!Eliding() || wordWrap()) return size;
  const int frame = width() - TextWidth();
  size.setWidth(fontMetrics().horizontalAdvance(QChar(0x2026)) + qMax(0, frame));
  return size;
}

bool QFLabel::event(QEvent* event) {
  switch (event->type()) {
    case QEvent::Polish:
    case QEvent::StyleChange:
      QssSetter::AdoptStyleSheet(this);
      break;
    case QEvent::ToolTip:
      TakePlainSetText();
      break;
    case QEvent::FontChange:
      // A style sheet's font-size reaches the label after the text was set.
      if (Eliding()) AdjustElideContent();
      break;
    default:
      break;
  }
  return QLabel::event(event);
}

void QFLabel::paintEvent(QPaintEvent* event) {
  // QLabel::setText announces itself only by repainting.
  TakePlainSetText();
  QLabel::paintEvent(event);
  QPainter painter(this);
  velmo_widgets::PaintFocusRing(this, &painter);
}

void QFLabel::resizeEvent(QResizeEvent* event) {
  QLabel::resizeEvent(event);
  TakePlainSetText();
  if (Eliding()) AdjustElideContent();
}

void QFLabel::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !callbacks_.HasLive()) {
    QLabel::mousePressEvent(event);
    return;
  }
  pressed_ = true;
  event->accept();
}

void QFLabel::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !pressed_) {
    QLabel::mouseReleaseEvent(event);
    return;
  }
  pressed_ = false;
  event->accept();
  if (rect().contains(event->pos())) Click();  // may destroy this
}

void QFLabel::keyPressEvent(QKeyEvent* event) {
  if (keyboard_activatable_ && velmo_widgets::IsActivationKey(event)) {
    event->accept();
    Click();  // may destroy this
    return;
  }
  QLabel::keyPressEvent(event);
}

void QFLabel::focusInEvent(QFocusEvent* event) {
  velmo_widgets::NoteFocusIn(this, event);
  QLabel::focusInEvent(event);
}

void QFLabel::focusOutEvent(QFocusEvent* event) {
  velmo_widgets::NoteFocusOut(this);
  QLabel::focusOutEvent(event);
}

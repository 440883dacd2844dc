#include "platform/widgets/qf_push_button.h"

#include <QKeyEvent>
#include <QPainter>

#include "platform/widgets/qss_setter.h"

namespace {

constexpr char kSelector[] = "QFPushButton";

QssStateStyles TypeStyles(int type) {
  QssStateStyles s;
  const auto base = [] {
    return QssStyle().Radius(6).FontSize(14).Padding(16, 0, 16, 0).Set("outline", "none");
  };
  switch (type) {
    case QFPushButton::kButtonTypeSecondary:
      s.normal = base()
                     .Background("vl_color_fill_secondary")
                     .Color("vl_color_text_primary")
                     .Border(1, "vl_color_outline_secondary");
      s.hover = QssStyle().Background("vl_color_fill_secondary_hover");
      s.pressed = QssStyle().Background("vl_color_fill_secondary_pressed");
      s.disabled = QssStyle().Color("vl_color_text_disabled");
      break;
    case QFPushButton::kButtonTypePrimary:
      s.normal = base()
                     .Background("vl_color_brand_primary")
                     .Color("vl_color_text_on_brand")
                     .Set("border", "none");
      s.hover = QssStyle().Background("vl_color_brand_hover");
      s.pressed = QssStyle().Background("vl_color_brand_pressed");
      s.disabled = QssStyle().Background("vl_color_brand_disabled").Color("vl_color_text_on_brand");
      break;
    default:
      break;
  }
  return s;
}

}  // namespace

QFPushButton::QFPushButton(QWidget* parent) : QPushButton(parent) {
  setFocusPolicy(Qt::TabFocus);
  connect(this, &QAbstractButton::clicked, this, &QFPushButton::OnClicked);
}

QFPushButton::QFPushButton(const QString& text, QWidget* parent) : QFPushButton(parent) {
  SetButtonText(text);
}

QFPushButton::~QFPushButton() = default;

void QFPushButton::SetButtonType(int type) {
  if (type != kButtonTypeSecondary && type != kButtonTypePrimary) type = kButtonTypeNone;
  button_type_ = type;
  QssSetter::SetKitStyleSheet(this, QssSetter::ComposeRules(kSelector, TypeStyles(type)));
}

void QFPushButton::SetButtonText(const QString& text) { setText(text); }

void QFPushButton::RegisterClickCallback(QObject* context, ClickCallback callback) {
  callbacks_.Add(this, context, std::move(callback));
}

void QFPushButton::SetClickParam(base::variant::Variant param) {
  callbacks_.SetParam(std::move(param));
}

void QFPushButton::OnClicked() {
  if (ClicksBlocked()) return;
  callbacks_.Run(this);  // may destroy this
}

bool QFPushButton::event(QEvent* event) {
  if (event->type() == QEvent::Polish || event->type() == QEvent::StyleChange)
    QssSetter::AdoptStyleSheet(this);
  return QPushButton::event(event);
}

void QFPushButton::paintEvent(QPaintEvent* event) {
  QPushButton::paintEvent(event);
  QPainter painter(this);
  velmo_widgets::PaintFocusRing(this, &painter, 6);
}

void QFPushButton::keyPressEvent(QKeyEvent* event) {
  // Space is the button's own; Enter and Return click it too, as on the kit's other controls.
  if (!event->isAutoRepeat() && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
    event->accept();
    click();  // may destroy this
    return;
  }
  QPushButton::keyPressEvent(event);
}

void QFPushButton::focusInEvent(QFocusEvent* event) {
  velmo_widgets::NoteFocusIn(this, event);
  QPushButton::focusInEvent(event);
}

void QFPushButton::focusOutEvent(QFocusEvent* event) {
  velmo_widgets::NoteFocusOut(this);
  QPushButton::focusOutEvent(event);
}

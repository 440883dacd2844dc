#include "platform/widgets/custom_text_edit.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QTextCursor>

#include "platform/widgets/qss_setter.h"
#include "platform/widgets/qt_ui_custom_theme_helper.h"

CustomTextEdit::CustomTextEdit(QWidget* parent) : QTextEdit(parent) {
  setAcceptRichText(false);
  connect(QTUICustomThemeHelper::SharedInstance(), &QTUICustomThemeHelper::ThemeChanged, this,
          [this] { ApplyPlaceholderColor(); });
}

CustomTextEdit::~CustomTextEdit() = default;

void CustomTextEdit::SetPlaceHolderColorToken(const std::string& token) {
  placeholder_token_ = token;
  ApplyPlaceholderColor();
}

void CustomTextEdit::SetMaxLength(int max_length) { max_length_ = qMax(0, max_length); }

void CustomTextEdit::ApplyPlaceholderColor() {
  if (placeholder_token_.empty() || applying_palette_) return;
  const QColor color = QTUICustomThemeHelper::SharedInstance()->GetThemeQColor(placeholder_token_);
  if (!color.isValid()) return;
  QPalette pal = palette();
  if (pal.color(QPalette::PlaceholderText) == color) return;
  applying_palette_ = true;
  pal.setColor(QPalette::PlaceholderText, color);
  setPalette(pal);
  applying_palette_ = false;
}

bool CustomTextEdit::event(QEvent* event) {
  const bool handled = QTextEdit::event(event);
  switch (event->type()) {
    case QEvent::Polish:
    case QEvent::StyleChange:
      QssSetter::AdoptStyleSheet(this);
      // A style sheet repolish hands the widget a fresh palette.
      ApplyPlaceholderColor();
      break;
    case QEvent::PaletteChange:
      ApplyPlaceholderColor();
      break;
    default:
      break;
  }
  return handled;
}

int CustomTextEdit::Room() const {
  const QTextCursor cursor = textCursor();
  const int selected = cursor.selectionEnd() - cursor.selectionStart();
  return max_length_ - (toPlainText().size() - selected);
}

void CustomTextEdit::keyPressEvent(QKeyEvent* event) {
  // Block only keys that add text; editing and navigation keys still work at the limit.
  const QString typed = event->text();
  const bool adds_text = !typed.isEmpty() &&
                         !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) &&
                         (typed.at(0).isPrint() || typed.at(0) == QLatin1Char('\r') ||
                          typed.at(0) == QLatin1Char('\t'));
  if (max_length_ > 0 && adds_text && Room() <= 0) {
    event->accept();
    return;
  }
  QTextEdit::keyPressEvent(event);
}

bool CustomTextEdit::canInsertFromMimeData(const QMimeData* source) const {
  return source && source->hasText();
}

void CustomTextEdit::insertFromMimeData(const QMimeData* source) {
  if (!source || !source->hasText()) return;
  QString text = source->text();
  if (max_length_ > 0 && text.size() > Room()) {
    text = text.left(qMax(0, Room()));
    // Never keep half of a surrogate pair.
    if (!text.isEmpty() && QChar(text.back()).isHighSurrogate()) text.chop(1);
  }
  textCursor().insertText(text);
  ensureCursorVisible();
}

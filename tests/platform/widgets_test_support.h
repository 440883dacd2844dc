// Helpers shared by the widget tests, the kit's and the pages'.
#pragma once

#include <ostream>
#include <string>

#include <QAccessible>
#include <QColor>
#include <QImage>
#include <QPoint>
#include <QWidget>

#include "platform/widgets/qss_setter.h"
#include "platform/widgets/qt_ui_custom_theme_helper.h"

// Readable QString and QColor values in failure messages.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
inline void PrintTo(const QColor& c, std::ostream* os) {
  *os << c.name(QColor::HexArgb).toStdString();
}

namespace widgets_test {

// Puts the light theme back however a test ends.
class LightThemeAfter {
 public:
  LightThemeAfter() = default;
  ~LightThemeAfter() { QssSetter::SetTheme("light"); }
};

inline QColor Token(const std::string& token) {
  return QTUICustomThemeHelper::SharedInstance()->GetThemeQColor(token);
}

inline QColor PixelOf(QWidget* widget, QPoint at) {
  return widget->grab().toImage().pixelColor(at);
}

// What assistive tools read, not only what the widget was given.
inline QString Spoken(QWidget* w, QAccessible::Text what = QAccessible::Name) {
  QAccessibleInterface* face = QAccessible::queryAccessibleInterface(w);
  return face ? face->text(what) : QString();
}

}  // namespace widgets_test

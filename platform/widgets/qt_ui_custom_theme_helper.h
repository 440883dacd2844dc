// QTUICustomThemeHelper: the current theme and its colours by token, for code that paints
// rather than styles (image placeholders, shadows, focus rings).
//
//   QColor c = QTUICustomThemeHelper::SharedInstance()->GetThemeQColor("vl_color_text_secondary");
//   connect(QTUICustomThemeHelper::SharedInstance(), &QTUICustomThemeHelper::ThemeChanged,
//           this, [this] { update(); });
//
// Themes are "light" (the default) and "dark"; each lists every token once (theme_tables.h).
// An unknown token gives an invalid QColor and, in text, stays as written, so a misspelt token
// shows up instead of silently turning into some colour. UI thread only.
#pragma once

#include <string>
#include <vector>

#include <QColor>
#include <QObject>
#include <QString>

namespace velmo_widgets {
struct ThemeTable;
}

class QTUICustomThemeHelper : public QObject {
  Q_OBJECT

 public:
  static QTUICustomThemeHelper* SharedInstance();

  // The token's colour in the current theme; invalid when the theme has no such token.
  QColor GetThemeQColor(const std::string& token) const;
  bool HasToken(const std::string& token) const;

  const std::string& CurrentTheme() const { return theme_; }
  std::vector<std::string> ThemeNames() const;
  // Switches the theme and emits ThemeChanged; false (and nothing changes) for an unknown name.
  // Setting the current theme again is a no-op that returns true.
  bool SetTheme(const std::string& theme);

  // text with every vl_color_ token replaced by its colour in style-sheet form ("#rrggbb" or
  // "rgba(r, g, b, a)"). Unknown tokens are left in place and collected into unknown.
  QString ResolveTokens(const QString& text, QStringList* unknown = nullptr) const;

  // A colour in the form style sheets accept.
  static QString ToStyleSheetColor(const QColor& color);

 signals:
  void ThemeChanged(const QString& theme);

 private:
  QTUICustomThemeHelper();
  const velmo_widgets::ThemeTable* table_;
  std::string theme_;
};

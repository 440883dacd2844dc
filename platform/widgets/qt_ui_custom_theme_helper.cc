#include "platform/widgets/qt_ui_custom_theme_helper.h"

#include <set>

#include <QRegularExpression>

#include "platform/base/log.h"
#include "platform/widgets/theme_tables.h"

namespace {

const velmo_widgets::ThemeTable* FindTable(const std::string& theme) {
  for (const auto* table : {&velmo_widgets::LightThemeTable(), &velmo_widgets::DarkThemeTable()})
    if (theme == table->name) return table;
  return nullptr;
}

const char* FindColor(const velmo_widgets::ThemeTable& table, const std::string& token) {
  for (size_t i = 0; i < table.size; ++i)
    if (token == table.colors[i].token) return table.colors[i].color;
  return nullptr;
}

// Say each unknown token once: a page that re-styles on every update would flood the log.
void ReportUnknownToken(const std::string& token) {
  static std::set<std::string>* reported = new std::set<std::string>();
  if (!reported->insert(token).second) return;
  VLOG(1) << "[theme] unknown colour token: " << token;
}

}  // namespace

QTUICustomThemeHelper* QTUICustomThemeHelper::SharedInstance() {
  static QTUICustomThemeHelper* instance = new QTUICustomThemeHelper();
  return instance;
}

QTUICustomThemeHelper::QTUICustomThemeHelper()
    : table_(&velmo_widgets::LightThemeTable()), theme_(table_->name) {}

QColor QTUICustomThemeHelper::GetThemeQColor(const std::string& token) const {
  const char* color = FindColor(*table_, token);
  if (!color) {
    ReportUnknownToken(token);
    return QColor();
  }
  return QColor(QLatin1String(color));
}

bool QTUICustomThemeHelper::HasToken(const std::string& token) const {
  return FindColor(*table_, token) != nullptr;
}

std::vector<std::string> QTUICustomThemeHelper::ThemeNames() const {
  return {velmo_widgets::LightThemeTable().name, velmo_widgets::DarkThemeTable().name};
}

bool QTUICustomThemeHelper::SetTheme(const std::string& theme) {
  const velmo_widgets::ThemeTable* table = FindTable(theme);
  if (!table) {
    VLOG(1) << "[theme] unknown theme: " << theme;
    return false;
  }
  if (table == table_) return true;
  table_ = table;
  theme_ = theme;
  emit ThemeChanged(QString::fromStdString(theme_));
  return true;
}

QString QTUICustomThemeHelper::ResolveTokens(const QString& text, QStringList* unknown) const {
  if (!text.contains(QLatin1String("vl_color_"))) return text;
  static const QRegularExpression kToken(QStringLiteral("vl_color_[A-Za-z0-9_]+"));
  QString out;
  out.reserve(text.size());
  int last = 0;
  auto it = kToken.globalMatch(text);
  while (it.hasNext()) {
    const QRegularExpressionMatch m = it.next();
    out += text.midRef(last, m.capturedStart() - last);
    const std::string token = m.captured().toStdString();
    if (const char* color = FindColor(*table_, token)) {
      out += ToStyleSheetColor(QColor(QLatin1String(color)));
    } else {
      ReportUnknownToken(token);
      if (unknown) unknown->append(m.captured());
      out += m.captured();
    }
    last = m.capturedEnd();
  }
  out += text.midRef(last);
  return out;
}

QString QTUICustomThemeHelper::ToStyleSheetColor(const QColor& color) {
  if (color.alpha() == 255) return color.name(QColor::HexRgb);
  return QStringLiteral("rgba(%1, %2, %3, %4)")
      .arg(color.red())
      .arg(color.green())
      .arg(color.blue())
      .arg(color.alpha());
}

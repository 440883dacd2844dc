#include "platform/widgets/qt_ui_custom_theme_helper.h"

#include <algorithm>
#include <set>
#include <utility>
#include <vector>

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
  static const QLatin1String kPrefix("vl_color_");
  int at = text.indexOf(kPrefix);
  if (at < 0) return text;
  // Pages resolve their sheets on every build; the colours of one theme are worked out once,
  // and a token is looked up where it stands in the text rather than copied out of it (a theme
  // names a few dozen colours, so a short list does).
  static std::vector<std::pair<QString, QString>>* cache =
      new std::vector<std::pair<QString, QString>>();
  static const velmo_widgets::ThemeTable* cached_table = nullptr;
  if (cached_table != table_) {
    cache->clear();
    cached_table = table_;
  }
  const auto is_token_char = [](QChar c) {
    return (c >= QLatin1Char('a') && c <= QLatin1Char('z')) ||
           (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ||
           (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('_');
  };
  QString out;
  out.reserve(text.size());
  int last = 0;
  while (at >= 0) {
    int end = at + kPrefix.size();
    while (end < text.size() && is_token_char(text.at(end))) ++end;
    out += text.midRef(last, at - last);
    const QStringRef token = text.midRef(at, end - at);
    last = end;
    if (end == at + kPrefix.size()) {  // the prefix alone names nothing
      out += token;
      at = text.indexOf(kPrefix, end);
      continue;
    }
    auto found =
        std::find_if(cache->begin(), cache->end(),
                     [&token](const std::pair<QString, QString>& e) { return e.first == token; });
    if (found == cache->end()) {
      // Only the theme's own colours are kept, so the list stays as short as the theme.
      if (const char* color = FindColor(*table_, token.toString().toStdString())) {
        cache->emplace_back(token.toString(), ToStyleSheetColor(QColor(QLatin1String(color))));
        found = cache->end() - 1;
      }
    }
    if (found != cache->end()) {
      out += found->second;
    } else {
      ReportUnknownToken(token.toString().toStdString());
      if (unknown) unknown->append(token.toString());
      out += token;
    }
    at = text.indexOf(kPrefix, end);
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

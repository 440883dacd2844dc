#include "platform/widgets/qss_setter.h"

#include <array>
#include <charconv>
#include <optional>
#include <unordered_map>
#include <utility>

#include <QApplication>
#include <QFont>
#include <QFrame>
#include <QLabel>
#include <QPaintEvent>
#include <QPainter>
#include <QPalette>
#include <QPointer>
#include <QStringBuilder>
#include <QStyle>
#include <QVariant>
#include <QWidget>

#include "platform/base/log.h"
#include "platform/widgets/qt_ui_custom_theme_helper.h"

namespace {

// Qt looks a property up from the most derived class down and only then among the dynamic
// ones: by then it has compared the name with every property of QWidget and the classes above.
// The kit's widgets declare this one, so setting it and the style sheet's matching on it find it
// at once; any other widget carries it as a dynamic property.
constexpr char kScopeProperty[] = "vl_qss_scope";

bool IsBlank(const QString& text) {
  for (QChar c : text)
    if (!c.isSpace()) return false;
  return true;
}

// Style values are plain ASCII as a rule; anything else still arrives intact.
void AppendUtf8(QString* out, const std::string& text) {
  for (char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) {
      out->append(QString::fromUtf8(text.data(), int(text.size())));
      return;
    }
  }
  out->append(QLatin1String(text.data(), int(text.size())));
}

// A style layer that sets only a widget's text look and a background of one colour, given through
// its font, palette and minimum height and a painted fill.
struct SimpleLook {
  int font_px = -1;
  int weight = -1;  // CSS weight, as written in a rule
  int min_height = -1;
  std::string color;       // a token; empty when the style sets none
  std::string background;  // a token or "transparent"; empty when the style sets none
};

struct Record {
  QPointer<QWidget> widget;
  QString kit;
  QString raw;
  QString style;
  // The style layer as a simple look, when it is one.
  std::optional<SimpleLook> look;
  // The resolved text last given to setStyleSheet; anything else found on the widget was set
  // behind QssSetter's back. Empty while the look is given natively.
  QString applied;
  // The number of the widget's scope property when its rules are scoped by it; 0 before.
  int scope = 0;
  // While the look is given natively: what the widget had before it, restored when a sheet
  // takes over, and which of them the look set.
  bool native = false;
  bool native_font = false;
  bool native_palette = false;
  bool native_min_height = false;
  bool auto_fill_before = false;
  // The painted fill; invalid when the look has none.
  QColor fill;
  QFont font_before;
  QPalette palette_before;
  int min_height_before = 0;
};

// Parses "<digits>" or, with px, "<digits>px"; -1 for anything else.
int ParseSize(std::string_view value, bool px) {
  if (px) {
    if (value.size() < 3 || value.substr(value.size() - 2) != "px") return -1;
    value.remove_suffix(2);
  }
  int n = -1;
  const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), n);
  if (error != std::errc() || end != value.data() + value.size() || n < 0) return -1;
  return n;
}

bool IsToken(std::string_view value) { return value.substr(0, 9) == "vl_color_"; }

// The simple look a style's normal state sets, when that is all the style sets. A radius, even
// 0px, is left to a sheet: it has a button's rule paint the button's face instead of its style.
std::optional<SimpleLook> SimpleLookOf(const QssStyle* const* states, size_t count) {
  for (size_t i = 1; i < count; ++i)
    if (!states[i]->empty()) return std::nullopt;
  std::string_view text = states[0]->DeclarationText();
  if (text.empty()) return std::nullopt;
  SimpleLook look;
  while (!text.empty()) {
    const size_t end = text.find(';');
    const size_t colon = text.find(':');
    if (end == std::string_view::npos || colon > end) return std::nullopt;
    const std::string_view name = text.substr(0, colon);
    const std::string_view value = text.substr(colon + 1, end - colon - 1);
    text.remove_prefix(end + 1);
    if (name == "font-size") {
      look.font_px = ParseSize(value, true);
      if (look.font_px <= 0) return std::nullopt;
    } else if (name == "font-weight") {
      look.weight = ParseSize(value, false);
      if (look.weight < 1 || look.weight > 1000) return std::nullopt;
    } else if (name == "min-height") {
      look.min_height = ParseSize(value, true);
      if (look.min_height < 0) return std::nullopt;
    } else if (name == "color" && IsToken(value)) {
      look.color = std::string(value);
    } else if (name == "background-color" && (IsToken(value) || value == "transparent")) {
      look.background = std::string(value);
    } else {
      return std::nullopt;
    }
  }
  return look;
}

// Whether a sheet's background paints as a plain fill of the widget; on a button, an editor or
// any other control, the rule paints the whole face in its place.
// (Checked for a coloured button; assumed for the rest, which no page styles this way.)
bool FillsPlainly(const QWidget* widget) {
  const QMetaObject* meta = widget->metaObject();
  return meta == &QWidget::staticMetaObject || meta == &QFrame::staticMetaObject ||
         widget->inherits("QFWidget") || qobject_cast<const QLabel*>(widget);
}

// Calls change with the widget unpolished: a style-sheet style saves a widget's palette as it
// polishes it and puts that palette back on the next polish, which would undo a palette set
// in between (as a theme change does).
template <class Change>
void WithWidgetUnpolished(QWidget* widget, Change change) {
  const bool polished = widget->testAttribute(Qt::WA_WState_Polished) &&
                        widget->style()->inherits("QStyleSheetStyle");
  if (polished) widget->style()->unpolish(widget);
  change();
  if (polished) widget->style()->polish(widget);
}

QColor FillOf(QWidget* widget);

// Whether a fill puts anything on screen: a clear one needs no painting at all.
bool Paints(const QColor& fill) { return fill.isValid() && fill.alpha() > 0; }

// Paints the fills of simple looks under whatever their widgets paint, where a rule paints its
// background. A filled palette would look the same but hand its colours on to the widget's
// children, which a rule's never reach.
class FillPainter : public QObject {
 public:
  static FillPainter* Get() {
    static FillPainter* painter = new FillPainter();
    return painter;
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) {
      auto* widget = static_cast<QWidget*>(watched);
      const QColor fill = FillOf(widget);
      if (Paints(fill)) {
        QPainter painter(widget);
        painter.fillRect(static_cast<QPaintEvent*>(event)->rect(), fill);
      }
    }
    return false;
  }
};

// Whether a look through font and palette stays with the widget alone: in a tree a sheet styles
// Qt passes neither on to children, and a label is not given children.
bool KeepsTextLookToItself(const QWidget* widget) {
  const QWidget* parent = widget->parentWidget();
  if (parent && parent->style()->inherits("QStyleSheetStyle")) return true;
  if (!qobject_cast<const QLabel*>(widget)) return false;
  for (const QObject* child : widget->children())
    if (child->isWidgetType()) return false;
  return true;
}

void RestoreBefore(QWidget* widget, Record& record) {
  if (record.native_font) widget->setFont(record.font_before);
  if (record.native_palette) widget->setPalette(record.palette_before);
  if (record.native_min_height) widget->setMinimumHeight(record.min_height_before);
  if (widget->autoFillBackground() != record.auto_fill_before)
    widget->setAutoFillBackground(record.auto_fill_before);
  if (Paints(record.fill)) {
    widget->removeEventFilter(FillPainter::Get());
    widget->update();
  }
  record.fill = QColor();
  record.native = record.native_font = record.native_palette = record.native_min_height = false;
}

// Gives the record's look through the widget's font, palette, minimum height and a painted fill,
// as a rule with those declarations would; false, with nothing changed, when one of its tokens is
// unknown or the look cannot be given exactly so on this widget.
bool ApplyNative(QWidget* widget, Record& record) {
  const SimpleLook& look = *record.look;
  QTUICustomThemeHelper* theme = QTUICustomThemeHelper::SharedInstance();
  const bool text_look = look.font_px > 0 || look.weight > 0 || !look.color.empty();
  if (text_look && !KeepsTextLookToItself(widget)) return false;
  QColor color;
  if (!look.color.empty()) {
    color = theme->GetThemeQColor(look.color);
    if (!color.isValid()) return false;
  }
  QColor fill;
  if (!look.background.empty()) {
    if (!FillsPlainly(widget)) return false;
    fill = look.background == "transparent" ? QColor(Qt::transparent)
                                            : theme->GetThemeQColor(look.background);
    if (!fill.isValid()) return false;
  }
  // The sheet QssSetter gave before goes first, so that the font and palette read as the
  // widget's own are not the sheet's; cleared as applied first, so that the style change this
  // sends a kit widget does not take the empty text in as a layer.
  record.applied.clear();
  if (!widget->styleSheet().isEmpty()) widget->setStyleSheet(QString());
  WithWidgetUnpolished(widget, [&] {
    if (!record.native) {
      record.font_before = widget->font();
      record.palette_before = widget->palette();
      record.min_height_before = widget->minimumHeight();
      record.auto_fill_before = widget->autoFillBackground();
      record.native = true;
    }
    if (look.font_px > 0 || look.weight > 0) {
      QFont font = record.font_before;
      if (look.font_px > 0) font.setPixelSize(look.font_px);
      // Style sheets map a CSS weight onto Qt's scale as weight / 8, rounded.
      if (look.weight > 0) font.setWeight(qMin((look.weight + 4) / 8, 99));
      widget->setFont(font);
      record.native_font = true;
    } else if (record.native_font) {
      widget->setFont(record.font_before);
      record.native_font = false;
    }
    if (color.isValid()) {
      QPalette palette = record.palette_before;
      for (QPalette::ColorRole role :
           {QPalette::ButtonText, widget->foregroundRole(), QPalette::WindowText, QPalette::Text,
            QPalette::PlaceholderText})
        palette.setColor(role, color);
      widget->setPalette(palette);
      record.native_palette = true;
    } else if (record.native_palette) {
      widget->setPalette(record.palette_before);
      record.native_palette = false;
    }
    if (look.min_height >= 0) {
      widget->setMinimumHeight(look.min_height);
      record.native_min_height = true;
    } else if (record.native_min_height) {
      widget->setMinimumHeight(record.min_height_before);
      record.native_min_height = false;
    }
    // The fill replaces the widget's own background, as a rule's does.
    const bool auto_fill = record.auto_fill_before && !fill.isValid();
    if (widget->autoFillBackground() != auto_fill) widget->setAutoFillBackground(auto_fill);
    if (fill != record.fill) {
      if (Paints(fill) && !Paints(record.fill)) widget->installEventFilter(FillPainter::Get());
      if (!Paints(fill) && Paints(record.fill)) widget->removeEventFilter(FillPainter::Get());
      if (Paints(fill) || Paints(record.fill)) widget->update();
      record.fill = fill;
    }
  });
  return true;
}

class Registry {
 public:
  static Registry& Get() {
    static Registry* registry = new Registry();
    return *registry;
  }

  Record* Find(QWidget* widget) {
    auto it = records_.find(widget);
    if (it == records_.end()) return nullptr;
    // A dead widget's address may come back as a new widget.
    if (it->second.widget.isNull()) {
      records_.erase(it);
      return nullptr;
    }
    return &it->second;
  }

  Record& Track(QWidget* widget) {
    if (Record* found = Find(widget)) return *found;
    Record& record = records_[widget];
    record.widget = widget;
    // Keep a text the widget already had (from plain setStyleSheet) as its raw layer.
    record.raw = widget->styleSheet();
    record.applied = record.raw;
    QObject::connect(widget, &QObject::destroyed, QTUICustomThemeHelper::SharedInstance(),
                     [this, widget] { records_.erase(widget); });
    return record;
  }

  void Apply(Record& record) {
    QWidget* widget = record.widget;
    if (!widget) return;
    if (record.look && IsBlank(record.kit) && IsBlank(record.raw) && OnlyOwnRulesReach(widget) &&
        ApplyNative(widget, record))
      return;
    if (record.native) WithWidgetUnpolished(widget, [&] { RestoreBefore(widget, record); });
    const QString* layers[3];
    int count = 0;
    int size = 0;
    for (const QString* layer : {&record.kit, &record.raw, &record.style}) {
      if (IsBlank(*layer)) continue;
      layers[count++] = layer;
      size += layer->size() + 5;
    }
    QString text;
    if (count == 1) {
      text = *layers[0];
    } else if (count > 1) {
      // Qt reads a sheet without braces as the widget's own declarations, as if it were
      // wrapped in "* {...}"; next to other rules it needs that wrapping spelled out.
      text.reserve(size);
      for (int i = 0; i < count; ++i) {
        if (i > 0) text += QLatin1Char('\n');
        const bool bare = !layers[i]->contains(QLatin1Char('{'));
        if (bare) text += QLatin1String("* {");
        text += *layers[i];
        if (bare) text += QLatin1Char('}');
      }
    }
    const QString resolved = QTUICustomThemeHelper::SharedInstance()->ResolveTokens(text);
    record.applied = resolved;
    if (widget->styleSheet() != resolved) widget->setStyleSheet(resolved);
  }

  // Whether no rule but the widget's own could reach it: there is no application sheet, and
  // every sheet above it holds only QssSetter's rules for its own widget. A rule that can reach
  // it (the application's, a kit's, a raw text's) would win over a palette, where the widget's
  // own sheet wins over that rule.
  bool OnlyOwnRulesReach(QWidget* widget) {
    if (!qApp->styleSheet().isEmpty()) return false;
    for (QWidget* above = widget->parentWidget(); above; above = above->parentWidget()) {
      const QString sheet = above->styleSheet();
      if (sheet.isEmpty()) continue;
      const Record* record = Find(above);
      if (!record || !IsBlank(record->kit) || !IsBlank(record->raw) || sheet != record->applied)
        return false;
      // "#name" rules reach any widget of that name below.
      if (!above->objectName().isEmpty() && above->objectName() == widget->objectName())
        return false;
    }
    return true;
  }

  QColor FillOf(QWidget* widget) {
    const Record* record = Find(widget);
    return record ? record->fill : QColor();
  }

  void RestyleAll() {
    for (auto it = records_.begin(); it != records_.end();) {
      if (it->second.widget.isNull()) {
        it = records_.erase(it);
        continue;
      }
      Apply(it->second);
      ++it;
    }
  }

  int LiveCount() const {
    int n = 0;
    for (const auto& [widget, record] : records_) n += record.widget.isNull() ? 0 : 1;
    return n;
  }

  int NextScope() { return ++scope_counter_; }

 private:
  Registry() {
    QObject::connect(QTUICustomThemeHelper::SharedInstance(), &QTUICustomThemeHelper::ThemeChanged,
                     QTUICustomThemeHelper::SharedInstance(), [this] { RestyleAll(); });
  }

  std::unordered_map<QWidget*, Record> records_;
  int scope_counter_ = 0;
};

QColor FillOf(QWidget* widget) { return Registry::Get().FillOf(widget); }

void CheckColorValue(const char* property, std::string_view value) {
  if (IsToken(value) || value == "transparent" || value == "none") return;
  VLOG(3) << "[QssSetter] " << property << " takes a vl_color_ token, got: " << value;
}

// "<px>px": small enough to stay in the string's own buffer.
std::string Px(int px) { return std::to_string(px) + "px"; }

QString ScopeSelector(QWidget* widget, const QString& object_name, Record& record) {
  // Built with QStringBuilder: one allocation where a chain of + made one per piece.
  if (!object_name.isEmpty()) return QLatin1Char('#') % object_name;
  if (record.scope == 0) {
    record.scope = Registry::Get().NextScope();
    widget->setProperty(kScopeProperty, record.scope);
  }
  return QLatin1String("*[") % QLatin1String(kScopeProperty) % QLatin1String("=\"") %
         QString::number(record.scope) % QLatin1String("\"]");
}

}  // namespace

QssStyle& QssStyle::FontSize(int px) { return Set("font-size", Px(px)); }

QssStyle& QssStyle::FontWeight(int weight) { return Set("font-weight", std::to_string(weight)); }

QssStyle& QssStyle::LineHeight(int px) { return Set("min-height", Px(px)); }

QssStyle& QssStyle::Color(std::string_view token) {
  CheckColorValue("color", token);
  return Set("color", token);
}

QssStyle& QssStyle::Background(std::string_view token) {
  CheckColorValue("background", token);
  return Set("background-color", token);
}

QssStyle& QssStyle::Radius(int px) { return Set("border-radius", Px(px)); }

QssStyle& QssStyle::Border(int width, std::string_view token, int style) {
  static const char* const kStyles[] = {"none", "solid", "dashed", "dotted"};
  const char* name = style >= 0 && style < 4 ? kStyles[style] : "solid";
  CheckColorValue("border", token);
  std::string value = Px(width);
  value.append(" ").append(name).append(" ").append(token);
  return Set("border", value);
}

QssStyle& QssStyle::Padding(int left, int top, int right, int bottom) {
  std::string value = Px(top);
  value.append(" ").append(Px(right)).append(" ").append(Px(bottom)).append(" ").append(Px(left));
  return Set("padding", value);
}

QssStyle& QssStyle::Set(std::string_view property, std::string_view value) {
  // Every declaration is "name:value;", so a name is found at the start or just after a ';'.
  for (size_t at = 0; at < text_.size();) {
    const size_t end = text_.find(';', at);
    if (end == std::string::npos) break;
    const size_t colon = at + property.size();
    if (colon < end && text_[colon] == ':' && text_.compare(at, property.size(), property) == 0) {
      text_.replace(colon + 1, end - colon - 1, value);
      return *this;
    }
    at = end + 1;
  }
  // Most styles end up under a hundred characters: grow once, not by doubling from empty.
  if (text_.empty()) text_.reserve(96);
  text_.append(property).append(":").append(value).append(";");
  return *this;
}

QString QssStyle::Declarations() const {
  QString out;
  out.reserve(DeclarationsSize());
  AppendDeclarations(&out);
  return out;
}

void QssStyle::AppendDeclarations(QString* out) const { AppendUtf8(out, text_); }

namespace {

// A control's state styles, by reference, in the order their rules are written: later rules
// win among equal selectors, so checked stays visible under the pointer and a disabled control
// never looks hovered.
using StateRefs = std::array<const QssStyle*, 5>;
constexpr const char* kPseudo[] = {"", ":hover", ":pressed", ":checked", ":disabled"};

StateRefs RefsOf(const QssStateStyles& states) {
  return {&states.normal, &states.hover, &states.pressed, &states.checked, &states.disabled};
}

QString Compose(const QString& selector, const StateRefs& styles) {
  int size = 0;
  for (const QssStyle* style : styles)
    if (!style->empty()) size += selector.size() + 12 + style->DeclarationsSize();
  QString out;
  out.reserve(size);
  for (size_t i = 0; i < styles.size(); ++i) {
    const QssStyle* style = styles[i];
    if (style->empty()) continue;
    out += selector;
    out += QLatin1String(kPseudo[i]);
    out += QLatin1Char('{');
    style->AppendDeclarations(&out);
    out += QLatin1String("}\n");
  }
  return out;
}

void SetStyleOf(QWidget* widget, const QString& object_name, const StateRefs& states) {
  if (!widget) return;
  if (!object_name.isEmpty()) widget->setObjectName(object_name);
  Registry& registry = Registry::Get();
  Record& record = registry.Track(widget);
  QssSetter::AdoptStyleSheet(widget);
  QString style = Compose(ScopeSelector(widget, object_name, record), states);
  // The same rules again: the look they gave still stands, tokens resolved for the current theme
  // (a theme change re-applies every record).
  if (style == record.style && widget->styleSheet() == record.applied) return;
  record.style = std::move(style);
  record.look = SimpleLookOf(states.data(), states.size());
  registry.Apply(record);
}

}  // namespace

QString QssSetter::ComposeRules(const QString& selector, const QssStateStyles& states) {
  return Compose(selector, RefsOf(states));
}

void QssSetter::SetStyle(QWidget* widget, const QString& object_name, const QssStyle& normal,
                         const QssStyle& hover, const QssStyle& pressed, const QssStyle& disabled) {
  static const QssStyle none;  // no checked state
  SetStyleOf(widget, object_name, {&normal, &hover, &pressed, &none, &disabled});
}

void QssSetter::SetStyle(QWidget* widget, const QString& object_name,
                         const QssStateStyles& states) {
  SetStyleOf(widget, object_name, RefsOf(states));
}

void QssSetter::SetStyleSheet(QWidget* widget, const QString& text) {
  if (!widget) return;
  Registry& registry = Registry::Get();
  Record& record = registry.Track(widget);
  record.raw = text;
  registry.Apply(record);
}

void QssSetter::SetKitStyleSheet(QWidget* widget, const QString& text) {
  if (!widget) return;
  Registry& registry = Registry::Get();
  Record& record = registry.Track(widget);
  AdoptStyleSheet(widget);
  record.kit = text;
  registry.Apply(record);
}

bool QssSetter::AdoptStyleSheet(QWidget* widget) {
  if (!widget) return false;
  Registry& registry = Registry::Get();
  const QString current = widget->styleSheet();
  Record* record = registry.Find(widget);
  if (record) {
    if (current == record->applied) return false;
  } else if (!current.contains(QLatin1String("vl_color_"))) {
    return false;
  }
  Record& tracked = record ? *record : registry.Track(widget);
  tracked.raw = current;
  registry.Apply(tracked);
  return true;
}

bool QssSetter::SetTheme(const std::string& theme) {
  // Restyling runs on ThemeChanged, so a theme switched through the helper restyles too.
  Registry::Get();
  return QTUICustomThemeHelper::SharedInstance()->SetTheme(theme);
}

std::string QssSetter::CurrentTheme() {
  return QTUICustomThemeHelper::SharedInstance()->CurrentTheme();
}

int QssSetter::TrackedWidgetCount() { return Registry::Get().LiveCount(); }

#include "platform/widgets/kit_interaction.h"

#include <algorithm>

#include <QAccessible>
#include <QAccessibleWidget>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QWidget>

#include "platform/widgets/qt_ui_custom_theme_helper.h"

namespace velmo_widgets {
namespace {

constexpr char kFocusVisibleProperty[] = "vl_focus_visible";

// Qt caches an interface from the moment a widget is first shown, before a page makes it
// activatable; so the role and the press action are decided on every query.
class ActivatableAccessible : public QAccessibleWidget {
 public:
  explicit ActivatableAccessible(QWidget* widget) : QAccessibleWidget(widget) {}

  QAccessible::Role role() const override {
    if (Activatable* a = activatable(); a && a->IsKeyboardActivatable()) return QAccessible::Button;
    return qobject_cast<QLabel*>(widget()) ? QAccessible::StaticText : QAccessible::Client;
  }

  QString text(QAccessible::Text t) const override {
    QString out = QAccessibleWidget::text(t);
    if (t != QAccessible::Name || !out.isEmpty()) return out;
    if (Activatable* a = activatable()) out = a->AccessibleText();
    if (!out.isEmpty()) return out;
    // A row of icon and text labels is named by its texts.
    QStringList texts;
    for (const QLabel* label : widget()->findChildren<QLabel*>()) {
      if (label->isVisibleTo(widget()) && !label->text().isEmpty()) texts << label->text();
    }
    return texts.join(QLatin1Char(' '));
  }

  QStringList actionNames() const override {
    QStringList names = QAccessibleWidget::actionNames();
    if (Activatable* a = activatable(); a && a->IsKeyboardActivatable()) names << pressAction();
    return names;
  }

  void doAction(const QString& name) override {
    Activatable* a = activatable();
    if (name != pressAction() || !a || !a->IsKeyboardActivatable())
      return QAccessibleWidget::doAction(name);
    a->Click();
  }

 private:
  Activatable* activatable() const { return dynamic_cast<Activatable*>(widget()); }
};

QAccessibleInterface* Factory(const QString& class_name, QObject* object) {
  // Every object that gets its first accessibility event comes through here, plain Qt widgets
  // too, once for each class up its chain until a factory answers; the answer is the same at
  // every level, so only the first asks. The kit's Activatable classes say so in their
  // meta-object, which plain Qt classes answer at once: a cross-cast through RTTI cost about
  // 2,500 instructions a call.
  if (!object || !object->isWidgetType()) return nullptr;
  const QMetaObject* meta = object->metaObject();
  if (class_name != QLatin1String(meta->className()) ||
      meta->indexOfClassInfo("vl_activatable") < 0)
    return nullptr;
  return new ActivatableAccessible(static_cast<QWidget*>(object));
}

}  // namespace

void ClickCallbacks::Add(QObject* owner, QObject* context, ClickCallback callback) {
  if (!callback) return;
  entries_.erase(std::remove_if(entries_.begin(), entries_.end(),
                                [](const Entry& e) { return e.context.isNull(); }),
                 entries_.end());
  entries_.push_back({context ? context : owner, std::move(callback)});
}

bool ClickCallbacks::HasLive() const {
  for (const Entry& e : entries_)
    if (!e.context.isNull()) return true;
  return false;
}

void ClickCallbacks::Run(QWidget* owner) const {
  const std::vector<Entry> entries = entries_;
  const std::optional<base::variant::Variant> param = param_;
  const QPointer<QWidget> alive(owner);
  for (const Entry& e : entries) {
    // An earlier callback may have destroyed the owner, or this callback's context.
    if (alive.isNull()) return;
    if (e.context.isNull()) continue;
    e.callback(param ? &*param : nullptr);
  }
}

bool IsActivationKey(const QKeyEvent* event) {
  if (event->isAutoRepeat()) return false;
  switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return true;
    default:
      return false;
  }
}

void NoteFocusIn(QWidget* widget, const QFocusEvent* event) {
  // A window that opens or comes back gives focus to a control without anyone choosing it:
  // the ring stays as it was (none on a fresh window, kept for a control reached by Tab).
  if (event->reason() == Qt::ActiveWindowFocusReason) {
    widget->update();
    return;
  }
  const bool from_pointer =
      event->reason() == Qt::MouseFocusReason || event->reason() == Qt::PopupFocusReason;
  widget->setProperty(kFocusVisibleProperty, !from_pointer);
  widget->update();
}

void NoteFocusOut(QWidget* widget) {
  widget->setProperty(kFocusVisibleProperty, false);
  widget->update();
}

bool IsFocusRingVisible(const QWidget* widget) {
  return widget->hasFocus() && widget->property(kFocusVisibleProperty).toBool();
}

void PaintFocusRing(QWidget* widget, QPainter* painter, int radius) {
  if (!IsFocusRingVisible(widget)) return;
  const QColor color =
      QTUICustomThemeHelper::SharedInstance()->GetThemeQColor("vl_color_focus_ring");
  painter->save();
  painter->setRenderHint(QPainter::Antialiasing, true);
  painter->setBrush(Qt::NoBrush);
  painter->setPen(QPen(color, 2));
  painter->drawRoundedRect(QRectF(widget->rect()).adjusted(1, 1, -1, -1), radius, radius);
  painter->restore();
}

void InstallAccessibleFactory() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  QAccessible::installFactory(&Factory);
}

}  // namespace velmo_widgets

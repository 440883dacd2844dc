// What the kit's clickable controls share: click callbacks bound to a context object, keyboard
// activation, the focus ring and the accessible "button" face of a clickable widget. Kit
// internals; pages use the controls' own methods. UI thread only.
#pragma once

#include <functional>
#include <optional>
#include <vector>

#include <QPointer>
#include <QString>

#include "platform/base/variant.h"

class QFocusEvent;
class QKeyEvent;
class QPainter;
class QWidget;

namespace velmo_widgets {

using ClickCallback = std::function<void(const base::variant::Variant*)>;

// A control that a keyboard or an assistive tool can click. A class that implements it declares
// Q_CLASSINFO("vl_activatable", "true") too, which is how the accessibility factory finds it.
class Activatable {
 public:
  virtual ~Activatable() = default;
  virtual bool IsKeyboardActivatable() const = 0;
  // Runs the click callbacks as a mouse click would.
  virtual void Click() = 0;
  // The accessible name when none was set: the control's whole visible text; empty lets the
  // texts of its child labels name it.
  virtual QString AccessibleText() const { return QString(); }
};

class ClickCallbacks {
 public:
  // A null context means the owner itself: the callback lives as long as the control.
  void Add(QObject* owner, QObject* context, ClickCallback callback);
  bool HasLive() const;
  void SetParam(base::variant::Variant param) { param_ = std::move(param); }

  // Runs each callback whose context is alive, in registration order. A callback may destroy
  // the owner (and with it this object): the list and the parameter are copied first, and the
  // run stops as soon as the owner is gone.
  void Run(QWidget* owner) const;

 private:
  struct Entry {
    QPointer<QObject> context;
    ClickCallback callback;
  };
  std::vector<Entry> entries_;
  std::optional<base::variant::Variant> param_;
};

// Keyboard activation: Space, Enter and Return (no auto-repeat). True when the key was taken.
bool IsActivationKey(const QKeyEvent* event);

// Focus ring: shown for focus that came from the keyboard (Tab, shortcuts, programmatic), not
// after a mouse click nor on a window's first activation, drawn inside the widget's rectangle in
// vl_color_focus_ring.
void NoteFocusIn(QWidget* widget, const QFocusEvent* event);
void NoteFocusOut(QWidget* widget);
bool IsFocusRingVisible(const QWidget* widget);
void PaintFocusRing(QWidget* widget, QPainter* painter, int radius = 4);

// Gives activatable kit widgets the accessible role of a button with a press action; installed
// once, by the first kit control constructed.
void InstallAccessibleFactory();

}  // namespace velmo_widgets

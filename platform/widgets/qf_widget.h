// QFWidget: the kit's plain container. It paints its style-sheet background (with hover and
// pressed states) and reports clicks to callbacks that end with their context object.
//
//   auto* cell = new QFWidget(panel);
//   cell->RegisterClickCallback(view_qobject, [](const base::variant::Variant* param) { ... });
//   cell->SetKeyboardActivatable(true);  // Tab reaches it; Space or Enter clicks it
//
// A click is a left-button press and release both inside the widget. Callbacks run in
// registration order and may destroy the widget. Without click callbacks the widget leaves
// mouse presses to its parent. UI thread only.
#pragma once

#include <QWidget>

#include "platform/base/variant.h"
#include "platform/widgets/kit_interaction.h"

class QFWidget : public QWidget, public velmo_widgets::Activatable {
  Q_OBJECT
  // QssSetter's scope, declared so Qt finds it here first (see qss_setter.cc).
  Q_PROPERTY(int vl_qss_scope MEMBER qss_scope_ DESIGNABLE false)
  // Marks an Activatable for the accessibility factory (kit_interaction.cc).
  Q_CLASSINFO("vl_activatable", "true")

 public:
  using ClickCallback = velmo_widgets::ClickCallback;

  explicit QFWidget(QWidget* parent = nullptr, Qt::WindowFlags flags = Qt::WindowFlags());
  ~QFWidget() override;

  // The callback ends when context is destroyed (a null context: when this widget is).
  void RegisterClickCallback(QObject* context, ClickCallback callback);
  // The value the callbacks receive; until set they receive a null pointer.
  void SetClickParam(base::variant::Variant param);

  // Makes the widget reachable with Tab and clickable with Space/Enter; assistive tools then
  // see a button named by the accessible name.
  void SetKeyboardActivatable(bool activatable);
  bool IsKeyboardActivatable() const override { return keyboard_activatable_; }
  void Click() override;

  bool IsPressed() const { return pressed_; }

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  velmo_widgets::ClickCallbacks callbacks_;
  bool pressed_ = false;
  bool keyboard_activatable_ = false;
  int qss_scope_ = 0;
};

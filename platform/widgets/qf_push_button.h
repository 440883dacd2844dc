// QFPushButton: the kit's push button, with ready-made looks (button types) drawn from theme
// tokens, click callbacks bound to a context object, and a keyboard focus ring.
//
//   auto* close = new QFPushButton(holder);
//   close->SetButtonType(QFPushButton::kButtonTypeSecondary);
//   close->RegisterClickCallback(view_qobject, [](const base::variant::Variant*) { ... });
//
// Button types (the kit layer of QssSetter, so a page's own QssSetter::SetStyle on the button's
// object name overrides any property it sets, e.g. radius or font size):
//   0 kButtonTypeNone       no look of its own; the page styles it.
//   1 kButtonTypeSecondary  neutral: vl_color_fill_secondary fill, 1 px vl_color_outline_secondary
//                           border, vl_color_text_primary text; darker fills on hover and press.
//   3 kButtonTypePrimary    filled: vl_color_brand_primary fill, vl_color_text_on_brand text, no
//                           border; brand hover/pressed/disabled fills.
// Both types: radius 6, font size 14, horizontal padding 16. Other values act as 0.
// The button takes focus from Tab only (a mouse click does not move focus to it); Space, Enter and
// Return click it. Callbacks may destroy the button. UI thread only.
#pragma once

#include <QPushButton>

#include "platform/base/variant.h"
#include "platform/widgets/kit_interaction.h"

class QFPushButton : public QPushButton {
  Q_OBJECT
  // QssSetter's scope, declared so Qt finds it here first (see qss_setter.cc).
  Q_PROPERTY(int vl_qss_scope MEMBER qss_scope_ DESIGNABLE false)

 public:
  using ClickCallback = velmo_widgets::ClickCallback;
  enum ButtonType { kButtonTypeNone = 0, kButtonTypeSecondary = 1, kButtonTypePrimary = 3 };

  explicit QFPushButton(QWidget* parent = nullptr);
  explicit QFPushButton(const QString& text, QWidget* parent = nullptr);
  ~QFPushButton() override;

  void SetButtonType(int type);
  int ButtonType() const { return button_type_; }
  // Shows text; the accessible name follows it (Qt reads it from the text unless the page sets
  // another), so a plain setText keeps it right too.
  void SetButtonText(const QString& text);

  // The callback runs on every click (mouse, keyboard, click()) until context dies (a null
  // context: until the button does).
  void RegisterClickCallback(QObject* context, ClickCallback callback);
  // The value the callbacks receive; until set they receive a null pointer.
  void SetClickParam(base::variant::Variant param);

 protected:
  // True while clicks must not reach the callbacks.
  virtual bool ClicksBlocked() const { return false; }

  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  void OnClicked();

  int button_type_ = kButtonTypeNone;
  velmo_widgets::ClickCallbacks callbacks_;
  int qss_scope_ = 0;
};

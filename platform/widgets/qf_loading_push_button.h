// QFLoadingPushButton: a QFPushButton that can show it is busy: while loading it draws a small
// spinner before its text and lets no click through (mouse, keyboard or click()). Its enabled
// state is left to the page, so a page can enable the button while a request runs.
//
//   auto* submit = new QFLoadingPushButton(frame);
//   submit->SetButtonType(QFPushButton::kButtonTypePrimary);
//   submit->SetLoading(true);  // until the request completes
//
// The spinner takes the button's text colour. UI thread only.
#pragma once

#include "platform/widgets/qf_push_button.h"

class QVariantAnimation;

class QFLoadingPushButton : public QFPushButton {
  Q_OBJECT

 public:
  explicit QFLoadingPushButton(QWidget* parent = nullptr);
  explicit QFLoadingPushButton(const QString& text, QWidget* parent = nullptr);
  ~QFLoadingPushButton() override;

  void SetLoading(bool loading);
  bool IsLoading() const { return loading_; }

 protected:
  bool ClicksBlocked() const override { return loading_; }
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  bool loading_ = false;
  int angle_ = 0;
  QVariantAnimation* spin_ = nullptr;
};

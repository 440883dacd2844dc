// QFPlainLabel: a plain label that also takes theme tokens in a plain setStyleSheet text. For
// icons and texts that need neither elision nor clicks; its accessible name is its text.
//
//   auto* text = new QFPlainLabel(QStringLiteral("Like"), row);
//   text->setStyleSheet("background:transparent;color:vl_color_text_secondary;");
//   QssSetter::SetStyle(text, "", QssStyle().FontSize(12));  // or all of it through QssSetter
//
// UI thread only.
#pragma once

#include <QLabel>

class QFPlainLabel : public QLabel {
  Q_OBJECT
  // QssSetter's scope, declared so Qt finds it here first (see qss_setter.cc).
  Q_PROPERTY(int vl_qss_scope MEMBER qss_scope_ DESIGNABLE false)

 public:
  explicit QFPlainLabel(QWidget* parent = nullptr, Qt::WindowFlags flags = Qt::WindowFlags());
  explicit QFPlainLabel(const QString& text, QWidget* parent = nullptr);
  ~QFPlainLabel() override;

 protected:
  bool event(QEvent* event) override;

 private:
  int qss_scope_ = 0;
};

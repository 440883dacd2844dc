// QFPlainLabel: a plain label that takes theme tokens in its style sheet and keeps its accessible
// name with its text. For icons and texts that need neither elision nor clicks.
//
//   auto* text = new QFPlainLabel(row);
//   text->SetText(QStringLiteral("Like"));
//   QssSetter::SetStyle(text, "", QssStyle().FontSize(12).Color("vl_color_text_secondary"));
//
// UI thread only.
#pragma once

#include <QLabel>

class QFPlainLabel : public QLabel {
  Q_OBJECT

 public:
  explicit QFPlainLabel(QWidget* parent = nullptr, Qt::WindowFlags flags = Qt::WindowFlags());
  explicit QFPlainLabel(const QString& text, QWidget* parent = nullptr);
  ~QFPlainLabel() override;

  // Shows text and makes it the accessible name.
  void SetText(const QString& text);

 protected:
  bool event(QEvent* event) override;
};

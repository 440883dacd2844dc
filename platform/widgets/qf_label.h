// QFLabel: a label that can elide its text to its width and report clicks like QFWidget.
//
//   auto* title = new QFLabel(cell);
//   title->setFixedWidth(312);
//   title->SetElideText(QStringLiteral("A long meeting title"), Qt::ElideRight);  // mode 1
//
// Elide modes are Qt::TextElideMode values: 0 left, 1 right, 2 middle, 3 none (the full text).
// The label re-elides whenever it is resized (AdjustElideContent does it on demand, after a
// width change that has not reached the label yet). The full text stays the accessible name and,
// while the shown text is cut, the tool tip. SetText shows a text without elision. UI thread only.
#pragma once

#include <QLabel>

#include "platform/base/variant.h"
#include "platform/widgets/kit_interaction.h"

class QFLabel : public QLabel, public velmo_widgets::Activatable {
  Q_OBJECT

 public:
  using ClickCallback = velmo_widgets::ClickCallback;

  explicit QFLabel(QWidget* parent = nullptr, Qt::WindowFlags flags = Qt::WindowFlags());
  explicit QFLabel(const QString& text, QWidget* parent = nullptr);
  ~QFLabel() override;

  // Shows text as it is (no elision) and makes it the accessible name.
  void SetText(const QString& text);
  void SetElideText(const QString& text, int mode);
  void AdjustElideContent();
  // The text as given, before elision.
  const QString& FullText() const { return full_text_; }
  int ElideMode() const { return elide_mode_; }
  bool IsElided() const { return text() != full_text_; }

  void RegisterClickCallback(QObject* context, ClickCallback callback);
  void SetClickParam(base::variant::Variant param);
  void SetKeyboardActivatable(bool activatable);
  bool IsKeyboardActivatable() const override { return keyboard_activatable_; }
  void Click() override;

  // While eliding, the label asks for its full text's width and accepts any less.
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  bool Eliding() const { return elide_mode_ != Qt::ElideNone; }
  int TextWidth() const;

  QString full_text_;
  int elide_mode_ = Qt::ElideNone;
  bool adjusting_ = false;
  velmo_widgets::ClickCallbacks callbacks_;
  bool pressed_ = false;
  bool keyboard_activatable_ = false;
};

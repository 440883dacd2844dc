// QFLabel: a label that can elide its text to its width and report clicks like QFWidget.
//
//   auto* title = new QFLabel(cell);
//   title->setFixedWidth(312);
//   title->SetElideText(QStringLiteral("A long meeting title"), Qt::ElideRight);  // mode 1
//
// Elide modes are Qt::TextElideMode values: 0 left, 1 right, 2 middle, 3 none (the full text).
// The label re-elides whenever it is resized (AdjustElideContent does it on demand, after a
// width change that has not reached the label yet). The accessible name is the full text (unless
// the page sets one); while the shown text is cut the full text is also the tool tip. SetText, or
// a plain setText, shows a text without elision. UI thread only.
#pragma once

#include <QLabel>

#include "platform/base/variant.h"
#include "platform/widgets/kit_interaction.h"

class QFLabel : public QLabel, public velmo_widgets::Activatable {
  Q_OBJECT
  // QssSetter's scope, declared so Qt finds it here first (see qss_setter.cc).
  Q_PROPERTY(int vl_qss_scope MEMBER qss_scope_ DESIGNABLE false)
  // Marks an Activatable for the accessibility factory (kit_interaction.cc).
  Q_CLASSINFO("vl_activatable", "true")

 public:
  using ClickCallback = velmo_widgets::ClickCallback;

  explicit QFLabel(QWidget* parent = nullptr, Qt::WindowFlags flags = Qt::WindowFlags());
  explicit QFLabel(const QString& text, QWidget* parent = nullptr);
  ~QFLabel() override;

  // Shows text as it is (no elision).
  void SetText(const QString& text);
  void SetElideText(const QString& text, int mode);
  void AdjustElideContent();
  // The text as given, before elision.
  QString FullText() const { return FollowsPlainSetText() ? text() : full_text_; }
  int ElideMode() const { return FollowsPlainSetText() ? int(Qt::ElideNone) : elide_mode_; }
  bool IsElided() const { return text() != FullText(); }

  void RegisterClickCallback(QObject* context, ClickCallback callback);
  void SetClickParam(base::variant::Variant param);
  void SetKeyboardActivatable(bool activatable);
  bool IsKeyboardActivatable() const override { return keyboard_activatable_; }
  void Click() override;
  QString AccessibleText() const override { return FullText(); }

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
  bool Eliding() const { return ElideMode() != Qt::ElideNone; }
  int TextWidth() const;
  // The full text's width in the label's font, kept until the text or the font changes: laying
  // out and re-eliding ask for it often, and measuring means shaping the whole text.
  qreal FullTextAdvance() const;
  // True when someone called QLabel::setText since this label last set its own text.
  bool FollowsPlainSetText() const { return text() != shown_; }
  void TakePlainSetText();
  void Show(const QString& shown);

  QString full_text_;
  QString shown_;
  // The tool tip this label set for a cut text, to take back when the text is whole again.
  QString elided_tip_;
  int elide_mode_ = Qt::ElideNone;
  bool adjusting_ = false;
  mutable QString measured_text_;
  mutable QFont measured_font_;
  mutable qreal measured_advance_ = -1;
  velmo_widgets::ClickCallbacks callbacks_;
  bool pressed_ = false;
  bool keyboard_activatable_ = false;
  int qss_scope_ = 0;
};

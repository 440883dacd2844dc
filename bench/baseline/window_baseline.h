// The close-meeting window as a person would write it with plain Qt: a frameless tool window
// that paints its own shadow around a body, the conclusion page shown in it and the feedback
// page built beside it, hidden. The same tree as the module's window, without a framework.
#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>
#include <QVector>

#include <memory>

#include "bench/baseline/conclusion_baseline.h"

namespace baseline {

class ShadowWindow : public QDialog {
 public:
  ShadowWindow();
  QWidget* main() const { return main_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QWidget* body_ = nullptr;
  QWidget* main_ = nullptr;
};

// The accessible texts the feedback page gives its controls as it builds.
struct FeedbackAccessible {
  Accessible page;
  Accessible back;
  Accessible title;
  QVector<Accessible> tags;
  Accessible text_edit;
  Accessible counter;
  Accessible submit;
};

// The texts the window carries before the meeting-end answer: the conclusion page's fixed
// labels and the whole feedback page.
struct LoadingTexts {
  ConclusionTexts conclusion;
  QString feedback_title;
  QStringList tags;
  QString placeholder;
  QString counter;
  QString submit;
  Accessible window;
  ConclusionAccessible conclusion_accessible;
  FeedbackAccessible feedback_accessible;
};

class Window {
 public:
  explicit Window(const LoadingTexts& texts);
  ~Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  QDialog* dialog() const { return dialog_.get(); }
  ConclusionPage& conclusion() { return *conclusion_; }
  // Fits the window to the page and its shadow, as the window does once the loop runs.
  void Fit();

 private:
  QWidget* BuildFeedbackPage(QWidget* parent, const LoadingTexts& texts);

  std::unique_ptr<ShadowWindow> dialog_;
  std::unique_ptr<ConclusionPage> conclusion_;
};

}  // namespace baseline

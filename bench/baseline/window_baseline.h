// The close-meeting window as a person would write it with plain Qt: a frameless tool window
// that paints its own shadow around a body, the conclusion page shown in it and the feedback
// page built beside it, hidden. The same tree as the module's window, without a framework.
#pragma once

#include <QDialog>

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

class Window {
 public:
  Window();
  ~Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  QDialog* dialog() const { return dialog_.get(); }
  ConclusionPage& conclusion() { return *conclusion_; }
  // Fits the window to the page and its shadow, as the window does once the loop runs.
  void Fit();

 private:
  QWidget* BuildFeedbackPage(QWidget* parent);

  std::unique_ptr<ShadowWindow> dialog_;
  std::unique_ptr<ConclusionPage> conclusion_;
};

}  // namespace baseline

// testing_support::ManualAnimationDriver: drives every Qt animation of the process in steps of
// its own time instead of real time, so animated pages move the same way on every run.
//
//   testing_support::ManualAnimationDriver driver;   // installs itself
//   driver.Step(200);                                 // animations move 200 ms, frame by frame
//
// UI thread only.
#pragma once

#include <QAnimationDriver>

namespace testing_support {

class ManualAnimationDriver : public QAnimationDriver {
 public:
  static constexpr int kFrameMs = 16;
  ManualAnimationDriver();
  ~ManualAnimationDriver() override;

  qint64 elapsed() const override { return elapsed_ms_; }
  // Moves animation time by ms in frames of kFrameMs (a last shorter one when needed); runs
  // the event loop around each frame.
  void Step(int ms);

 private:
  qint64 elapsed_ms_ = 0;
};

}  // namespace testing_support

// AfterMeetingLightEffectWidget: the highlight that sweeps over a loading skeleton bar. It
// stretches one image over its rectangle; the page moves it (a "pos" animation) and the bar
// clips it. UI thread only.
#pragma once

#include <QPixmap>

#include "platform/widgets/qf_widget.h"

class QPaintEvent;

namespace after_meeting {

class AfterMeetingLightEffectWidget : public QFWidget {
  Q_OBJECT

 public:
  explicit AfterMeetingLightEffectWidget(QWidget* parent);
  ~AfterMeetingLightEffectWidget() override;

  const QPixmap& pixmap() const { return pixmap_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QPixmap pixmap_;
};

}  // namespace after_meeting

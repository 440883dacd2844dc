#include "after_meeting/conclusion/after_meeting_light_effect_widget.h"

#include <QPainter>

namespace after_meeting {

AfterMeetingLightEffectWidget::AfterMeetingLightEffectWidget(QWidget* parent)
    : QFWidget(parent), pixmap_(QStringLiteral(":/images/bone_light_flash")) {}

AfterMeetingLightEffectWidget::~AfterMeetingLightEffectWidget() = default;

void AfterMeetingLightEffectWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
  painter.setPen(Qt::NoPen);
  painter.setBrush(Qt::NoBrush);
  painter.setClipping(true);
  painter.setClipRect(rect(), Qt::ReplaceClip);
  // A pixmap that failed to load is null, and drawing a null pixmap draws nothing.
  painter.drawPixmap(rect(), pixmap_);
}

}  // namespace after_meeting

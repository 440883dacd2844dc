#include "platform/widgets/custom_event_utils.h"

#include "platform/base/looper_thread.h"

void CustomEventUtils::DelayAction(QObject* context, std::function<void()> action) {
  base::threading::PostToObject(context, std::move(action));
}

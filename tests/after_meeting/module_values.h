// Values as the module's tests write and read them: JSON text to a Variant, and the events the
// after-meeting model fired, from a recorder.
#pragma once

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "after_meeting/model/model_ids.h"
#include "platform/base/json.h"
#include "platform/testing/recorder.h"

namespace after_meeting::test {

using base::variant::Variant;

// Whole numbers become int32 where they fit.
inline Variant V(const std::string& json) {
  base::json::JsonValue value;
  EXPECT_TRUE(base::json::JsonValue::Parse(json, &value)) << json;
  return Variant::FromJson(value);
}

// Payloads of the events the model fired with that id, in order.
inline std::vector<Variant> FiredBy(const testing_support::Recorder& rec, int event) {
  std::vector<Variant> out;
  for (const Variant& e : rec.Of("event"))
    if (e.GetInt32("model") == kTypeAfterMeetingModel && e.GetInt32("event") == event)
      out.push_back(e.Get("payload"));
  return out;
}

}  // namespace after_meeting::test

// Feeds arbitrary text to the simulator's scenario parser: it must either accept the file or
// name the JSON path of the fault, and never fault itself. An accepted file's values must map.
#include <cstddef>
#include <cstdint>
#include <string>

#include "simulator/scenario.h"
#include "simulator/value_mapping.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  sim::Scenario scenario;
  sim::ScenarioError error;
  if (!sim::ParseScenarioText(text, &scenario, &error)) {
    if (error.message.empty()) __builtin_trap();
    return 0;
  }
  for (auto it = scenario.config.begin(); it != scenario.config.end(); ++it) {
    base::variant::Variant v;
    sim::ScenarioError value_error;
    if (!sim::JsonToVariant(it.value(), "config." + it.key(), &v, &value_error)) __builtin_trap();
  }
  return 0;
}

// A meeting scenario as the simulator plays it: the host's facts, configuration, back-end table,
// host models and the steps. Parsing checks the whole file up front, so a fault is reported
// with its JSON path before anything runs.
#pragma once

#include <string>
#include <vector>

#include "simulator/value_mapping.h"

namespace sim {

struct Step {
  int index = 0;
  std::string kind;  // "fire", "call", "navigate", ...
  Json body;         // the value under the kind key
  Json expect = Json::array();
  Json expect_not = Json::array();
  std::string note;
};

struct Scenario {
  std::string file;
  std::string name;
  Json platform = Json::object();
  Json config = Json::object();
  Json backend = Json::object();      // {"meetings": {...}}
  Json extensions = Json::array();    // extension ids
  Json host_models = Json::object();  // "514": {"calls": {...}} | {} | null
  std::vector<Step> steps;
};

bool ParseScenarioText(const std::string& text, Scenario* out, ScenarioError* error);
bool LoadScenarioFile(const std::string& path, Scenario* out, ScenarioError* error);

// Checks a platform section (also the one of a "set" step, where {"$absent": true} removes a key).
bool ValidatePlatform(const Json& platform, const std::string& path, bool allow_absent,
                      ScenarioError* error);
bool ValidateBackend(const Json& backend, const std::string& path, bool allow_absent,
                     ScenarioError* error);
bool ValidateHostModels(const Json& models, const std::string& path, bool allow_absent,
                        ScenarioError* error);

// A widget selector: an object name, "class:NAME" or "text:TEXT", optionally "#N" (1-based).
struct Selector {
  enum class Kind { kObjectName, kClass, kText } kind = Kind::kObjectName;
  std::string value;
  int nth = 1;
  std::string text;  // as written, for messages
};
bool ParseSelector(const std::string& text, Selector* out);

// The back-end faults a meeting entry may name.
const std::vector<std::string>& BackendFaults();

}  // namespace sim

// How scenario and trace JSON map to Variants and back, keeping exact integer types:
// a plain whole number is an int32 when it fits (else int64, else uint64), a plain real a
// double, and exact types are one-key objects: {"$int32": 5}, {"$uint32": 5}, {"$int64": "-9"},
// {"$uint64": "18446744073709551615"}, {"$double": 1.5} (64-bit values may be strings).
#pragma once

#include <map>
#include <string>

#include <nlohmann/json.hpp>

#include "platform/base/variant.h"

namespace sim {

using Json = nlohmann::ordered_json;
using base::variant::Variant;

// A fault in a scenario file: the JSON path and what was expected there.
struct ScenarioError {
  std::string path;     // "steps[3].fire.event"
  std::string message;  // "expected an integer"
  std::string ToString() const { return path.empty() ? message : path + ": " + message; }
};

// Values kept by {"$capture": NAME} and used by {"$var": NAME}.
using Captures = std::map<std::string, Json>;

// Replaces every {"$var": NAME} in json by the kept value; false (and error) on an unknown name.
bool SubstituteVars(const Json& json, const Captures& captures, const std::string& path, Json* out,
                    ScenarioError* error);

// Scenario JSON to Variant; false (and error) on a malformed typed value.
bool JsonToVariant(const Json& json, const std::string& path, Variant* out, ScenarioError* error);
// Checks the shape only (for parse-time validation of values that may hold $var).
bool ValidateValue(const Json& json, const std::string& path, ScenarioError* error);

// Variant to trace JSON: int32 plain, other integers and reals typed, pointers as
// {"$pointer": "set"|"null"} so traces stay the same from run to run.
Json VariantToJson(const Variant& v);

// Whether json is a typed one-key value ({"$int64": ...}); its kind in *kind.
bool IsTypedValue(const Json& json, std::string* kind = nullptr);

}  // namespace sim

// Matching trace lines against the partial patterns of a step's "expect" and "expect_not".
//
// A pattern object matches a line when every key it names matches: nested objects the same
// way, arrays element by element with the same length, a plain number any integer kind of that
// value, a typed value ({"$int64": "5"}) only that kind. Matchers: {"$prefix": s},
// {"$contains": s}, {"$absent": true}, {"$any": true}, {"$exact": V}, {"$json": P} (a string
// that parses as JSON matching P), {"$capture": NAME} (any value, kept for later {"$var": NAME}).
#pragma once

#include <string>
#include <vector>

#include "simulator/value_mapping.h"

namespace sim {

// Whether value (a trace value; null pointer when the key is missing) matches pattern. Captures
// are written only when the whole pattern matches.
bool MatchValue(const Json& pattern, const Json* value, Captures* captures);

// Whether lines contain the patterns in order (a subsequence). On failure *failed is the index
// of the first pattern that found no line after the previous ones.
bool MatchInOrder(const Json& patterns, const std::vector<Json>& lines, Captures* captures,
                  size_t* failed);

// The index of the first line matching any pattern, or -1.
int FindAnyMatch(const Json& patterns, const std::vector<Json>& lines, size_t* which_pattern);

}  // namespace sim

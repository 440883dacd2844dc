// testing_support::RunLoopUntil: runs the Qt event loop of the calling thread until done()
// holds or max_ms have passed, whichever comes first. For waiting on request completions and
// other queued work without sleeping.
//
//   ASSERT_TRUE(testing_support::RunLoopUntil([&] { return calls == 1; }));
//
// Main thread only.
#pragma once

#include <functional>

namespace testing_support {

// True when done() held before the deadline.
bool RunLoopUntil(const std::function<bool()>& done, int max_ms = 5000);

// Runs the loop until no request is in flight and no posted task is pending: what a host waits
// for before it tears the module down. True when that happened before the deadline.
bool RunLoopUntilQuiet(int max_ms = 5000);

}  // namespace testing_support

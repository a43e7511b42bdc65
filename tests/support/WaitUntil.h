#pragma once

#include <chrono>
#include <functional>

namespace vexa::test {

// Waits until `condition` holds, looking again every few milliseconds; false when it still does
// not hold after `deadline`. The deadline is generous on purpose: a loaded machine is slow, not
// wrong, and a test that waits on its condition never waits longer than the condition takes.
bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds deadline = std::chrono::seconds(30));

} // namespace vexa::test

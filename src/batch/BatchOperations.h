#pragma once

#include "core/Session.h"

#include <functional>
#include <string>
#include <vector>

namespace vexa {

// One stage of a batch operation: what the progress shows while it runs, and the operation.
struct BatchStage {
    std::string name;
    std::function<bool(Session&)> run;
};

// A batch operation: its stages in order (the first failure skips the rest), and the steps
// that run at its end whether the stages passed or not.
struct BatchDefinition {
    std::string title;
    std::vector<BatchStage> stages;
    std::vector<std::function<void(Session&)>> always;
};

// The stage tables of "Read All", "Write All" and "Verify All".
const BatchDefinition& ReadAllBatch();
const BatchDefinition& WriteAllBatch();
const BatchDefinition& VerifyAllBatch();

// Runs the stages in order and reports each through session.progress (stage name, count of
// stages done). Stops at the first failed stage, and before the next stage once the user asked
// to stop; then runs the final steps. Returns true when every stage passed.
bool RunBatch(Session& session, const BatchDefinition& batch);

// "Read All", "Write All".
bool ReadAll(Session& session);
bool WriteAll(Session& session);
// "Verify All" inside the verify command frame: the report is emptied first and ends with
// "Verify OK" or "Verification Stopped" (no line end).
bool VerifyAll(Session& session);

} // namespace vexa

#include "batch/BatchOperations.h"

#include "core/VerificationReport.h"

namespace vexa {

bool RunBatch(Session& session, const BatchDefinition& batch) {
    Progress& progress = *session.progress;
    const int total = static_cast<int>(batch.stages.size());
    bool passed = true;
    for (int index = 0; index < total && passed; ++index) {
        const BatchStage& stage = batch.stages[static_cast<std::size_t>(index)];
        if (progress.stopRequested()) {
            passed = false;
            break;
        }
        progress.stage(batch.title + ": " + stage.name);
        progress.count(index, total);
        passed = stage.run && stage.run(session);
    }
    if (passed)
        progress.count(total, total);
    for (const auto& step : batch.always)
        step(session);
    return passed;
}

bool ReadAll(Session& session) {
    return RunBatch(session, ReadAllBatch());
}

bool WriteAll(Session& session) {
    return RunBatch(session, WriteAllBatch());
}

bool VerifyAll(Session& session) {
    session.verificationReport.clear();
    const int retriesBefore = session.link.retriesTaken;
    const bool passed = RunBatch(session, VerifyAllBatch());
    LogRetriesSince(session, retriesBefore);
    session.verificationReport += passed ? VerifyOkText : VerificationStoppedText;
    return passed;
}

} // namespace vexa

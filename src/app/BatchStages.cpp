#include "app/BatchOperations.h"

#include "events/EventTransfer.h"
#include "events/EventVerification.h"
#include "module/Identity.h"
#include "pins/PinTransfer.h"
#include "pins/PinVerification.h"

// The stages of the three batch operations, one line each, in the order they run.

namespace vexa {

const BatchDefinition& ReadAllBatch() {
    static const BatchDefinition batch{"Read All",
                                       {
                                           {"firmware version", ReadVersion},
                                           {"ID string", ReadIdString},
                                           {"all pins", ReadAllPins},
                                           {"all events", ReadAllEvents},
                                           {"initial enable maps", ReadEnableMap},
                                       },
                                       {}};
    return batch;
}

const BatchDefinition& WriteAllBatch() {
    static const BatchDefinition batch{"Write All",
                                       {
                                           {"ID string", WriteIdString},
                                           {"all pins", WriteAllPins},
                                           {"all events", WriteAllEvents},
                                           {"initial enable maps", WriteEnableMap},
                                       },
                                       {}};
    return batch;
}

const BatchDefinition& VerifyAllBatch() {
    static const BatchDefinition batch{"Verify All",
                                       {
                                           {"event verification", VerifyEvents},
                                           {"pin verification", VerifyPins},
                                       },
                                       {}};
    return batch;
}

} // namespace vexa

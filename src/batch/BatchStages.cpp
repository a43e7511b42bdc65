#include "batch/BatchOperations.h"

#include "core/WriteChecks.h"
#include "events/EventTransfer.h"
#include "events/EventVerification.h"
#include "module/DccAddressing.h"
#include "module/HardwareSettings.h"
#include "module/Identity.h"
#include "module/LedSettings.h"
#include "module/ModuleSettingsTransfer.h"
#include "module/SerialAddressing.h"
#include "module/SerialPortSettings.h"
#include "module/SettingsVerification.h"
#include "pins/PinTransfer.h"
#include "pins/PinVerification.h"
#include "pins/PinWireCheck.h"

// The stages of the three batch operations, one line each, in the order they run.

namespace vexa {

namespace {

// Write All sends nothing when any setting block, pin or event action holds a value the wire
// cannot carry: the controller is never left half-written by a value found late.
bool CheckEverythingSendable(Session& session) {
    const int base = session.numberingBase;
    return !RefusedUnsendable(session,
                              FirstProblem("", {ModuleSettingsProblem(session), PinsProblem(session.image, base),
                                                EventsProblem(session.image, base)}));
}

// Write All sends everything it can, so what was known of the controller before counts no
// longer: nothing tells that the controller is still the one it was known of (another may have
// been put behind the open port). What it cannot send (an enable map or enforced mode not
// known) is then not known either.
bool CheckEverythingSendableAndStartAfresh(Session& session) {
    if (!CheckEverythingSendable(session))
        return false;
    session.controllerCopy().forgetAll();
    return true;
}

} // namespace

const BatchDefinition& ReadAllBatch() {
    static const BatchDefinition batch{"Read All",
                                       {
                                           {"firmware version", ReadVersion},
                                           {"ID string", ReadIdString},
                                           {"DCC settings", ReadDccSettings},
                                           {"serial addressing options", ReadSerialAddressing},
                                           {"LED settings", ReadLedSettings},
                                           {"hardware configuration", ReadHardwareConfig},
                                           {"serial port settings", ReadSerialPortSettings},
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
                                           {"values to send", CheckEverythingSendableAndStartAfresh},
                                           {"ID string", WriteIdString},
                                           {"DCC settings", WriteDccSettings},
                                           {"LED settings", WriteLedSettings},
                                           {"hardware configuration", WriteHardwareConfig},
                                           {"serial port settings", WriteSerialPortSettings},
                                           {"all pins", WriteAllPins},
                                           {"all events", WriteAllEvents},
                                           {"initial enable maps", WriteEnableMap},
                                           {"serial addressing options", WriteSerialAddressing}, // always last
                                       },
                                       {}};
    return batch;
}

const BatchDefinition& VerifyAllBatch() {
    static const BatchDefinition batch{"Verify All",
                                       {
                                           {"general settings verification", VerifyGeneralSettings},
                                           {"event verification", VerifyEvents},
                                           {"pin verification", VerifyPins},
                                       },
                                       {}};
    return batch;
}

} // namespace vexa

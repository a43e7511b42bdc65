#include "live/ModuleCommands.h"

#include "link/Exchange.h"
#include "live/LiveRequests.h"

namespace vexa {

namespace {

constexpr int LumoReset = 2;
constexpr int LumoClearOutput = 8;
constexpr int LumoLampTest = 10;
constexpr int LampTestParameter = 30;
constexpr int ModuleOutputCount = 32;

// One Lumo command per output; stops when the port is closed (or fails on the way), so that the
// user is told once.
bool SendToEveryOutput(Session& session, int module, int command, int parameter) {
    for (int output = 0; output < ModuleOutputCount; ++output) {
        if (!session.port.isOpen()) {
            if (output == 0)
                session.tell("Select communications port");
            return false;
        }
        SendLumoMessage(session, LumoHeader(module), command, output, parameter);
    }
    return session.port.isOpen();
}

} // namespace

const std::array<const char*, 20> MatrixLegendTexts{
    "Blank", "EAV", "Groen",  "Kruis",  "*VRe*",     "*VLi*",      "100R",      "90",        "80R",  "70",
    "60R",   "50",  "*File*", "*Brug*", "*Ongeval*", "Slipgevaar", "Aspect 16", "Aspect 17", "*50*", "*70*"};

bool SendModuleReset(Session& session, int module) {
    SendLumoMessage(session, LumoHeader(module), LumoReset, 0, 0);
    return session.port.isOpen();
}

bool SendClearAll(Session& session, int module) {
    return SendToEveryOutput(session, module, LumoClearOutput, 0);
}

bool SendLampTest(Session& session, int module) {
    return SendToEveryOutput(session, module, LumoLampTest, LampTestParameter);
}

bool SendMatrixAspect(Session& session, const std::array<bool, MatrixAddressCount>& checked, int aspect) {
    for (int address = 0; address < MatrixAddressCount; ++address)
        if (checked[static_cast<std::size_t>(address)] &&
            !SendLiveRequest(session, LiveOperation::SerialAspect, address, aspect))
            return false;
    return true;
}

} // namespace vexa

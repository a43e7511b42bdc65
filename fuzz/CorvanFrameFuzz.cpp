// Fuzz target for the Corvan frame receiver and the tunnel built on it: any byte stream from
// the interface must be taken or refused without a crash, a hang or a sanitizer finding.
#include "LinkFuzzSupport.h"

#include "link/CorvanFrame.h"
#include "link/CorvanSetup.h"
#include "link/Exchange.h"
#include "link/Monitor.h"

#include <cstdlib>

namespace {

// A received frame is within the buffer and traced as received.
void CheckReceived(const vexa::LinkState& link, const std::string& line) {
    if (!line.empty() && (link.answerBuffer[0] > vexa::CorvanMaxCount || line.rfind("<< ", 0) != 0))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1)
        return 0;
    vexa::fuzz::FuzzBench bench(data + 1, size - 1);
    vexa::Session& session = bench.session;
    vexa::LinkState& link = session.link;
    // The first byte chooses the operation, the link options and the address.
    link.useCorvan = true;
    link.useXAddress = (data[0] & 8) != 0;
    link.xAddress = 5;
    link.moduleAddress = data[0] >> 3;
    const int operation = data[0] & 7;
    for (int round = 0; round < 32 && !bench.port->drained() && session.port.isOpen(); ++round) {
        switch (operation) {
        case 0:
            bench.port->releaseNow();
            CheckReceived(link, vexa::ReceiveCorvanFrame(session));
            break;
        case 1:
            vexa::SendVexaMessage(session, true, {112, round & 15});
            if (link.answerValid && link.answerBuffer[0] != link.moduleAddress * 4 + 3)
                std::abort(); // the answer is the addressed module's, in the direct layout
            break;
        case 2:
            vexa::SendVexaMessage(session, false, {96, 10, round & 127});
            break;
        case 3:
            vexa::CheckCorvanTunnel(session);
            break;
        case 4:
            vexa::ActivateTransparentMode(session);
            break;
        case 5:
            vexa::MonitorPoll(session);
            break;
        case 6:
            vexa::SendLumoMessage(session, 7, 1, 2, 3);
            break;
        default:
            CheckReceived(link, vexa::SendCorvanFrame(session, {1, 2}) ? "<< " : "");
            break;
        }
    }
    return 0;
}

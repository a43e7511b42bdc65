// Fuzz target for the direct link's answer receiver: any byte stream from the controller must
// be taken or refused without a crash, a hang or a sanitizer finding, and an accepted answer
// must keep its data within the answer buffer.
#include "LinkFuzzSupport.h"

#include "link/Exchange.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1)
        return 0;
    vexa::fuzz::FuzzBench bench(data + 1, size - 1);
    vexa::LinkState& link = bench.session.link;
    // The first byte chooses the link options and the address.
    link.useXAddress = (data[0] & 1) != 0;
    link.xAddress = data[0] >> 3;
    link.moduleAddress = (data[0] >> 2) & 15;
    link.bidirectional = true;
    const bool throughRequests = (data[0] & 2) != 0;
    for (int round = 0; round < 64 && !bench.port->drained() && bench.session.port.isOpen(); ++round) {
        if (throughRequests) {
            link.bidirectional = true;
            vexa::SendVexaMessage(bench.session, true, {112, round & 15});
            if (link.answerValid &&
                link.answerBuffer[0] != ((link.frameToggle + 64) & 127) + link.moduleAddress * 4 + 3)
                std::abort(); // an accepted answer echoes the request's header
        } else {
            bench.port->releaseNow();
            if (vexa::ReceiveAnswer(bench.session) && link.answerBuffer[1] < 0x10 && link.answerBuffer[0] >= 128)
                std::abort();
        }
    }
    return 0;
}

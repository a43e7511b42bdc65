#include "layout/LayoutScan.h"

#include "layout/LayoutLink.h"
#include "link/Exchange.h"
#include "link/LinkAddress.h"
#include "model/TextEncoding.h"
#include "module/Identity.h"

namespace vexa {

ProbeResult ProbeModule(Session& session, int address, LayoutModule& module) {
    HeldMessages held;
    ProbeResult result = ProbeResult::Silent;
    bool linkEnded = false;
    {
        BorrowedLink borrowed(session, held, *session.progress);
        Session& work = borrowed.session();
        work.link.moduleAddress = address;
        ResetFrameToggle(work);
        work.link.answerTimeoutSeconds = ScanAnswerWaitSeconds;
        const bool answered = ReadVersion(work);
        work.link.answerTimeoutSeconds = session.link.answerTimeoutSeconds;
        if (answered) {
            module = LayoutModule{address, {}, work.versionText};
            const bool named = ReadIdString(work);
            module.idString = work.image.module.idString;
            result = named ? ProbeResult::Answered : ProbeResult::Faulty;
        }
        linkEnded = !work.port.isOpen() || work.progress->stopRequested();
    }
    if (linkEnded)
        result = ProbeResult::Ended;
    // A silent address is what a scan expects; anything else is worth the link's message.
    if (result == ProbeResult::Faulty || (result == ProbeResult::Ended && !session.port.isOpen()))
        held.showLast(session.prompter);
    return result;
}

bool ScanLayout(Session& session, std::vector<LayoutModule>& found) {
    found.clear();
    const int highest = HighestModuleAddress(session);
    for (int address = 0; address <= highest; ++address) {
        session.progress->stage("Scan: " + ModuleName(session, address));
        session.progress->count(address, highest + 1);
        LayoutModule module;
        const ProbeResult result = ProbeModule(session, address, module);
        if (result == ProbeResult::Ended)
            return false;
        if (result == ProbeResult::Answered)
            found.push_back(module);
    }
    session.progress->count(highest + 1, highest + 1);
    return true;
}

std::string ModuleName(const Session& session, int address) {
    return "Module " + std::to_string(address + session.numberingBase);
}

std::string ScanLine(const Session& session, const LayoutModule& module) {
    return ModuleName(session, module.address) + ": \"" + Utf8FromLatin1(module.idString) + "\" " + module.version;
}

} // namespace vexa

#include "layout/LayoutScan.h"

#include "core/OperationRunner.h"
#include "layout/LayoutLink.h"
#include "link/Exchange.h"
#include "link/LinkAddress.h"
#include "link/PortWait.h"
#include "module/Identity.h"

#include <algorithm>
#include <set>

namespace vexa {

namespace {

// The module addresses of the direct frames whose headers the link heard out of turn.
std::set<int> AddressesOfStrayHeaders(const LinkState& link) {
    std::set<int> addresses;
    for (std::uint8_t header : link.strayHeaders)
        if ((header & 3) == 3) // bits 1..0 of every header are 1 1
            addresses.insert((header >> 2) & 15);
    return addresses;
}

// The probe of one address with the given wait; `heard` gets the addresses whose answers came
// meanwhile although nobody asked them now.
ProbeResult Probe(Session& session, int address, double waitSeconds, LayoutModule& module, std::set<int>& heard) {
    HeldMessages held;
    ProbeResult result = ProbeResult::Silent;
    bool linkEnded = false;
    {
        BorrowedLink borrowed(session, held, *session.progress);
        Session& work = borrowed.session();
        work.link.moduleAddress = address;
        ResetFrameToggle(work);
        work.link.answerTimeoutSeconds = waitSeconds;
        work.link.strayHeaders.clear();
        const bool answered = ReadVersion(work);
        if (answered) {
            module = LayoutModule{address, {}, work.versionText, false, {}};
            const bool named = ReadIdString(work);
            module.idString = work.image.module.idString;
            result = named ? ProbeResult::Answered : ProbeResult::Faulty;
            if (!named) {
                const std::vector<std::string> said = held.summaries();
                module.idFault = said.empty() ? "no answer" : said.back();
            }
        }
        heard = AddressesOfStrayHeaders(work.link);
        heard.erase(address);
        work.link.answerTimeoutSeconds = session.link.answerTimeoutSeconds;
        linkEnded = !work.port.isOpen() || work.progress->stopRequested();
    }
    if (linkEnded)
        result = ProbeResult::Ended;
    // A silent address is what a scan expects, and a controller whose ID string did not come
    // is listed with its fault; a port that failed is said at once.
    if (result == ProbeResult::Ended && !session.port.isOpen())
        held.showLast(session.prompter);
    return result;
}

// Listens a moment for late answers after the scan's last address; the addresses heard.
std::set<int> ListenForLateAnswers(Session& session) {
    if (session.link.useCorvan)
        return {}; // the tunnel hands over only the answers it is asked for
    HeldMessages held;
    BorrowedLink borrowed(session, held, *session.progress);
    Session& work = borrowed.session();
    work.link.strayHeaders.clear();
    if (!PauseAlive(work, ScanLateListenMs))
        return {};
    if (!DiscardStaleInput(work)) {
        held.showLast(session.prompter);
        return {};
    }
    return AddressesOfStrayHeaders(work.link);
}

void AddFound(std::vector<LayoutModule>& found, const LayoutModule& module) {
    const auto after = std::find_if(found.begin(), found.end(),
                                    [&module](const LayoutModule& listed) { return listed.address > module.address; });
    found.insert(after, module);
}

// Asks the silent addresses among those heard late again, with the normal wait, and lists
// those that answer; false when the port failed or the user stopped.
bool AskLateOnes(Session& session, std::set<int> heard, std::set<int>& silent, std::vector<LayoutModule>& found) {
    while (!heard.empty()) {
        const int address = *heard.begin();
        heard.erase(heard.begin());
        if (silent.erase(address) == 0)
            continue; // not asked yet, or already listed
        LayoutModule module;
        std::set<int> more;
        const ProbeResult result = Probe(session, address, session.link.answerTimeoutSeconds, module, more);
        if (result == ProbeResult::Ended)
            return false;
        if (result == ProbeResult::Answered || result == ProbeResult::Faulty) {
            module.late = true;
            AddFound(found, module);
        }
        heard.insert(more.begin(), more.end());
    }
    return true;
}

} // namespace

ProbeResult ProbeModule(Session& session, int address, ProbeWait wait, LayoutModule& module) {
    std::set<int> heard;
    return Probe(session, address, wait == ProbeWait::Scan ? ScanAnswerWaitSeconds : session.link.answerTimeoutSeconds,
                 module, heard);
}

bool ScanLayout(Session& session, std::vector<LayoutModule>& found) {
    found.clear();
    const int highest = HighestModuleAddress(session);
    std::set<int> silent;
    for (int address = 0; address <= highest; ++address) {
        session.progress->stage("Scan: " + ModuleName(session, address));
        session.progress->count(address, highest + 1);
        LayoutModule module;
        std::set<int> heard;
        const ProbeResult result = Probe(session, address, ScanAnswerWaitSeconds, module, heard);
        if (result == ProbeResult::Ended)
            return false;
        if (result == ProbeResult::Answered || result == ProbeResult::Faulty)
            AddFound(found, module);
        else if (result == ProbeResult::Silent)
            silent.insert(address);
        if (!AskLateOnes(session, heard, silent, found))
            return false;
    }
    const std::set<int> heard = ListenForLateAnswers(session);
    if (!session.port.isOpen() || session.progress->stopRequested() || !AskLateOnes(session, heard, silent, found))
        return false;
    session.progress->count(highest + 1, highest + 1);
    return true;
}

std::string ModuleName(const Session& session, int address) {
    return "Module " + std::to_string(address + session.numberingBase);
}

std::string ScanLine(const Session& session, const LayoutModule& module) {
    const std::string id =
        module.idFault.empty() ? QuotedIdString(module.idString) : "ID string not read (" + module.idFault + ")";
    return ModuleName(session, module.address) + ": " + id + " " + module.version +
           (module.late ? " (answered late)" : "");
}

} // namespace vexa

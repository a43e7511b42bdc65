// The layout operations on a simulated bus paced at 19200 bit/s with three controllers of full
// configurations (module settings and 32 pins with layout 3, every step used). Prints the time
// of a scan of all 16 module addresses, and the time of "Back Up All" (scan, then Read All and
// a data file per controller) against the time its bytes need on the wire (11 bit times per
// byte): the silent addresses should cost little, and the reads should keep the line busy.

#include "BenchSupport.h"
#include "FullPins.h"

#include "batch/BatchOperations.h"
#include "layout/LayoutOperations.h"
#include "layout/LayoutScan.h"
#include "link/Exchange.h"
#include "sim/SimBus.h"
#include "sim/SimulatorPort.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <unistd.h>

namespace {

constexpr int BitRate = 19200;
constexpr double BitsPerByte = 11.0;
constexpr double TargetScanSeconds = 5.0;
constexpr double TargetWireRatio = 1.10;
constexpr int Addresses[] = {0, 6, 15};

double Since(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Writes a full configuration into each controller, unpaced.
bool FillControllers(vexa::Session& session) {
    for (int address : Addresses) {
        session.link.moduleAddress = address;
        vexa::ResetFrameToggle(session);
        session.image.module.idString = "Bench " + std::to_string(address);
        session.image.module.enforcedXAddress = false;
        session.image.enableMap = vexa::EnableMap{true, false, true, false, true, true, false, false};
        vexa::bench::FillPins(session.image);
        if (!vexa::WriteAll(session))
            return false;
    }
    session.link.moduleAddress = 0;
    vexa::ResetFrameToggle(session);
    return true;
}

} // namespace

int main() {
    vexa::bench::BenchSession bench;
    vexa::Session& session = bench.session;
    auto bus = std::make_shared<vexa::SimBus>();
    for (int address : Addresses)
        bus->add(address, std::make_shared<vexa::Simulator>());
    session.port.port = vexa::MakeSimLinePort(bus);
    session.port.port->open(vexa::LayoutSimulatorPortName);
    session.port.name = vexa::LayoutSimulatorPortName;
    if (!FillControllers(session) || bench.prompter.count != 0) {
        std::fprintf(stderr, "the controllers could not be filled\n");
        return 1;
    }
    bus->setPacing(BitRate);

    std::vector<vexa::LayoutModule> found;
    auto start = std::chrono::steady_clock::now();
    const bool scanned = vexa::ScanLayout(session, found);
    const double scan = Since(start);
    if (!scanned || found.size() != std::size(Addresses)) {
        std::fprintf(stderr, "the scan found %zu controllers\n", found.size());
        return 1;
    }

    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("vexa-bench-layout-" + std::to_string(::getpid()));
    std::vector<vexa::ModuleResult> results;
    bus->resetByteCounts();
    start = std::chrono::steady_clock::now();
    const bool saved = vexa::BackupLayout(session, folder.string(), results);
    const double backup = Since(start);
    const double wire = static_cast<double>(bus->requestBytes() + bus->answerBytes()) * BitsPerByte / BitRate;
    std::filesystem::remove_all(folder);
    if (!saved || bench.prompter.count != 0) {
        std::fprintf(stderr, "Back Up All failed\n");
        return 1;
    }

    std::printf("Layout: three controllers of full configurations at module addresses 1, 7 and 16, %d bit/s\n",
                BitRate);
    std::printf("Scan of 16 module addresses: %.3f s (target %.1f s or less) %s\n", scan, TargetScanSeconds,
                scan <= TargetScanSeconds ? "ok" : "MISSED");
    const double ratio = backup / wire;
    std::printf("Back Up All: wire time %.3f s, elapsed %.3f s\n", wire, backup);
    std::printf("  elapsed / wire time: %.3f (target %.2f or less) %s\n", ratio, TargetWireRatio,
                ratio <= TargetWireRatio ? "ok" : "MISSED");
    return 0;
}

// Reading all 32 pins of a full configuration (layout 3, every step used, servo type blocks)
// from the in-process simulated controller paced at 19200 bit/s. Prints the elapsed time
// against the time the bytes need on the wire (11 bit times per byte), and the CPU time as a
// share of the elapsed time: the link should keep the line busy and block while it waits.

#include "BenchSupport.h"
#include "FullPins.h"

#include "pins/PinTransfer.h"
#include "sim/Simulator.h"
#include "sim/SimulatorPort.h"

#include <chrono>
#include <cstdio>
#include <memory>

namespace {

constexpr int BitRate = 19200;
constexpr double BitsPerByte = 11.0;
constexpr double TargetWireRatio = 1.10;
constexpr double TargetCpuShare = 0.05;

} // namespace

int main() {
    vexa::bench::BenchSession bench;
    vexa::Session& session = bench.session;
    auto simulator = vexa::bench::OpenSimulatedController(session);

    // Fill the controller at full speed, then read it back at the paced bit rate.
    vexa::bench::FillPins(session.image);
    if (!vexa::WriteAllPins(session)) {
        std::fprintf(stderr, "writing the configuration failed\n");
        return 1;
    }
    const vexa::ConfigurationImage written = session.image;
    session.image = vexa::ConfigurationImage{};
    simulator->setPacing(BitRate);
    simulator->resetByteCounts();

    const double cpuStart = vexa::bench::CpuSeconds();
    const auto start = std::chrono::steady_clock::now();
    const bool read = vexa::ReadAllPins(session);
    const auto end = std::chrono::steady_clock::now();
    const double cpuEnd = vexa::bench::CpuSeconds();

    if (!read || bench.prompter.count != 0) {
        std::fprintf(stderr, "reading all pins failed\n");
        return 1;
    }
    if (!vexa::bench::SamePins(written, session.image))
        return 1;

    const double elapsed = std::chrono::duration<double>(end - start).count();
    const double cpu = cpuEnd - cpuStart;
    const auto bytes = simulator->requestBytes() + simulator->answerBytes();
    const double wire = static_cast<double>(bytes) * BitsPerByte / BitRate;
    const double ratio = elapsed / wire;
    const double cpuShare = cpu / elapsed;

    std::printf("read all pins: 32 pins, layout 3, every step used, %d bit/s\n", BitRate);
    std::printf("bytes on the wire:   %llu (requests %llu, answers %llu)\n", static_cast<unsigned long long>(bytes),
                static_cast<unsigned long long>(simulator->requestBytes()),
                static_cast<unsigned long long>(simulator->answerBytes()));
    std::printf("wire time:           %.3f s\n", wire);
    std::printf("elapsed time:        %.3f s\n", elapsed);
    std::printf("elapsed / wire time: %.3f (target %.2f or less) %s\n", ratio, TargetWireRatio,
                ratio <= TargetWireRatio ? "ok" : "MISSED");
    std::printf("CPU time:            %.3f s = %.1f %% of elapsed (target under %.0f %%) %s\n", cpu, 100.0 * cpuShare,
                100.0 * TargetCpuShare, cpuShare < TargetCpuShare ? "ok" : "MISSED");
    return 0;
}

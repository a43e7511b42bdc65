// CPU time used by one 2 s answer time-out: a request is sent through SendVexaMessage over a
// real pseudo-terminal (the QSerialPort adapter on its slave side) and nobody answers. The
// link should block on the port while it waits instead of spinning.

#include "BenchSupport.h"

#include "link/Exchange.h"
#include "link/qt/QtSerialPort.h"

#include <QCoreApplication>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <memory>
#include <unistd.h>

namespace {

constexpr double TargetCpuSeconds = 0.05;

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1;

    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) {
        std::perror("pseudo-terminal");
        return 1;
    }
    const std::string slaveName = ptsname(master);

    vexa::bench::BenchSession bench(false); // every run ends in the time-out message
    vexa::Session& session = bench.session;
    session.port.port = std::make_unique<vexa::QtSerialPort>();
    session.port.name = slaveName;
    if (!session.port.port->open(slaveName)) {
        std::fprintf(stderr, "cannot open %s: %s\n", slaveName.c_str(), session.port.port->errorString().c_str());
        return 1;
    }

    std::printf("time-out CPU benchmark on %s, %d run(s)\n", slaveName.c_str(), runs);
    double worst = 0.0;
    for (int run = 0; run < runs; ++run) {
        session.link.bidirectional = true;
        const double cpuBefore = vexa::bench::CpuSeconds();
        const auto wallBefore = std::chrono::steady_clock::now();
        vexa::SendVexaMessage(session, true, {112, 0});
        const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wallBefore).count();
        const double cpu = vexa::bench::CpuSeconds() - cpuBefore;
        worst = std::max(worst, cpu);
        std::printf("run %d: wall %.3f s, CPU %.4f s, answer valid %s, message \"%s\"\n", run + 1, wall, cpu,
                    session.link.answerValid ? "yes" : "no", bench.prompter.last.c_str());
    }
    std::printf("CPU seconds per time-out (worst): %.4f\n", worst);
    std::printf("ratio to the %.2f s target: %.3f (%s)\n", TargetCpuSeconds, worst / TargetCpuSeconds,
                worst <= TargetCpuSeconds ? "within target" : "over target");
    session.port.port->close();
    close(master);
    return 0;
}

#include "link/PortSetup.h"
#include "link/qt/DeviceAccess.h"
#include "link/qt/QtPortProvider.h"
#include "link/qt/QtSerialPort.h"

#include "TestSeams.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <fstream>

namespace vexa {
namespace {

// A port that another program holds is said to be held, naming the program and its lock,
// not the group remedies.
TEST(PortList, APortHeldByAnotherProgramNamesTheHolderAndItsLock) {
    QTemporaryDir locks;
    std::ofstream(locks.filePath(QStringLiteral("LCK..ttyUSB0")).toStdString()) << "     " << getpid() << "\n";
    std::ofstream(locks.filePath(QStringLiteral("LCK..ttyUSB1")).toStdString()) << "999999999\n"; // no such process
    const std::string holder = PortHolder("/dev/ttyUSB0", {locks.path().toStdString()});
    EXPECT_EQ(holder.rfind("process " + std::to_string(getpid()), 0), 0u) << holder;
    EXPECT_NE(holder.find(", lock file " + locks.filePath(QStringLiteral("LCK..ttyUSB0")).toStdString()),
              std::string::npos);
    EXPECT_EQ(PortHolder("/dev/ttyUSB1", {locks.path().toStdString()}), "");

    // A real device locked by a port object of this process: the next open is refused, saying so.
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(grantpt(master), 0);
    ASSERT_EQ(unlockpt(master), 0);
    const std::string device = ptsname(master);
    QtSerialPort holding;
    ASSERT_TRUE(holding.open(device)) << holding.errorString();
    test::RecordingPrompter prompter;
    test::FakeClock clock;
    QtPortProvider ports;
    Session session{prompter, clock, ports};
    EXPECT_FALSE(SelectPort(session, device));
    EXPECT_NE(prompter.last().find("Another program holds it: process " + std::to_string(getpid())), std::string::npos)
        << prompter.last();
    EXPECT_EQ(prompter.last().find("root"), std::string::npos) << prompter.last();
    holding.close();
    close(master);
}

} // namespace
} // namespace vexa

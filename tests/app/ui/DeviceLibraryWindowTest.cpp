#include "app/ui/MainWindow.h"

#include "app/ui/VerificationWindow.h"
#include "sim/SimulatorPort.h"

#include "TestSeams.h"
#include "ui/UserInput.h"
#include "ui/WindowBench.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace vexa {
namespace {

// The window as a new user meets it: the shipped devices are listed at start.
class DeviceLibraryWindowTest : public ::testing::Test, protected test::WindowBench {
protected:
    DeviceLibraryWindowTest() : WindowBench({SimulatorPortName}) {}

    void run(const char* button) {
        find<QPushButton>(button)->click();
        window->dispatchPending();
    }

    void showPin(const char* shown) {
        auto* field = find<QLineEdit>("TextPAspOutput");
        test::TypeAndEnter(field, QString::fromLatin1(shown));
    }
};

TEST_F(DeviceLibraryWindowTest, ShippedSignalLoadedAtPin3IsWrittenAndVerifies) {
    auto* devices = find<QComboBox>("cboDevice");
    EXPECT_GE(devices->count(), 8);
    EXPECT_EQ(find<QLabel>("lblDDVersion")->text(), "Standard devices 1.0");
    EXPECT_EQ(find<QLabel>("LblDDLabel")->text(), "Definitions Loaded:");
    EXPECT_TRUE(prompter.messages.empty()) << prompter.last();

    auto* portList = find<QComboBox>("ComboPort");
    portList->setCurrentIndex(0);
    emit portList->activated(0);
    run("CommandReadAll");

    showPin("3");
    devices->setCurrentIndex(devices->findText(QStringLiteral("Signal 3 aspects")));
    find<QPushButton>("CommandPAspPreLoad")->click();
    EXPECT_EQ(find<QLineEdit>("TextPAspDesc")->text(), "Red lamp of the three-light colour signal");
    showPin("5");
    EXPECT_EQ(find<QLineEdit>("TextDevicePin")->text(), "3");
    EXPECT_EQ(find<QLineEdit>("TextDeviceDescription")->text(), "Signal 3 aspects");
    EXPECT_TRUE(find<QLineEdit>("TextDeviceDescription")->isReadOnly());
    EXPECT_TRUE(prompter.messages.empty()) << prompter.last(); // descriptions are not read from the controller

    run("CommandWriteDevice");
    run("CommandVerifyAll");
    auto* report = window->findChild<VerificationWindow*>(QStringLiteral("frmVexaVerification"));
    ASSERT_NE(report, nullptr);
    EXPECT_TRUE(report->reportText().endsWith(QStringLiteral("Verify OK"))) << report->reportText().toStdString();

    devices->setEditText(QStringLiteral("Signal 9 aspects"));
    find<QPushButton>("CommandPAspPreLoad")->click();
    EXPECT_NE(prompter.last().find("\"Signal 9 aspects\" is not a device"), std::string::npos) << prompter.last();
}

TEST_F(DeviceLibraryWindowTest, ReloadReplacesOnLeftPressAndAppendsWithShift) {
    const std::string path = (std::filesystem::temp_directory_path() / "vexa_window_extra.def").string();
    std::ofstream(path, std::ios::binary) << "\"VexaDeviceDefinitions Extra\"\r\n\"Dev\",\"Signal 3 aspects\"\r\n"
                                             "\"Pin\",0,0,0,\"from the extra file\"\r\n\"End\"\r\n";
    auto* reload = find<QPushButton>("CommandReloadDD");
    EXPECT_EQ(reload->toolTip(), "Reload DD to load new file, Shift + Reload DD to append");
    const auto press = [reload](Qt::KeyboardModifiers modifiers) {
        const QPointF at(reload->width() / 2.0, reload->height() / 2.0);
        QMouseEvent event(QEvent::MouseButtonPress, at, reload->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                          modifiers);
        QApplication::sendEvent(reload, &event);
    };
    auto* devices = find<QComboBox>("cboDevice");
    const int shipped = devices->count();
    dialogs.names = {path, path};
    press(Qt::ShiftModifier);
    EXPECT_EQ(find<QLabel>("lblDDVersion")->text(), "Standard devices 1.0 + Extra");
    EXPECT_EQ(devices->count(), shipped + 1);
    devices->setCurrentIndex(shipped); // the second "Signal 3 aspects": loaded from its own file
    find<QPushButton>("CommandPAspPreLoad")->click();
    EXPECT_EQ(find<QLineEdit>("TextPAspDesc")->text(), "from the extra file");
    press(Qt::NoModifier);
    EXPECT_EQ(find<QLabel>("lblDDVersion")->text(), "Extra");
    EXPECT_EQ(devices->count(), 1);
    EXPECT_EQ(dialogs.filters.back(), "Vexa Device Definitions|*.def");
    std::filesystem::remove(path);
}

} // namespace
} // namespace vexa

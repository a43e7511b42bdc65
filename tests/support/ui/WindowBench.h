#pragma once

#include "app/ui/MainWindow.h"
#include "sim/CorvanInterfaceSim.h"
#include "sim/SimulatorPort.h"

#include "TestSeams.h"

#include <QComboBox>
#include <QString>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace vexa::test {

// The main window on fake seams. Its port list offers the given names: "Simulator" opens the
// in-process simulated controller `simulator`, "Simulator (Corvan)" the same controller behind
// a simulated Corvan interface, any other name a scripted port.
struct WindowBench {
    explicit WindowBench(std::vector<std::string> portNames = {"ttyS0", SimulatorPortName}) {
        ports.names = std::move(portNames);
        ports.factory = [this](const std::string& name) -> std::unique_ptr<SerialPort> {
            if (name == SimulatorPortName)
                return MakeSimulatorPort(simulator);
            if (name == CorvanSimulatorPortName)
                return MakeSimLinePort(MakeDefaultCorvanInterface(simulator));
            return std::make_unique<ScriptedPort>();
        };
        window = std::make_unique<MainWindow>(prompter, ports, clock, dialogs);
    }

    // The window's control of that name (a failed expectation when there is none).
    template <typename Widget = QWidget> Widget* find(const QString& name) {
        auto* widget = window->findChild<Widget*>(name);
        EXPECT_NE(widget, nullptr) << name.toStdString();
        return widget;
    }
    template <typename Widget = QWidget> Widget* find(const char* name) {
        return find<Widget>(QString::fromLatin1(name));
    }

    // Chooses the port of that name in the port list, as the user does.
    void choosePort(const char* name) {
        auto* combo = find<QComboBox>("ComboPort");
        const int index = combo->findText(QString::fromLatin1(name));
        ASSERT_GE(index, 0) << name;
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }

    RecordingPrompter prompter;
    SystemClock clock;
    ScriptedPortProvider ports;
    ScriptedFileDialogs dialogs;
    std::shared_ptr<Simulator> simulator = MakeDefaultSimulator();
    std::unique_ptr<MainWindow> window;
};

} // namespace vexa::test

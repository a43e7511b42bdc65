#pragma once

#include "core/OperationRunner.h"
#include "core/Session.h"
#include "live/TestTabCommands.h"

#include <QWidget>

#include <array>

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QVBoxLayout;

namespace vexa {

// The "Test" tab: fixed Vexa set-aspect buttons, the free Lumo command, the module commands,
// the matrix-board panel and the live view of the simulated controller. Other panels (such as
// the message monitor) are added below with addSection. Its fields live only in the window.
class TestPage : public QWidget {
    Q_OBJECT
public:
    TestPage(Session& session, OperationRunner& runner, QWidget* parent = nullptr);

    // Adds a panel at the foot of the page.
    void addSection(QWidget* section);

    // "Simulator View": asks the window to open (or raise) the view of the simulated
    // controller's outputs, which only the window knows how to reach.
    void showSimulatorView();

signals:
    void simulatorViewRequested();

private:
    QGroupBox* buildSetAspect();
    QGroupBox* buildLumo();
    QGroupBox* buildModuleCommands();
    QGroupBox* buildMatrix();
    void run(const char* title, const Operation& operation);

    Session& session_;
    OperationRunner& runner_;
    QVBoxLayout* column_ = nullptr;
    QLineEdit* output_ = nullptr;
    std::array<QLineEdit*, 3> lumoFields_{};
    std::array<QCheckBox*, 10> matrixBoxes_{};
    AspectToggle toggle_;
};

} // namespace vexa

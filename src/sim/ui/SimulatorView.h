#pragma once

#include "core/Session.h"
#include "sim/SimLiveOutputs.h"

#include <QWidget>

#include <array>

class QLabel;
class QTimer;

namespace vexa {

// The 32 outputs of the simulated controller drawn as lamps, level bars and servo arms.
class OutputsDisplay : public QWidget {
    Q_OBJECT
public:
    explicit OutputsDisplay(QWidget* parent = nullptr);

    void setOutputs(const std::array<SimOutputView, PinCount>& outputs, int numberingBase);
    const std::array<SimOutputView, PinCount>& outputs() const { return outputs_; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::array<SimOutputView, PinCount> outputs_{};
    int numberingBase_ = 1;
};

// A small window that follows the in-process simulated controller (port "Simulator", or
// "Simulator (Corvan)" behind its simulated interface) while it is shown, so that a user
// without a layout sees what live commands and aspect programs do.
class SimulatorView : public QWidget {
    Q_OBJECT
public:
    SimulatorView(Session& session, QWidget* parent = nullptr);

    // Takes the outputs of the simulated controller behind the chosen port, if any.
    void refresh();
    const OutputsDisplay& display() const { return *display_; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    Session& session_;
    OutputsDisplay* display_ = nullptr;
    QLabel* status_ = nullptr;
    QTimer* timer_ = nullptr;
};

} // namespace vexa

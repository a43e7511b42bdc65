#pragma once

#include "module/ui/SettingsFrame.h"

#include <array>

class QCheckBox;
class QComboBox;
class QRadioButton;

namespace vexa {

// The "Serial Port" frame: the controller's own serial port.
class SerialPortFrame : public SettingsFrame {
    Q_OBJECT
public:
    SerialPortFrame(Session& session, OperationRunner& runner, QWidget* parent);

    void refreshFromSession() override;

private:
    QCheckBox* enable_ = nullptr;
    QComboBox* baud_ = nullptr;
    std::array<QRadioButton*, 2> dataBits_{};
    std::array<QRadioButton*, 4> parity_{}; // index 1 has no option
    std::array<QRadioButton*, 2> stopBits_{};
};

// The "Erase Flash" frame with its one button.
class EraseFlashFrame : public SettingsFrame {
    Q_OBJECT
public:
    EraseFlashFrame(Session& session, OperationRunner& runner, QWidget* parent);

    void refreshFromSession() override {}
};

} // namespace vexa

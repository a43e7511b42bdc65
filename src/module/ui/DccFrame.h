#pragma once

#include "module/ui/SettingsFrame.h"

#include <array>

class QCheckBox;
class QLabel;
class QRadioButton;

namespace vexa {

// The "DCC" frame: first basic and extended DCC address with their output ranges, packet
// repeat, "Basic Packet State Invert" and "Allow Address 0".
class DccFrame : public SettingsFrame {
    Q_OBJECT
public:
    DccFrame(Session& session, OperationRunner& runner, QWidget* parent);

    void refreshFromSession() override;
    void commitEdits() override;

private:
    void enterAddress(NumberEntry& entry, void (*enter)(Session&, const std::string&));

    NumberEntry address_;
    NumberEntry xAddress_;
    QLabel* range_ = nullptr;
    QLabel* xRange_ = nullptr;
    std::array<QRadioButton*, 4> repeat_{};
    QCheckBox* invert_ = nullptr;
    QCheckBox* allowZero_ = nullptr;
};

} // namespace vexa

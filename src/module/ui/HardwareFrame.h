#pragma once

#include "module/ui/SettingsFrame.h"

#include <array>

class QCheckBox;
class QLabel;

namespace vexa {

// The "Hardware Config" frame: sink and source drivers of each group of eight pins.
class HardwareFrame : public SettingsFrame {
    Q_OBJECT
public:
    HardwareFrame(Session& session, OperationRunner& runner, QWidget* parent);

    void refreshFromSession() override;

private:
    QLabel* pinCaption_ = nullptr;
    std::array<QCheckBox*, 4> sink_{};
    std::array<QCheckBox*, 4> source_{};
};

} // namespace vexa

#pragma once

#include "module/ui/SettingsFrame.h"

#include <array>

class QCheckBox;
class QLabel;

namespace vexa {

// The "Serial Addressing Options" frame: flex or native addressing with the flex start, the
// enforced eXtended address, the module eXtended address and the 16 group-mask boxes.
class SerialAddressingFrame : public SettingsFrame {
    Q_OBJECT
public:
    SerialAddressingFrame(Session& session, OperationRunner& runner, QWidget* parent);

    void refreshFromSession() override;
    void commitEdits() override;

private:
    QWidget* makeMaskGrid();
    void flexClicked(bool checked);
    void applyVisibility();

    QCheckBox* flex_ = nullptr;
    QCheckBox* native_ = nullptr;
    QCheckBox* enforced_ = nullptr;
    NumberEntry flexStart_;
    NumberEntry xAddress_;
    QLabel* startLabel_ = nullptr;
    QLabel* xAddressLabel_ = nullptr;
    QLabel* maskLabel_ = nullptr;
    QWidget* maskNumbers_ = nullptr; // the grid of the numbers and the group-mask boxes
    std::array<QCheckBox*, 16> mask_{};
};

} // namespace vexa

#pragma once

#include "module/LedSettings.h"
#include "module/ui/SettingsFrame.h"

#include <array>

class QCheckBox;

namespace vexa {

// The "LED Control" frame: the functions of the green and the orange LED; item 7 of each is
// its default function, shown grey while no other item is checked.
class LedFrame : public SettingsFrame {
    Q_OBJECT
public:
    LedFrame(Session& session, OperationRunner& runner, QWidget* parent);

    void refreshFromSession() override;

private:
    using Boxes = std::array<QCheckBox*, 8>;
    void makeColumn(Boxes& boxes, const char* name, const std::array<const char*, 8>& captions,
                    LedItems ModuleSettings::*items);
    static void showItems(Boxes& boxes, const LedItems& items);

    Boxes green_{};
    Boxes orange_{};
};

} // namespace vexa

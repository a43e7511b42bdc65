#include "module/ui/LedFrame.h"
#include "module/GeneralPageWords.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace vexa {

LedFrame::LedFrame(Session& session, OperationRunner& runner, QWidget* parent)
    : SettingsFrame(generalpage::LedFrame, "FrameLC", session, runner, parent) {
    // Each heading stands over its own column.
    auto* greenHeading = new QLabel(QLatin1String(generalpage::GreenLed), this);
    greenHeading->setObjectName(QStringLiteral("LabelLC"));
    auto* orangeHeading = new QLabel(QLatin1String(generalpage::OrangeLed), this);
    orangeHeading->setObjectName(QStringLiteral("LabelLCOrange"));
    makeColumn(green_, "CheckLCGreen", GreenLedCaptions, &ModuleSettings::ledGreen);
    makeColumn(orange_, "CheckLCOrange", OrangeLedCaptions, &ModuleSettings::ledOrange);
    auto* grid = new QGridLayout;
    grid->addWidget(greenHeading, 0, 0);
    grid->addWidget(orangeHeading, 0, 1);
    // Item 7, the default function, at the top.
    for (int item = LedDefaultItem; item >= 0; --item) {
        const auto index = static_cast<std::size_t>(item);
        grid->addWidget(green_[index], 1 + LedDefaultItem - item, 0);
        grid->addWidget(orange_[index], 1 + LedDefaultItem - item, 1);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttonRow(operationButton("Read Settings", "CommandLCRead", ReadLedSettings),
                                operationButton("Write Settings", "CommandLCWrite", WriteLedSettings)));
    refreshFromSession();
}

void LedFrame::makeColumn(Boxes& boxes, const char* name, const std::array<const char*, 8>& captions,
                          LedItems ModuleSettings::*items) {
    for (int item = 0; item < 8; ++item) {
        const auto index = static_cast<std::size_t>(item);
        auto* box = new QCheckBox(QString::fromLatin1(captions[index]), this);
        box->setObjectName(QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(item));
        boxes[index] = box;
        connect(box, &QCheckBox::clicked, this, [this, box, item, items] {
            // A grey box counts as checked; the rule decides what every box shows next.
            const bool checked = box->checkState() != Qt::Unchecked;
            change([this, item, items, checked] { ApplyLedClick(session_.image.module.*items, item, checked); }, false);
        });
    }
}

void LedFrame::showItems(Boxes& boxes, const LedItems& items) {
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        const Qt::CheckState state =
            items[i] == CheckGrey ? Qt::PartiallyChecked : (items[i] != 0 ? Qt::Checked : Qt::Unchecked);
        boxes[i]->setCheckState(state);
    }
}

void LedFrame::refreshFromSession() {
    showItems(green_, session_.image.module.ledGreen);
    showItems(orange_, session_.image.module.ledOrange);
}

} // namespace vexa

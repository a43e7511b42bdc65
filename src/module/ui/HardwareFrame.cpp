#include "module/ui/HardwareFrame.h"

#include "module/GeneralPageWords.h"
#include "module/HardwareSettings.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace vexa {

HardwareFrame::HardwareFrame(Session& session, OperationRunner& runner, QWidget* parent)
    : SettingsFrame(generalpage::HardwareFrame, "FrameGenHWC", session, runner, parent) {
    pinCaption_ = new QLabel(this);
    pinCaption_->setObjectName(QStringLiteral("LabelGenHWCPin"));
    auto* grid = new QGridLayout;
    grid->addWidget(pinCaption_, 0, 1, 1, HardwareGroupCount);
    grid->addWidget(new QLabel(QLatin1String(generalpage::SinkDriver), this), 1, 0);
    grid->addWidget(new QLabel(QLatin1String(generalpage::SourceDriver), this), 2, 0);
    for (int k = 0; k < HardwareGroupCount; ++k) {
        const auto index = static_cast<std::size_t>(k);
        sink_[index] = new QCheckBox(this);
        sink_[index]->setObjectName(QStringLiteral("ChkGenHWCSink(%1)").arg(k));
        source_[index] = new QCheckBox(this);
        source_[index]->setObjectName(QStringLiteral("ChkGenHWCSource(%1)").arg(k));
        grid->addWidget(sink_[index], 1, k + 1, Qt::AlignHCenter);
        grid->addWidget(source_[index], 2, k + 1, Qt::AlignHCenter);
        // The pin page's hardware warnings depend on the drivers.
        connect(sink_[index], &QCheckBox::clicked, this, [this, index](bool checked) {
            change([this, index, checked] { session_.image.module.hwcSink[index] = checked; }, true);
        });
        connect(source_[index], &QCheckBox::clicked, this, [this, index](bool checked) {
            change([this, index, checked] { session_.image.module.hwcSource[index] = checked; }, true);
        });
    }
    grid->setColumnStretch(HardwareGroupCount + 1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttonRow(operationButton("Read Config", "CommandGenHWCRead", ReadHardwareConfig),
                                operationButton("Write Config", "CommandGenHWCWrite", WriteHardwareConfig)));
    refreshFromSession();
}

void HardwareFrame::refreshFromSession() {
    const ModuleSettings& module = session_.image.module;
    pinCaption_->setText(QString::fromStdString(HardwarePinCaption(session_.numberingBase)));
    for (std::size_t k = 0; k < sink_.size(); ++k) {
        sink_[k]->setChecked(module.hwcSink[k]);
        source_[k]->setChecked(module.hwcSource[k]);
        // Each box drives a group of eight pins, named for screen readers as the caption shows them.
        const int first = static_cast<int>(k) * 8 + session_.numberingBase;
        const QString pins = QStringLiteral(", pins %1..%2").arg(first).arg(first + 7);
        sink_[k]->setAccessibleName(QLatin1String(generalpage::SinkDriver) + pins);
        source_[k]->setAccessibleName(QLatin1String(generalpage::SourceDriver) + pins);
    }
}

} // namespace vexa

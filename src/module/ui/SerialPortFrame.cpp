#include "module/ui/SerialPortFrame.h"

#include "core/ui/FocusedWheel.h"
#include "module/EraseFlash.h"
#include "module/GeneralPageWords.h"
#include "module/SerialPortSettings.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace vexa {

namespace {

// One option of a group, named Name(index), added to the row and the group.
QRadioButton* Option(const char* caption, const char* name, int index, QButtonGroup* group, QHBoxLayout* row,
                     QWidget* parent) {
    auto* option = new QRadioButton(QString::fromLatin1(caption), parent);
    option->setObjectName(QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index));
    group->addButton(option, index);
    row->addWidget(option);
    return option;
}

} // namespace

SerialPortFrame::SerialPortFrame(Session& session, OperationRunner& runner, QWidget* parent)
    : SettingsFrame(generalpage::SerialPortFrame, "FrameGenSerial", session, runner, parent) {
    enable_ = new QCheckBox(QLatin1String(generalpage::SerialEnable), this);
    enable_->setObjectName(QStringLiteral("CheckGenSerialEnable"));
    baud_ = new QComboBox(this);
    TakeWheelOnlyWhenFocused(baud_);
    baud_->setObjectName(QStringLiteral("ComboGenBaud"));
    for (const char* text : SerialBaudTexts)
        baud_->addItem(QString::fromLatin1(text));

    auto* dataGroup = new QButtonGroup(this);
    auto* parityGroup = new QButtonGroup(this);
    auto* stopGroup = new QButtonGroup(this);
    auto* dataRow = new QHBoxLayout;
    auto* parityRow = new QHBoxLayout;
    auto* stopRow = new QHBoxLayout;
    dataBits_ = {Option("7", "OptionGenSerialDatabits", 0, dataGroup, dataRow, this),
                 Option("8", "OptionGenSerialDatabits", 1, dataGroup, dataRow, this)};
    parity_ = {Option(generalpage::ParityTexts[0], "OptionGenSerialParity", 0, parityGroup, parityRow, this), nullptr,
               Option(generalpage::ParityTexts[2], "OptionGenSerialParity", 2, parityGroup, parityRow, this),
               Option(generalpage::ParityTexts[3], "OptionGenSerialParity", 3, parityGroup, parityRow, this)};
    stopBits_ = {Option("1", "OptionGenSerialStop", 0, stopGroup, stopRow, this),
                 Option("2", "OptionGenSerialStop", 1, stopGroup, stopRow, this)};

    auto* grid = new QGridLayout;
    grid->addWidget(enable_, 0, 0);
    grid->addWidget(new QLabel(QLatin1String(generalpage::Baudrate), this), 1, 0);
    grid->addWidget(baud_, 1, 1, Qt::AlignLeft);
    grid->addWidget(new QLabel(QLatin1String(generalpage::DataBits), this), 2, 0);
    grid->addLayout(dataRow, 2, 1, Qt::AlignLeft);
    grid->addWidget(new QLabel(QLatin1String(generalpage::Parity), this), 3, 0);
    grid->addLayout(parityRow, 3, 1, Qt::AlignLeft);
    grid->addWidget(new QLabel(QLatin1String(generalpage::StopBits), this), 4, 0);
    grid->addLayout(stopRow, 4, 1, Qt::AlignLeft);
    grid->setColumnStretch(2, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttonRow(operationButton("Read Settings", "CommandGenSerialRead", ReadSerialPortSettings),
                                operationButton("Write Settings", "CommandGenSerialWrite", WriteSerialPortSettings)));

    ModuleSettings& module = session_.image.module;
    connect(enable_, &QCheckBox::clicked, this, [&module](bool checked) { module.serialEnable = checked; });
    connect(baud_, &QComboBox::activated, this,
            [&module](int index) { module.serialBaud = static_cast<std::uint8_t>(std::max(index, 0)); });
    connect(dataGroup, &QButtonGroup::idClicked, this,
            [&module](int index) { module.serialDataBits = index == 1 ? 8 : 7; });
    connect(parityGroup, &QButtonGroup::idClicked, this,
            [&module](int index) { module.serialParity = static_cast<std::uint8_t>(index); });
    connect(stopGroup, &QButtonGroup::idClicked, this,
            [&module](int index) { module.serialStopBits = index == 1 ? 2 : 1; });
    refreshFromSession();
}

void SerialPortFrame::refreshFromSession() {
    const ModuleSettings& module = session_.image.module;
    enable_->setChecked(module.serialEnable);
    baud_->setCurrentIndex(module.serialBaud < SerialBaudTexts.size() ? module.serialBaud : 0);
    dataBits_[module.serialDataBits == 8 ? 1 : 0]->setChecked(true);
    if (QRadioButton* parity = parity_[module.serialParity & 3])
        parity->setChecked(true);
    stopBits_[module.serialStopBits == 2 ? 1 : 0]->setChecked(true);
}

EraseFlashFrame::EraseFlashFrame(Session& session, OperationRunner& runner, QWidget* parent)
    : SettingsFrame("Erase Flash", "FrameGenErase", session, runner, parent) {
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(operationButton("Erase Flash", "CommandGenEraseFlash", EraseFlash));
    layout->addStretch(1);
}

} // namespace vexa

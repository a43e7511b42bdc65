#include "module/ui/DccFrame.h"

#include "core/ui/CommitLineEdit.h"
#include "core/ui/UpDownControl.h"
#include "core/ui/ValueMarks.h"
#include "module/DccAddressing.h"
#include "module/GeneralPageWords.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPalette>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace vexa {

namespace {

void ShowRange(QLabel* label, const RangeCaption& caption) {
    label->setText(QString::fromStdString(caption.text));
    QPalette palette = label->parentWidget()->palette();
    if (caption.overflow)
        palette.setColor(QPalette::WindowText, Qt::red);
    label->setPalette(palette);
}

} // namespace

DccFrame::DccFrame(Session& session, OperationRunner& runner, QWidget* parent)
    : SettingsFrame(generalpage::DccFrame, "FrameGenDCC", session, runner, parent) {
    address_ = MakeNumberEntry("TextGenDCCAddress", "UpDownGenDCCAddress", this);
    xAddress_ = MakeNumberEntry("TextGenXDCCAddress", "UpDownGenXDCCAddress", this);
    range_ = new QLabel(QStringLiteral("Output 1 .. 32"), this);
    range_->setObjectName(QStringLiteral("LabelGenDCCOutput"));
    xRange_ = new QLabel(this);
    xRange_->setObjectName(QStringLiteral("LabelGenXDCCOutput"));

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QLatin1String(generalpage::BasicAddress), this), 0, 0);
    grid->addLayout(address_.pair, 0, 1);
    grid->addWidget(range_, 0, 2);
    grid->addWidget(new QLabel(QLatin1String(generalpage::ExtendedAddress), this), 1, 0);
    grid->addLayout(xAddress_.pair, 1, 1);
    grid->addWidget(xRange_, 1, 2);
    grid->setColumnStretch(2, 1);

    auto* repeatRow = new QHBoxLayout;
    repeatRow->addWidget(new QLabel(QLatin1String(generalpage::PacketRepeat), this));
    auto* group = new QButtonGroup(this);
    for (int i = 0; i < 4; ++i) {
        auto* option = new QRadioButton(QString::fromLatin1(DccPacketRepeatTexts[static_cast<std::size_t>(i)]), this);
        option->setObjectName(QStringLiteral("OptGenDCC_PRP(%1)").arg(i));
        group->addButton(option, i);
        repeat_[static_cast<std::size_t>(i)] = option;
        repeatRow->addWidget(option);
    }
    repeatRow->addStretch(1);
    invert_ = new QCheckBox(QLatin1String(generalpage::StateInvert), this);
    invert_->setObjectName(QStringLiteral("ChkGenDCC_BPSI"));
    allowZero_ = new QCheckBox(QLatin1String(generalpage::AllowZero), this);
    allowZero_->setObjectName(QStringLiteral("ChkGenDCCAllow0"));
    auto* checks = new QHBoxLayout;
    checks->addWidget(invert_);
    checks->addWidget(allowZero_);
    checks->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(repeatRow);
    layout->addLayout(checks);
    layout->addLayout(buttonRow(operationButton("Read Settings", "CommandGenDCCRead", ReadDccSettings),
                                operationButton("Write Settings", "CommandGenDCCWrite", WriteDccSettings)));

    connect(address_.field, &CommitLineEdit::commitRequested, this,
            [this] { enterAddress(address_, EnterDccAddress); });
    connect(xAddress_.field, &CommitLineEdit::commitRequested, this,
            [this] { enterAddress(xAddress_, EnterXDccAddress); });
    connect(address_.arrows, &UpDownControl::valueStepped, this,
            [this](int value) { change([this, value] { session_.image.module.dccAddress = value; }, true); });
    connect(xAddress_.arrows, &UpDownControl::valueStepped, this,
            [this](int value) { change([this, value] { session_.image.module.xdccAddress = value; }, true); });
    connect(group, &QButtonGroup::idClicked, this,
            [this](int index) { session_.image.module.dccPacketRepeat = static_cast<std::uint8_t>(index); });
    connect(invert_, &QCheckBox::clicked, this,
            [this](bool checked) { session_.image.module.dccStateInvert = checked; });
    connect(allowZero_, &QCheckBox::clicked, this,
            [this](bool checked) { change([this, checked] { SetDccAllowZero(session_, checked); }, true); });
    refreshFromSession();
}

void DccFrame::enterAddress(NumberEntry& entry, void (*enter)(Session&, const std::string&)) {
    const std::string text = entry.field->text().toStdString();
    change([this, enter, text] { enter(session_, text); }, true);
}

void DccFrame::refreshFromSession() {
    const ModuleSettings& module = session_.image.module;
    const int lowest = LowestDccAddress(module);
    ShowNumber(address_, module.dccAddress, module.dccAddress, lowest, HighestDccAddress);
    ShowNumber(xAddress_, module.xdccAddress, module.xdccAddress, lowest, HighestXDccAddress);
    MarkUnsendable(address_.field, DccAddressProblem(module));
    MarkUnsendable(xAddress_.field, XDccAddressProblem(module));
    ShowRange(range_, DccRangeCaption(session_));
    ShowRange(xRange_, XDccRangeCaption(session_));
    repeat_[module.dccPacketRepeat & 3]->setChecked(true);
    invert_->setChecked(module.dccStateInvert);
    allowZero_->setChecked(module.dccAllowZero);
}

void DccFrame::commitEdits() {
    // Before an operation: the pin page is refreshed afterwards, its own edits not yet taken.
    const QSignalBlocker blocker(this);
    address_.field->commitEdit();
    xAddress_.field->commitEdit();
}

} // namespace vexa

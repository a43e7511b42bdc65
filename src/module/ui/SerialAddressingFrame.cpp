#include "module/ui/SerialAddressingFrame.h"

#include "core/ui/CommitLineEdit.h"
#include "core/ui/UpDownControl.h"
#include "core/ui/ValueMarks.h"
#include "module/GeneralPageWords.h"
#include "module/SerialAddressing.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace vexa {

namespace {

QCheckBox* Check(const QString& caption, const QString& name, QWidget* parent) {
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(name);
    return box;
}

QLabel* XaLabel(const char* caption, int item, QWidget* parent) {
    auto* label = new QLabel(QString::fromLatin1(caption), parent);
    label->setObjectName(QStringLiteral("LabelGenXA(%1)").arg(item));
    return label;
}

} // namespace

SerialAddressingFrame::SerialAddressingFrame(Session& session, OperationRunner& runner, QWidget* parent)
    : SettingsFrame(generalpage::SerialAddressingFrame, "FrameGenAddr", session, runner, parent) {
    flex_ = Check(QLatin1String(generalpage::Flex), QStringLiteral("CheckGenLumoaddr"), this);
    native_ = Check(QLatin1String(generalpage::Native), QStringLiteral("CheckGenVexaNative"), this);
    enforced_ = Check(QLatin1String(generalpage::Enforced), QStringLiteral("CheckGenForceXA"), this);
    flexStart_ = MakeNumberEntry("TextGenLumoaddr", "UpDownGenLumoaddr", this);
    xAddress_ = MakeNumberEntry("TextGenXaddr", "UpDownGenXaddr", this);
    startLabel_ = XaLabel(generalpage::FlexStart, 4, this);
    xAddressLabel_ = XaLabel(generalpage::ModuleXAddress, 1, this);
    maskLabel_ = XaLabel(generalpage::GroupMask, 2, this);
    maskNumbers_ = makeMaskGrid();

    auto* modeRow = new QHBoxLayout;
    modeRow->addWidget(flex_);
    modeRow->addWidget(native_);
    modeRow->addWidget(startLabel_);
    modeRow->addLayout(flexStart_.pair);
    modeRow->addStretch(1);

    auto* xRow = new QHBoxLayout;
    xRow->addWidget(enforced_);
    xRow->addSpacing(12);
    xRow->addWidget(xAddressLabel_);
    xRow->addLayout(xAddress_.pair);
    xRow->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(modeRow);
    layout->addLayout(xRow);
    layout->addWidget(maskLabel_);
    layout->addWidget(maskNumbers_);
    layout->addLayout(buttonRow(operationButton("Read Settings", "CommandGenAddrRead", ReadSerialAddressing),
                                operationButton("Write Settings", "CommandGenAddrWrite", WriteSerialAddressing)));

    connect(flex_, &QCheckBox::clicked, this, &SerialAddressingFrame::flexClicked);
    connect(native_, &QCheckBox::clicked, this,
            [this](bool checked) { change([this, checked] { session_.image.module.nativeMode = checked; }, true); });
    connect(enforced_, &QCheckBox::clicked, this, [this](bool checked) {
        change([this, checked] { session_.image.module.enforcedXAddress = checked; }, false);
    });
    connect(flexStart_.field, &CommitLineEdit::commitRequested, this, [this] {
        const std::string text = flexStart_.field->text().toStdString();
        change([this, text] { EnterFlexStart(session_, text); }, true);
    });
    connect(flexStart_.arrows, &UpDownControl::valueStepped, this, [this](int block) {
        change([this, block] { session_.image.module.lumoFlexBlock = static_cast<std::uint8_t>(block); }, true);
    });
    connect(xAddress_.field, &CommitLineEdit::commitRequested, this, [this] {
        const std::string text = xAddress_.field->text().toStdString();
        change([this, text] { EnterModuleXAddress(session_, text); }, false);
    });
    connect(xAddress_.arrows, &UpDownControl::valueStepped, this, [this](int shown) {
        change([this, shown] { EnterModuleXAddress(session_, std::to_string(shown)); }, false);
    });
    refreshFromSession();
}

// The 16 group-mask boxes in one grid, each under its flag number. The grid carries the name of
// the row of numbers.
QWidget* SerialAddressingFrame::makeMaskGrid() {
    auto* grid = new QWidget(this);
    grid->setObjectName(QStringLiteral("LabelGenXGMlbl"));
    auto* cells = new QGridLayout(grid);
    cells->setContentsMargins(0, 0, 0, 0);
    cells->setHorizontalSpacing(6);
    cells->setVerticalSpacing(0);
    for (int i = 0; i < static_cast<int>(mask_.size()); ++i) {
        auto* number = new QLabel(QString::number(i), grid);
        number->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
        QCheckBox* box = Check(QString(), QStringLiteral("CheckGenXGM(%1)").arg(i), grid);
        box->setToolTip(QString::number(i));
        mask_[static_cast<std::size_t>(i)] = box;
        cells->addWidget(number, 0, i, Qt::AlignHCenter);
        cells->addWidget(box, 1, i, Qt::AlignHCenter);
        connect(box, &QCheckBox::clicked, this,
                [this, i](bool checked) { session_.image.module.groupMask[static_cast<std::size_t>(i)] = checked; });
    }
    cells->setColumnStretch(static_cast<int>(mask_.size()), 1);
    return grid;
}

void SerialAddressingFrame::flexClicked(bool checked) {
    const bool confirmed = !checked || ConfirmFlexAddressing(session_);
    change([this, checked, confirmed] { session_.image.module.lumoFlexAddressing = checked && confirmed; }, true);
}

void SerialAddressingFrame::applyVisibility() {
    const SerialAddressingVisibility visible = SerialAddressingVisibilityFor(session_.image.module);
    flex_->setVisible(visible.flex);
    native_->setVisible(visible.native);
    for (QWidget* widget : std::initializer_list<QWidget*>{flexStart_.field, flexStart_.arrows, startLabel_})
        widget->setVisible(visible.flexStart);
    for (QWidget* widget :
         std::initializer_list<QWidget*>{xAddress_.field, xAddress_.arrows, xAddressLabel_, maskLabel_, maskNumbers_})
        widget->setVisible(visible.xAddress);
}

void SerialAddressingFrame::refreshFromSession() {
    const ModuleSettings& module = session_.image.module;
    const int base = session_.numberingBase;
    flex_->setChecked(module.lumoFlexAddressing);
    native_->setChecked(module.nativeMode);
    ShowKnownCheck(enforced_, module.enforcedXAddress);
    ShowNumber(flexStart_, ShownFlexStart(session_), module.lumoFlexBlock, 0, HighestFlexBlock);
    ShowNumber(xAddress_, ShownModuleXAddress(session_), ShownModuleXAddress(session_), base,
               base + HighestModuleXAddress);
    MarkUnsendable(xAddress_.field, ModuleXAddressProblem(module, base));
    for (std::size_t i = 0; i < mask_.size(); ++i)
        mask_[i]->setChecked(module.groupMask[i]);
    applyVisibility();
}

void SerialAddressingFrame::commitEdits() {
    // Before an operation: the pin page is refreshed afterwards, its own edits not yet taken.
    const QSignalBlocker blocker(this);
    flexStart_.field->commitEdit();
    xAddress_.field->commitEdit();
}

} // namespace vexa

#include "module/ui/SerialAddressingFrame.h"

#include "core/ui/CommitLineEdit.h"
#include "core/ui/UpDownControl.h"
#include "module/SerialAddressing.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace vexa {

namespace {

const char* const MaskNumbersText = "0    1    2    3   4    5    6    7      8    9   10  11 12  13  14  15 ";

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
    : SettingsFrame("Serial Addressing Options", "FrameGenAddr", session, runner, parent) {
    flex_ = Check(QStringLiteral("Lumo Flex-Addresss"), QStringLiteral("CheckGenLumoaddr"), this);
    native_ = Check(QStringLiteral("Native Vexa Mode"), QStringLiteral("CheckGenVexaNative"), this);
    enforced_ = Check(QStringLiteral("Enforced eXtended Address"), QStringLiteral("CheckGenForceXA"), this);
    flexStart_ = MakeNumberEntry("TextGenLumoaddr", "UpDownGenLumoaddr", this);
    xAddress_ = MakeNumberEntry("TextGenXaddr", "UpDownGenXaddr", this);
    startLabel_ = XaLabel("Start", 4, this);
    xAddressLabel_ = XaLabel("Module eXtended Address", 1, this);
    maskLabel_ = XaLabel("eXt Group Mask", 2, this);
    maskNumbers_ = new QLabel(QString::fromLatin1(MaskNumbersText), this);
    maskNumbers_->setObjectName(QStringLiteral("LabelGenXGMlbl"));

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

    auto* maskRow = new QHBoxLayout;
    maskRow->setSpacing(0);
    for (int i = 0; i < 16; ++i) {
        QCheckBox* box = Check(QString(), QStringLiteral("CheckGenXGM(%1)").arg(i), this);
        box->setToolTip(QString::number(i));
        mask_[static_cast<std::size_t>(i)] = box;
        maskRow->addWidget(box);
        connect(box, &QCheckBox::clicked, this,
                [this, i](bool checked) { session_.image.module.groupMask[static_cast<std::size_t>(i)] = checked; });
    }
    maskRow->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(modeRow);
    layout->addLayout(xRow);
    layout->addWidget(maskLabel_);
    layout->addWidget(maskNumbers_);
    layout->addLayout(maskRow);
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
    for (QCheckBox* box : mask_)
        box->setVisible(visible.xAddress);
}

void SerialAddressingFrame::refreshFromSession() {
    const ModuleSettings& module = session_.image.module;
    const int base = session_.numberingBase;
    flex_->setChecked(module.lumoFlexAddressing);
    native_->setChecked(module.nativeMode);
    enforced_->setChecked(module.enforcedXAddress);
    ShowNumber(flexStart_, ShownFlexStart(session_), module.lumoFlexBlock, 0, HighestFlexBlock);
    ShowNumber(xAddress_, ShownModuleXAddress(session_), ShownModuleXAddress(session_), base,
               base + HighestModuleXAddress);
    for (std::size_t i = 0; i < mask_.size(); ++i)
        mask_[i]->setChecked(module.groupMask[i]);
    applyVisibility();
}

void SerialAddressingFrame::commitEdits() {
    if (flexStart_.field->text() != QString::number(ShownFlexStart(session_)))
        EnterFlexStart(session_, flexStart_.field->text().toStdString());
    if (xAddress_.field->text() != QString::number(ShownModuleXAddress(session_)))
        EnterModuleXAddress(session_, xAddress_.field->text().toStdString());
}

} // namespace vexa

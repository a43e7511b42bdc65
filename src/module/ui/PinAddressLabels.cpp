#include "module/ui/PinAddressLabels.h"

#include "module/AddressLabels.h"

#include <QHBoxLayout>
#include <QLabel>

namespace vexa {

namespace {

QLabel* AddressLabel(const char* caption, const char* name, const char* tip, QWidget* parent, QHBoxLayout* row) {
    auto* captionLabel = new QLabel(QString::fromLatin1(caption), parent);
    auto* label = new QLabel(QStringLiteral("-"), parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setToolTip(QString::fromLatin1(tip));
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QStringLiteral("00.00.000")));
    row->addWidget(captionLabel);
    row->addWidget(label);
    return label;
}

} // namespace

PinAddressLabels::PinAddressLabels(Session& session, QWidget* parent) : QWidget(parent), session_(session) {
    setObjectName(QStringLiteral("PinAddressLabels"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    serial_ = AddressLabel(SerialLabelCaption, "lblSerialAddress", "First serial address of the pin", this, row);
    pin_ = AddressLabel(PinAddressLabelCaption, "lblPinAddress", "Module.pin address", this, row);
    dcc_ = AddressLabel(DccLabelCaption, "lblDCCAddress", "First basic DCC output of the pin", this, row);
    xdcc_ = AddressLabel(XDccLabelCaption, "lblXDCCAddress", "First extended DCC output of the pin", this, row);
    refreshFromSession();
}

void PinAddressLabels::refreshFromSession() {
    const int pin = session_.image.currentPin;
    if (pin < 0 || pin >= PinCount)
        return;
    serial_->setText(QString::fromStdString(SerialAddressLabel(session_, pin)));
    pin_->setText(QString::fromStdString(PinAddressLabel(session_, pin)));
    dcc_->setText(QString::fromStdString(DccAddressLabel(session_, pin)));
    xdcc_->setText(QString::fromStdString(XDccAddressLabel(session_, pin)));
}

} // namespace vexa

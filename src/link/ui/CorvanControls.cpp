#include "link/ui/CorvanControls.h"

#include "core/OperationRunner.h"
#include "link/CorvanSetup.h"
#include "link/TunnelSwitch.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSignalBlocker>

namespace vexa {

CorvanControls::CorvanControls(Session& session, OperationRunner& runner, QWidget* parent)
    : QWidget(parent), session_(session), runner_(runner),
      checkCorvan_(new QCheckBox(QStringLiteral("Use Corvan Tunneling"), this)),
      cmdSetTM_(new QPushButton(QStringLiteral("Activate Transparent Mode"), this)) {
    checkCorvan_->setObjectName(QStringLiteral("CheckCorvan"));
    cmdSetTM_->setObjectName(QStringLiteral("cmdSetTM"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(checkCorvan_);
    layout->addWidget(cmdSetTM_);
    connect(checkCorvan_, &QCheckBox::clicked, this, &CorvanControls::switchTunnelling);
    connect(cmdSetTM_, &QPushButton::clicked, this, &CorvanControls::activateTransparentMode);
    refreshFromSession();
}

void CorvanControls::switchTunnelling(bool checked) {
    runner_.runNow("Use Corvan Tunneling", [checked](Session& session) { return SwitchTunnelling(session, checked); });
    refreshFromSession(); // also when the runner was busy: the box shows what holds
}

void CorvanControls::activateTransparentMode() {
    runner_.runNow("Activate Transparent Mode", [](Session& session) { return ActivateTransparentMode(session); });
}

void CorvanControls::refreshFromSession() {
    const bool tunnel = session_.link.useCorvan;
    {
        const QSignalBlocker blocker(checkCorvan_);
        checkCorvan_->setChecked(tunnel);
    }
    cmdSetTM_->setVisible(!tunnel);
}

} // namespace vexa

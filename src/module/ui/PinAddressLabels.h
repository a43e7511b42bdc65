#pragma once

#include "core/Session.h"
#include "core/ui/SessionView.h"

#include <QWidget>

class QLabel;

namespace vexa {

// The address labels of the pin page for the current pin: serial address, module.pin
// address, first basic and first extended DCC output.
class PinAddressLabels : public QWidget, public SessionView {
    Q_OBJECT
public:
    PinAddressLabels(Session& session, QWidget* parent = nullptr);

    void refreshFromSession() override;

private:
    Session& session_;
    QLabel* serial_ = nullptr;
    QLabel* pin_ = nullptr;
    QLabel* dcc_ = nullptr;
    QLabel* xdcc_ = nullptr;
};

} // namespace vexa

#pragma once

#include "core/Session.h"
#include "core/ui/SessionView.h"

#include <QWidget>

class QCheckBox;
class QPushButton;

namespace vexa {

class OperationRunner;

// "Use Corvan Tunneling" and "Activate Transparent Mode", beside the port list.
class CorvanControls : public QWidget, public SessionView {
    Q_OBJECT
public:
    CorvanControls(Session& session, OperationRunner& runner, QWidget* parent = nullptr);

    void refreshFromSession() override;

private:
    void switchTunnelling(bool checked);
    void activateTransparentMode();

    Session& session_;
    OperationRunner& runner_;
    QCheckBox* checkCorvan_;
    QPushButton* cmdSetTM_;
};

} // namespace vexa

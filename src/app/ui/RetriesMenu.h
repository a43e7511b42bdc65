#pragma once

#include "core/Session.h"

#include <QMenu>

namespace vexa {

// The "Retries" menu of the View menu: how many times a read whose answer is lost or malformed
// is sent again ("Retries: 0" .. "Retries: 5"), one of them ticked.
class RetriesMenu : public QMenu {
    Q_OBJECT
public:
    RetriesMenu(Session& session, QWidget* parent);

signals:
    // The user chose another number.
    void retriesChosen();

private:
    void tickCurrent();

    Session& session_;
};

} // namespace vexa

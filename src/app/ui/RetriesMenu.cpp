#include "app/ui/RetriesMenu.h"

#include <QAction>
#include <QActionGroup>

namespace vexa {

RetriesMenu::RetriesMenu(Session& session, QWidget* parent)
    : QMenu(QStringLiteral("&Retries"), parent), session_(session) {
    setObjectName(QStringLiteral("MenuRetries"));
    setToolTipsVisible(true);
    auto* group = new QActionGroup(this);
    for (int retries = 0; retries <= MaxRetries; ++retries) {
        QAction* action = addAction(QStringLiteral("Retries: %1").arg(retries));
        action->setObjectName(QStringLiteral("ActionRetries(%1)").arg(retries));
        action->setCheckable(true);
        action->setToolTip(retries == 0 ? QStringLiteral("Each request is sent once")
                                        : QStringLiteral("A read whose answer is lost or malformed is sent again up "
                                                         "to %1 times; writes are never sent again")
                                              .arg(retries));
        group->addAction(action);
        connect(action, &QAction::triggered, this, [this, retries] {
            session_.link.retryLimit = retries;
            emit retriesChosen();
        });
    }
    connect(this, &QMenu::aboutToShow, this, &RetriesMenu::tickCurrent);
    tickCurrent();
}

void RetriesMenu::tickCurrent() {
    if (auto* current = findChild<QAction*>(QStringLiteral("ActionRetries(%1)").arg(session_.link.retryLimit)))
        current->setChecked(true);
}

} // namespace vexa

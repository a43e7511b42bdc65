#pragma once

#include "core/Session.h"
#include "core/ui/SessionView.h"

#include <QObject>

#include <cstdint>
#include <vector>

class QLabel;
class QStatusBar;
class QTimer;

namespace vexa {

// Keeps the marks of where the configuration stands against the controller up to date in every
// view, and the status line that counts them ("3 pins, 1 setting block changed since the last
// read"): after every operation, load and edit. It looks a few times a second whether anything
// the marks depend on changed (the configuration, what the controller is known to hold, the pin
// shown), so that every field's edit is followed without each field having to report it.
class HeldMarksWatch : public QObject {
    Q_OBJECT
public:
    // `views` is the window's list of views (it may grow later); their marks are redrawn.
    HeldMarksWatch(Session& session, QStatusBar* statusBar, const std::vector<SessionView*>& views, QObject* parent);

    // Redraws the marks when something they depend on changed; `force` redraws them anyway.
    void refresh(bool force = false);

private:
    // Hides the count while an operation shows its progress, and leaves room for a message.
    void makeRoom();

    Session& session_;
    const std::vector<SessionView*>& views_;
    QStatusBar* statusBar_;
    QLabel* label_;
    QTimer* timer_;
    bool drawn_ = false;
    ConfigurationImage image_;
    std::uint64_t revision_ = 0;
    int numberingBase_ = 0;
    int eventPin_ = 0;
};

} // namespace vexa

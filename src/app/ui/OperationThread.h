#pragma once

#include "core/OperationRunner.h"

#include <QObject>
#include <QThread>

namespace vexa {

// The one thread on which the window's operations run. While an operation runs there, that
// thread holds the session's link and port and the image; the window's thread goes on handling
// its events and waits for the result in its event loop, without polling.
class OperationThread : public QObject {
public:
    explicit OperationThread(QObject* parent = nullptr);
    ~OperationThread() override;

    // Runs the operation on the thread and returns its result once it ended; an exception it
    // throws is thrown again here. The port is handed to the thread for the run and back after.
    bool run(Session& session, const Operation& operation);

private:
    QThread thread_;
    QObject* worker_; // lives on thread_
};

} // namespace vexa

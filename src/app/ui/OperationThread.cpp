#include "app/ui/OperationThread.h"

#include <QEventLoop>
#include <QMetaObject>

#include <exception>

namespace vexa {

namespace {

// A port tied to a thread lets go of the calling one; the next thread that uses it takes it.
void ReleasePort(Session& session) {
    if (session.port.port)
        session.port.port->releaseThread();
}

} // namespace

OperationThread::OperationThread(QObject* parent) : QObject(parent), worker_(new QObject) {
    thread_.setObjectName(QStringLiteral("operation"));
    worker_->moveToThread(&thread_);
    connect(&thread_, &QThread::finished, worker_, &QObject::deleteLater);
    thread_.start();
}

OperationThread::~OperationThread() {
    thread_.quit();
    thread_.wait();
}

bool OperationThread::run(Session& session, const Operation& operation) {
    bool passed = false;
    std::exception_ptr thrown;
    QEventLoop waiting;
    ReleasePort(session);
    QMetaObject::invokeMethod(
        worker_,
        [&] {
            try {
                passed = operation(session);
            } catch (...) {
                thrown = std::current_exception();
            }
            ReleasePort(session); // the port the operation leaves, also one it opened
            QMetaObject::invokeMethod(&waiting, &QEventLoop::quit, Qt::QueuedConnection);
        },
        Qt::QueuedConnection);
    waiting.exec();
    if (thrown)
        std::rethrow_exception(thrown);
    return passed;
}

} // namespace vexa

#pragma once

#include "core/Session.h"
#include "core/ui/SessionView.h"

#include <QWidget>

#include <string>

class QPlainTextEdit;
class QTimer;

namespace vexa {

// The link trace window "Communication": every byte sent and received, with "Clear". It is not
// modal; while it is shown it follows the trace as it grows.
class TraceWindow : public QWidget, public SessionView {
    Q_OBJECT
public:
    TraceWindow(Session& session, QWidget* parent);

    void refreshFromSession() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    Session& session_;
    QPlainTextEdit* text_;
    QTimer* follow_;
    std::string shown_;
};

} // namespace vexa

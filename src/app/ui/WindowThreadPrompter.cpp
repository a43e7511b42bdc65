#include "app/ui/WindowThreadPrompter.h"

#include <QMetaObject>
#include <QObject>
#include <QThread>

namespace vexa {

bool WindowThreadPrompter::ask(MessageKind kind, const std::string& text) {
    if (window_.thread() == QThread::currentThread())
        return shown_.ask(kind, text);
    bool answer = false;
    QMetaObject::invokeMethod(
        &window_, [this, kind, &text, &answer] { answer = shown_.ask(kind, text); }, Qt::BlockingQueuedConnection);
    return answer;
}

} // namespace vexa

#include "core/ui/FollowingText.h"

#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextCursor>

namespace vexa {

namespace {

QString DisplayText(const char* data, std::size_t size) {
    QString text = QString::fromUtf8(data, static_cast<qsizetype>(size));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

} // namespace

void ShowFollowingText(QPlainTextEdit* box, const std::string& text, std::string& shown) {
    if (text == shown)
        return;
    const bool grew = text.size() > shown.size() && text.compare(0, shown.size(), shown) == 0 &&
                      (shown.empty() || shown.back() == '\n');
    if (grew) {
        QTextCursor end(box->document());
        end.movePosition(QTextCursor::End);
        QString added = DisplayText(text.data() + shown.size(), text.size() - shown.size());
        end.insertText(added);
    } else {
        box->setPlainText(DisplayText(text.data(), text.size()));
    }
    shown = text;
    box->verticalScrollBar()->setValue(box->verticalScrollBar()->maximum());
}

} // namespace vexa

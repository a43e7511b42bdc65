#include "app/ui/QtPrompter.h"

#include <QApplication>
#include <QMessageBox>

namespace vexa {

namespace {

QMessageBox::Icon IconOf(MessageKind kind) {
    switch (kind) {
    case MessageKind::OkWarning:
    case MessageKind::OkCancelWarning:
        return QMessageBox::Warning;
    case MessageKind::OkInformation:
        return QMessageBox::Information;
    case MessageKind::OkError:
        return QMessageBox::Critical;
    case MessageKind::Ok:
    case MessageKind::YesNo:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons ButtonsOf(MessageKind kind) {
    switch (kind) {
    case MessageKind::OkCancelWarning:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case MessageKind::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    default:
        return QMessageBox::Ok;
    }
}

} // namespace

bool QtPrompter::ask(MessageKind kind, const std::string& text) {
    QWidget* parent = QApplication::activeModalWidget();
    if (!parent)
        parent = QApplication::activeWindow();
    // Texts join their lines with CR LF; the box wants plain line feeds.
    QString shown = QString::fromStdString(text); // messages are UTF-8
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QMessageBox box(IconOf(kind), QStringLiteral("Vexa Config"), shown, ButtonsOf(kind), parent);
    box.setTextFormat(Qt::PlainText);
    const int answer = box.exec();
    return answer == QMessageBox::Ok || answer == QMessageBox::Yes;
}

} // namespace vexa

#include "app/ui/VerificationWindow.h"
#include "core/ui/AccessibleNames.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace vexa {

VerificationWindow::VerificationWindow(QWidget* parent) : QDialog(parent), text_(new QPlainTextEdit(this)) {
    setObjectName(QStringLiteral("frmVexaVerification"));
    setWindowTitle(QStringLiteral("VexaConfig - Verification Report"));
    text_->setObjectName(QStringLiteral("txtVerification"));
    text_->setAccessibleName(QStringLiteral("Verification report"));
    text_->setReadOnly(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_);
    resize(600, 420);
    NameForScreenReaders(this);
}

void VerificationWindow::showReport(const std::string& report) {
    QString shown = QString::fromUtf8(report.data(), static_cast<qsizetype>(report.size()));
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text_->setPlainText(shown);
    // A window of its own beside the others: the main and Layout windows stay usable.
    setModal(false);
    show();
    raise();
    activateWindow();
}

QString VerificationWindow::reportText() const {
    return text_->toPlainText();
}

} // namespace vexa

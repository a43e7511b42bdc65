#pragma once

#include <QDialog>

#include <string>

class QPlainTextEdit;

namespace vexa {

// The verification report window "VexaConfig - Verification Report", shown at the end of each
// verify command as a window of its own (not modal: the other windows stay usable).
class VerificationWindow : public QDialog {
    Q_OBJECT
public:
    explicit VerificationWindow(QWidget* parent);

    // Shows the report text and raises the window; returns at once, the window stays until
    // closed.
    void showReport(const std::string& report);
    QString reportText() const;

private:
    QPlainTextEdit* text_;
};

} // namespace vexa

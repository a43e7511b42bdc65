#pragma once

#include "core/Session.h"
#include "core/ui/SessionView.h"

#include <QWidget>

class QGridLayout;
class QLabel;
class QLineEdit;

namespace vexa {

class OperationRunner;

// The "General" tab: the "ID String" frame and the firmware version, with their buttons, which
// act at once. Further frames of module settings join it through addSection.
class GeneralPage : public QWidget, public SessionView {
    Q_OBJECT
public:
    GeneralPage(Session& session, OperationRunner& runner, QWidget* parent = nullptr);

    // Places a frame of settings on the page, in reading order (two columns).
    void addSection(QWidget* section);

    void refreshFromSession() override;
    void commitEdits() override;

private:
    QWidget* makeIdFrame();
    QWidget* makeVersionRow();
    void runOperation(const char* title, bool (*operation)(Session&));
    void fitIdLength(const QString& text);

    Session& session_;
    OperationRunner& runner_;
    QGridLayout* sections_;
    int sectionCount_ = 0;
    QLineEdit* idString_ = nullptr;
    QLabel* version_ = nullptr;
};

} // namespace vexa

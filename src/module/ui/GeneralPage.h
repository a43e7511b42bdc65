#pragma once

#include "core/Session.h"
#include "core/ui/SessionView.h"
#include "module/SettingComparison.h"

#include <QWidget>

#include <optional>
#include <vector>

class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;

namespace vexa {

class OperationRunner;
class SettingsFrame;

// The "General" tab: the "ID String" frame and the firmware version, the frames of the module
// settings ("DCC", "Serial Addressing Options", "LED Control", "Hardware Config", "Serial
// Port", "Erase Flash"), with their buttons, which act at once. Further frames join it
// through addSection.
class GeneralPage : public QWidget, public SessionView {
    Q_OBJECT
public:
    GeneralPage(Session& session, OperationRunner& runner, QWidget* parent = nullptr);

    // Places a frame of settings on the page, in reading order (two columns).
    void addSection(QWidget* section);

    void refreshFromSession() override;
    void commitEdits() override;
    void showHeldMarks() override;

signals:
    // A setting that the pin page shows (its address labels, its hardware warnings) changed.
    void pinPageAffected();

private:
    void addSettingsFrame(SettingsFrame* frame, std::optional<SettingBlock> block = std::nullopt);

    QWidget* makeIdFrame();
    QWidget* makeVersionRow();
    void runOperation(const char* title, bool (*operation)(Session&));
    void fitIdLength(const QString& text);
    void markIdString();

    Session& session_;
    OperationRunner& runner_;
    QGridLayout* sections_;
    int sectionCount_ = 0;
    QGroupBox* idFrame_ = nullptr;
    QLineEdit* idString_ = nullptr;
    QLabel* version_ = nullptr;
    std::vector<SettingsFrame*> frames_;
};

} // namespace vexa

#pragma once

#include "core/Session.h"
#include "core/ui/SessionView.h"
#include "module/SettingComparison.h"

#include <QGroupBox>

#include <functional>
#include <optional>

class QHBoxLayout;
class QPushButton;

namespace vexa {

class CommitLineEdit;
class OperationRunner;
class UpDownControl;

// A number field with its arrows, as the frames of the General tab use them.
struct NumberEntry {
    CommitLineEdit* field = nullptr;
    UpDownControl* arrows = nullptr;
    QHBoxLayout* pair = nullptr; // the two side by side
};
NumberEntry MakeNumberEntry(const char* fieldName, const char* arrowsName, QWidget* parent);
// Shows a number in the field and gives the arrows their range and value.
void ShowNumber(NumberEntry& entry, int shown, int arrowValue, int lowest, int highest);

// A frame of module settings on the General tab: a captioned box that shows Session values
// and whose read and write buttons run at once through the runner.
class SettingsFrame : public QGroupBox, public SessionView {
    Q_OBJECT
public:
    SettingsFrame(const char* caption, const char* name, Session& session, OperationRunner& runner, QWidget* parent);

    // The block of settings the frame writes: its caption then carries the block's mark.
    void setHeldBlock(SettingBlock block) { block_ = block; }
    void showHeldMarks() override;

signals:
    // A setting that the pin page shows (drivers, addresses) changed by a click or an entry.
    void pinPageAffected();

protected:
    // A button that runs the operation at once.
    QPushButton* operationButton(const char* caption, const char* name, bool (*operation)(Session&));
    // A row of the frame's read and write buttons.
    QHBoxLayout* buttonRow(QPushButton* read, QPushButton* write);
    // Applies an entry or a click to the Session, then shows the frame again.
    void change(const std::function<void()>& apply, bool affectsPinPage);

    Session& session_;
    OperationRunner& runner_;

private:
    QString caption_;
    std::optional<SettingBlock> block_;
};

} // namespace vexa

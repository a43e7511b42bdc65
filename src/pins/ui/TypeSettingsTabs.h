#pragma once

#include "core/Session.h"
#include "pins/PinComparison.h"
#include "pins/PinConfigTypes.h"
#include "pins/TypeSettingsFields.h"

#include <QTabWidget>

#include <deque>
#include <string>

class QCheckBox;
class QLabel;

namespace vexa {

class ChoiceGroup;
class CommitLineEdit;
class EditGuard;
class UpDownControl;

// The four type pages of the current pin ("Clear", "Servo", "PWM", "Input") with their
// settings fields. Choosing a page of another family installs that family's defaults.
class TypeSettingsTabs : public QTabWidget {
    Q_OBJECT
public:
    TypeSettingsTabs(Session& session, EditGuard& guard, QWidget* parent = nullptr);

    // Selects the page of the pin's type and fills its fields. An unknown type keeps the page
    // as it is and, when report is set, says "Unknown configuration: " and the type.
    void showPinType(bool report);
    // Applies the field rules to the fields of the page shown (when it is the pin's family).
    void commitFields();
    // Marks each field by where it stands against the controller.
    void showHeldMarks(const PinFieldStates& states);

    // Adds a widget at the foot of a type page (for the live controls of that type).
    void addPageWidget(TypeFamily family, QWidget* widget);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    struct NumberField {
        const ParamFieldSpec* spec = nullptr;
        TypeFamily family = TypeFamily::Clear;
        CommitLineEdit* edit = nullptr;
        UpDownControl* upDown = nullptr;
    };

    QWidget* buildClearPage();
    QWidget* buildServoPage();
    QWidget* buildPwmPage();
    QWidget* buildInputPage();
    NumberField& addField(const ParamFieldSpec& spec, TypeFamily family, QWidget* page);
    QLabel* addWarning(const QString& name, QWidget* page);

    PinRecord& pin();
    bool pinIsOf(TypeFamily family);
    void commitField(NumberField& field);
    void showField(NumberField& field);
    void takeLiveValue(NumberField& field);
    void storeServoFlags();
    void storePwmModes();
    void userChosePage(int index);
    void fillServo();
    void fillPwm();
    void fillInput();
    std::string unshownParamProblem(TypeFamily family);

    Session& session_;
    EditGuard& guard_;
    std::deque<NumberField> fields_; // a deque: the signal connections hold references to its items
    ChoiceGroup* servoRange_ = nullptr;
    ChoiceGroup* pwmDrive_ = nullptr;
    ChoiceGroup* pwmAccel_ = nullptr;
    QCheckBox* autoSuspend_ = nullptr;
    QCheckBox* suspended_ = nullptr;
    QCheckBox* initialised_ = nullptr;
    QCheckBox* pwmInverted_ = nullptr;
    QCheckBox* lowActive_ = nullptr;
    QLabel* servoWarning_ = nullptr;
    QLabel* inputWarning_ = nullptr;
};

} // namespace vexa

#pragma once

#include "core/Session.h"
#include "core/ui/SessionView.h"
#include "pins/PinConfigTypes.h"
#include "pins/PinWireCheck.h"

#include <QList>
#include <QWidget>

#include <array>
#include <memory>

class QCheckBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace vexa {

class ClickableLabel;
class CommitLineEdit;
class EditGuard;
class OperationRunner;
class PinPageDialogs;
class PinStateStrip;
class StepRowsFrame;
class TypeSettingsTabs;
class UpDownControl;

// The "Vexa Device Configuration" page: one pin at a time with its descriptions, device, aspect
// layout, aspect programs, address counts and type settings, and the buttons that read and
// write pins.
class PinPage : public QWidget, public SessionView {
    Q_OBJECT
public:
    // The helper dialogs are the window's; the page only opens them.
    PinPage(Session& session, OperationRunner& runner, PinPageDialogs& dialogs, QWidget* parent = nullptr);
    ~PinPage() override;

    // Shows the current pin, its type and the detail view from the Session.
    void refreshFromSession() override;
    // Applies the rules of every edit field the user typed into, as if the user had left it.
    void commitEdits() override;
    // Marks the pins of the strip and the fields of the current pin by where they stand against
    // the controller.
    void showHeldMarks() override;
    // Shows or hides the detail controls by "Show Details" and expert mode (after either changes).
    void applyDetailView();
    // "Verify All Pins", "Read Pin" and "Write Pin": shown only in expert mode, by the window.
    QList<QWidget*> expertWidgets() const;

    // Places other subsystems' controls on the page: beside the aspect fields (shown with them,
    // such as the aspect test button), at the foot of a type page (its live controls), or on
    // the pin row (device library, address labels).
    void addAspectWidget(QWidget* widget);
    void addTypePageWidget(TypeFamily family, QWidget* widget);
    void addPinRowWidget(QWidget* widget);

signals:
    // Another pin is shown: its address labels need updating.
    void currentPinShown(int pin);
    // An address count of the current pin changed: the address tables need recomputing.
    void addressCountChanged(int pin);

private:
    struct CountField {
        CommitLineEdit* edit = nullptr;
        UpDownControl* upDown = nullptr;
        int maximum = 0;
        std::uint8_t PinRecord::*count = nullptr;
        AddressCount kind = AddressCount::Dcc;
    };

    QWidget* buildPinRow();
    QWidget* buildAspectRow();
    QWidget* buildCountRow();
    QWidget* buildConfigButtons();
    QWidget* buildTransferButtons();
    CommitLineEdit* numberField(const char* name, QWidget* parent);
    UpDownControl* upDown(const char* name, int lowest, int highest, QWidget* parent);

    PinRecord& record();
    int layoutOption() const;
    int lastAspect() const;
    void showPin();
    void showLayoutOption();
    void showDeviceFields();
    void showAspectFields();
    void showCounts();
    void selectPin(int pin);
    void commitPinField();
    void commitAspectField();
    void commitInitField();
    void commitCount(CountField& field);
    void chooseLayout(int option);
    void commitDevicePin();
    void readPinConfig(int setting);
    void writePinConfig(int setting);
    void queueWord(const char* word);
    void writeSingleAspect();
    void afterDialog(bool pinDialog);

    Session& session_;
    OperationRunner& runner_;
    std::unique_ptr<EditGuard> guard_;
    PinPageDialogs& dialogs_;
    bool committing_ = false;
    int reportedUnknownPin_ = -1; // pin whose unknown type a refresh has already reported

    PinStateStrip* pinStates_ = nullptr;
    ClickableLabel* pinLabel_ = nullptr;
    CommitLineEdit* pinField_ = nullptr;
    UpDownControl* pinUpDown_ = nullptr;
    QLineEdit* pinDescription_ = nullptr;
    CommitLineEdit* devicePin_ = nullptr;
    QLineEdit* deviceName_ = nullptr;
    QHBoxLayout* pinRow_ = nullptr;
    QHBoxLayout* extraRow_ = nullptr; // below the pin row: controls placed by other subsystems

    QLabel* aspectsLabel_ = nullptr;
    std::array<QRadioButton*, 3> layoutOptions_{};
    QCheckBox* showDetails_ = nullptr;
    ClickableLabel* aspectLabel_ = nullptr;
    CommitLineEdit* aspectField_ = nullptr;
    UpDownControl* aspectUpDown_ = nullptr;
    QLabel* initLabel_ = nullptr;
    CommitLineEdit* initField_ = nullptr;
    UpDownControl* initUpDown_ = nullptr;
    QLineEdit* aspectDescription_ = nullptr;
    QPushButton* writeAspect_ = nullptr;
    QHBoxLayout* aspectRow_ = nullptr;
    QList<QWidget*> aspectWidgets_;

    QLabel* countLabel_ = nullptr;
    QLabel* countHeading_ = nullptr;
    std::array<CountField, 3> counts_{}; // serial, basic DCC, extended DCC

    StepRowsFrame* steps_ = nullptr;
    TypeSettingsTabs* types_ = nullptr;
    std::array<QPushButton*, 2> getParam_{};
    std::array<QPushButton*, 2> setParam_{};
    QPushButton* readAspects_ = nullptr;
    QPushButton* writeAspects_ = nullptr;
    QList<QWidget*> expertWidgets_;
};

} // namespace vexa

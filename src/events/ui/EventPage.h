#pragma once

#include "core/Session.h"
#include "core/ui/EditGuard.h"
#include "core/ui/SessionView.h"

#include <QPalette>
#include <QWidget>

#include <array>

class QCheckBox;
class QPushButton;

namespace vexa {

class CommitLineEdit;
class OperationRunner;
class PinStateStrip;
class UpDownControl;

// The "Vexa Event Control" page: the On and Off actions of one pin for the four event inputs,
// their transfer to and from the controller, and the initial enable map.
class EventPage : public QWidget, public SessionView {
    Q_OBJECT
public:
    EventPage(Session& session, OperationRunner& runner, QWidget* parent = nullptr);

    // The start of the page: "Copy to All" of the fields as they are, then every action field
    // shows "-1" until the event table is first shown.
    void startPage();

    void refreshFromSession() override;
    // Stores every action field the user has edited.
    void commitEdits() override;
    // Marks the event pins, the action fields and the enable map by where they stand against
    // the controller.
    void showHeldMarks() override;

    // "Verify Event Control": shown only in expert mode, by the window.
    QWidget* verifyButton() const;

private:
    struct ActionField {
        CommitLineEdit* edit = nullptr;
        UpDownControl* upDown = nullptr;
        bool on = true;
        int input = 0;
    };

    QWidget* buildPinRow();
    QWidget* buildActionGrid();
    QWidget* buildButtons();
    QWidget* buildEnableMap();

    std::int16_t& actionOf(const ActionField& field);
    void showPin();
    void showActions();
    void showAction(ActionField& field, int value);
    void colour(ActionField& field, int value);
    void selectPin(int pin);
    void commitPinField();
    void commitAction(ActionField& field);
    void copyToAll();
    void showEnableMap();
    void enableClicked(int index, bool checked);

    Session& session_;
    OperationRunner& runner_;
    EditGuard guard_; // the page writes its own fields: their signals change nothing
    std::array<EventRecord, PinCount> startTable_{};
    QPalette normalPalette_;

    PinStateStrip* pinStates_ = nullptr;
    CommitLineEdit* pinField_ = nullptr;
    UpDownControl* pinUpDown_ = nullptr;
    std::array<ActionField, 2 * EventInputCount> actions_{}; // On of inputs 0..3, then Off
    std::array<QCheckBox*, 2 * EventInputCount> enableBoxes_{};
    QPushButton* verify_ = nullptr;
};

} // namespace vexa

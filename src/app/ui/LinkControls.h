#pragma once

#include "core/Session.h"
#include "core/ui/SessionView.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QRadioButton;

namespace vexa {

class CommitLineEdit;
struct RememberedLink;
class GestureLabel;
class UpDownControl;

// The link controls above the tabs: the port list with "Refresh" and the bit-rate group,
// "Bidirectional Comm.", the module and eXtended address fields and "Start numbering at 1".
// None of the link settings changes while an operation runs.
class LinkControls : public QWidget, public SessionView {
    Q_OBJECT
public:
    LinkControls(Session& session, QWidget* parent);

    // Runs the port scan and shows its list (the port stays closed).
    void scanPorts();
    // One look at the system's ports (the port-watch timer runs it every two seconds): the
    // list follows adapters plugged in or pulled out, keeping the selection, and a lost port
    // that comes back is opened again. Nothing happens while an operation runs.
    void watchPorts();
    // The "Bitrate" group, hidden at start (a double-click on "Port:" shows or hides it).
    void showBitRates(bool shown);
    bool bitRatesShown() const;
    // Takes the link choices kept from the last run (after the port scan at start).
    void restore(const RememberedLink& link);
    // Adds a control to the port row, after the ones there.
    void addLinkControl(QWidget* control);

    void refreshFromSession() override;
    // Applies the address fields as typed, as when they lose the focus.
    void commitEdits() override;

signals:
    // The link setup, the addresses or the numbering base changed: numbers shown elsewhere
    // may depend on them.
    void sessionChanged();
    // A line for the window's status area.
    void statusMessage(const QString& text);

private:
    QWidget* makePortRow();
    QWidget* makeAddressRow();
    // While an operation runs the port, bit rate and addresses stay as they are: says so in the
    // status line and shows them again.
    bool refusedWhileRunning();
    // A line about the chosen port for the status area; empty clears it.
    void showPortStatus(const QString& text);
    // Another port was chosen (or none): shows it and says so.
    void portChosen();
    void choosePort(int index);
    void chooseTypedPort();
    // One of the two address fields with its arrows, and the link's own rules for it: the text
    // shown for the held address, how a typed text and a stepped value are taken, and where the
    // link holds the address.
    struct AddressField {
        CommitLineEdit* field;
        std::string (*shown)(const Session&);
        int (*enter)(Session&, const std::string&);
        int (*set)(Session&, int);
        int LinkState::*held;
    };
    // The address typed in its field (Enter, or the focus leaving it).
    void enterAddress(const AddressField& address);
    // The address stepped with its arrows to `shown` (with the numbering base).
    void stepAddress(const AddressField& address, int shown);
    void useXAddressClicked(bool checked);
    void showAddresses();
    void showPortList();

    Session& session_;
    GestureLabel* labelPort_ = nullptr;
    QComboBox* comboPort_ = nullptr;
    QGroupBox* frameBitrate_ = nullptr;
    QRadioButton* optionBitRate_[3] = {};
    QCheckBox* checkVexaBD_ = nullptr;
    QHBoxLayout* portRow_ = nullptr;
    bool watching_ = false;
    bool portStatusShown_ = false; // the status line speaks of the chosen port
    QLabel* labelAddress_ = nullptr;
    CommitLineEdit* textAddress_ = nullptr;
    UpDownControl* upDownAddress_ = nullptr;
    QCheckBox* checkXaddress_ = nullptr;
    QLabel* labelXaddress_ = nullptr;
    CommitLineEdit* txtXaddr_ = nullptr;
    UpDownControl* upDownXaddr_ = nullptr;
    QCheckBox* checkKLnumber_ = nullptr;
};

} // namespace vexa

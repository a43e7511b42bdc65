#include "app/ui/LinkControls.h"

#include "app/ui/GestureLabel.h"
#include "core/OperationGuard.h"
#include "core/ui/CommitLineEdit.h"
#include "core/ui/Mnemonics.h"
#include "core/ui/UpDownControl.h"
#include "link/LinkAddress.h"
#include "link/PortList.h"
#include "link/PortSetup.h"
#include "link/PortWatch.h"
#include "link/RememberedLink.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace vexa {

namespace {

const char* const BitRateCaptions[] = {"  9k6", "19k2", "38k4"};
constexpr int PortWatchIntervalMs = 2000;
const char* const XAddressWarning = "eXtended Addressing is intended for\r\nexperienced users only!";

CommitLineEdit* MakeNumberField(const char* name, QWidget* parent) {
    auto* field = new CommitLineEdit(QString::fromLatin1(name), parent);
    field->setMaxLength(8);
    field->setFixedWidth(field->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 12);
    return field;
}

template <typename Widget> Widget* Named(Widget* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

} // namespace

LinkControls::LinkControls(Session& session, QWidget* parent) : QWidget(parent), session_(session) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(makePortRow());
    layout->addWidget(makeAddressRow());
    refreshFromSession();

    auto* portWatch = new QTimer(this);
    portWatch->setObjectName(QStringLiteral("TimerPortWatch"));
    portWatch->setInterval(PortWatchIntervalMs);
    connect(portWatch, &QTimer::timeout, this, &LinkControls::watchPorts);
    portWatch->start();
}

QWidget* LinkControls::makePortRow() {
    auto* row = new QWidget(this);
    portRow_ = new QHBoxLayout(row);
    portRow_->setContentsMargins(0, 0, 0, 0);

    labelPort_ = Named(new GestureLabel(QStringLiteral("Port:"), row), "LabelPort");
    labelPort_->setToolTip(QStringLiteral("Double-click to show or hide the bit rates"));
    comboPort_ = Named(new QComboBox(row), "ComboPort");
    comboPort_->setMinimumContentsLength(24);
    // A device the system does not list (a pseudo-terminal, /dev/rfcomm0) is typed by its path.
    comboPort_->setEditable(true);
    comboPort_->setInsertPolicy(QComboBox::NoInsert);
    comboPort_->lineEdit()->setPlaceholderText(QStringLiteral("choose or type a port"));
    comboPort_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    labelPort_->setBuddy(comboPort_); // its Alt+letter leads into the list
    auto* refresh = Named(new QPushButton(QStringLiteral("Refresh"), row), "cmdRefreshComm");

    frameBitrate_ = Named(new QGroupBox(QStringLiteral("Bitrate"), row), "FrameBitrate");
    auto* rates = new QHBoxLayout(frameBitrate_);
    rates->setContentsMargins(6, 0, 6, 0);
    for (int i = 0; i < 3; ++i) {
        optionBitRate_[i] = new QRadioButton(QString::fromLatin1(BitRateCaptions[i]), frameBitrate_);
        optionBitRate_[i]->setObjectName(QStringLiteral("OptionBitRate(%1)").arg(i));
        rates->addWidget(optionBitRate_[i]);
        connect(optionBitRate_[i], &QRadioButton::clicked, this, [this, i] {
            if (refusedWhileRunning())
                return;
            ChooseBitRate(session_, i);
            refreshFromSession();
            emit sessionChanged();
        });
    }
    frameBitrate_->hide();

    checkVexaBD_ = Named(new QCheckBox(QStringLiteral("Bidirectional Comm."), row), "CheckVexaBD");

    portRow_->addWidget(labelPort_);
    portRow_->addWidget(comboPort_);
    portRow_->addWidget(refresh);
    portRow_->addWidget(frameBitrate_);
    portRow_->addSpacing(12);
    portRow_->addWidget(checkVexaBD_);
    portRow_->addStretch(1);

    connect(labelPort_, &GestureLabel::doubleClicked, this,
            [this] { frameBitrate_->setVisible(frameBitrate_->isHidden()); });
    connect(comboPort_, &QComboBox::activated, this, &LinkControls::choosePort);
    connect(comboPort_->lineEdit(), &QLineEdit::returnPressed, this, &LinkControls::chooseTypedPort);
    connect(refresh, &QPushButton::clicked, this, [this] {
        if (refusedWhileRunning())
            return;
        RefreshPorts(session_);
        portChosen();
    });
    connect(checkVexaBD_, &QCheckBox::clicked, this, [this](bool checked) {
        if (!refusedWhileRunning())
            session_.link.chooseBidirectional(checked);
    });
    return row;
}

QWidget* LinkControls::makeAddressRow() {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);

    labelAddress_ = Named(new QLabel(QStringLiteral("Module Address"), row), "LabelAddress");
    textAddress_ = MakeNumberField("TextAddress", row);
    upDownAddress_ = Named(new UpDownControl(row), "UpDownAddress");
    checkXaddress_ = Named(new QCheckBox(QStringLiteral("Use eXtended Addr"), row), "CheckXaddress");
    labelXaddress_ = Named(new QLabel(QStringLiteral("eXtended address"), row), "LabelXaddress");
    txtXaddr_ = MakeNumberField("txtXaddr", row);
    upDownXaddr_ = Named(new UpDownControl(row), "UpDownXaddr");
    upDownAddress_->setField(textAddress_);
    upDownXaddr_->setField(txtXaddr_);
    labelAddress_->setBuddy(textAddress_);
    labelXaddress_->setBuddy(txtXaddr_);
    checkKLnumber_ = Named(new QCheckBox(QStringLiteral("Start numbering at 1"), row), "CheckKLnumber");

    layout->addWidget(labelAddress_);
    layout->addWidget(textAddress_);
    layout->addWidget(upDownAddress_);
    layout->addSpacing(12);
    layout->addWidget(checkXaddress_);
    layout->addWidget(labelXaddress_);
    layout->addWidget(txtXaddr_);
    layout->addWidget(upDownXaddr_);
    layout->addSpacing(12);
    layout->addWidget(checkKLnumber_);
    layout->addStretch(1);

    // Typing the same address again is an entry as well: it resynchronises the link.
    textAddress_->setRetypingCommits(true);
    const AddressField module{textAddress_, ShownModuleAddress, EnterModuleAddress, SetModuleAddress,
                              &LinkState::moduleAddress};
    const AddressField extended{txtXaddr_, ShownXAddress, EnterXAddress, SetXAddress, &LinkState::xAddress};
    for (const auto& [address, arrows] : {std::pair{module, upDownAddress_}, std::pair{extended, upDownXaddr_}}) {
        connect(address.field, &CommitLineEdit::commitRequested, this, [this, address] { enterAddress(address); });
        connect(arrows, &UpDownControl::valueStepped, this,
                [this, address](int shown) { stepAddress(address, shown); });
    }
    connect(checkXaddress_, &QCheckBox::clicked, this, &LinkControls::useXAddressClicked);
    connect(checkKLnumber_, &QCheckBox::clicked, this, [this](bool checked) {
        SetNumberingBase(session_, checked);
        showAddresses();
        emit sessionChanged();
    });
    return row;
}

void LinkControls::scanPorts() {
    ScanPorts(session_);
    showPortList();
}

void LinkControls::showBitRates(bool shown) {
    frameBitrate_->setVisible(shown);
}

bool LinkControls::bitRatesShown() const {
    return !frameBitrate_->isHidden();
}

void LinkControls::restore(const RememberedLink& link) {
    const std::string status = RestoreLink(session_, link);
    refreshFromSession();
    emit sessionChanged();
    if (!status.empty())
        showPortStatus(QString::fromStdString(status));
}

void LinkControls::addLinkControl(QWidget* control) {
    // Before the stretch that closes the row.
    portRow_->insertWidget(portRow_->count() - 1, control);
}

void LinkControls::watchPorts() {
    // Not while the user is in the list: rebuilding it would close the list or eat the typing.
    const bool typing = comboPort_->lineEdit()->hasFocus() && comboPort_->lineEdit()->isModified();
    if (watching_ || session_.operationRunning || comboPort_->view()->isVisible() || typing)
        return;
    watching_ = true; // a message box shown here runs the event loop
    const PortWatchReport report = WatchPorts(session_);
    if (report.listChanged || !report.status.empty()) {
        refreshFromSession();
        emit sessionChanged();
    }
    if (!report.status.empty())
        showPortStatus(QString::fromStdString(report.status));
    watching_ = false;
}

void LinkControls::showPortStatus(const QString& text) {
    portStatusShown_ = !text.isEmpty();
    emit statusMessage(text);
}

void LinkControls::portChosen() {
    // What the status line said about the port before holds no more.
    if (portStatusShown_)
        showPortStatus({});
    refreshFromSession();
    emit sessionChanged();
}

// The controls show again what holds when the operation ends and the window redraws every view;
// redrawing them now would read the link while the operation's thread changes it.
bool LinkControls::refusedWhileRunning() {
    return RefusedWhileRunning(session_);
}

void LinkControls::choosePort(int index) {
    if (index < 0 || refusedWhileRunning())
        return;
    SelectPort(session_, comboPort_->itemData(index).toString().toStdString());
    portChosen();
}

void LinkControls::chooseTypedPort() {
    // A text equal to an entry was already chosen through `activated`.
    if (comboPort_->findText(comboPort_->currentText(), Qt::MatchFixedString) >= 0 || refusedWhileRunning())
        return;
    SelectPort(session_, PortNameFromText(comboPort_->currentText().toStdString()));
    portChosen();
}

void LinkControls::enterAddress(const AddressField& address) {
    // Leaving the field unchanged is no change; a changed one waits for the operation's end.
    if (session_.operationRunning &&
        (address.field->text() == QString::fromStdString(address.shown(session_)) || refusedWhileRunning()))
        return;
    const int before = session_.link.*address.held;
    address.enter(session_, address.field->text().toStdString());
    showAddresses();
    if (session_.link.*address.held != before)
        emit sessionChanged();
}

void LinkControls::stepAddress(const AddressField& address, int shown) {
    if (refusedWhileRunning())
        return;
    address.set(session_, shown - session_.numberingBase);
    showAddresses();
    emit sessionChanged();
}

void LinkControls::useXAddressClicked(bool checked) {
    if (refusedWhileRunning())
        return;
    if (checked && !session_.prompter.ask(MessageKind::OkCancelWarning, XAddressWarning))
        checkXaddress_->setChecked(false);
    session_.link.useXAddress = checkXaddress_->isChecked();
    showAddresses();
    emit sessionChanged();
}

void LinkControls::showAddresses() {
    const ShownRange moduleRange = ModuleAddressShownRange(session_);
    upDownAddress_->setRange(moduleRange.lowest, moduleRange.highest);
    upDownAddress_->setValue(session_.link.moduleAddress + session_.numberingBase);
    textAddress_->setText(QString::fromStdString(ShownModuleAddress(session_)));

    const ShownRange xRange = XAddressShownRange(session_);
    upDownXaddr_->setRange(xRange.lowest, xRange.highest);
    upDownXaddr_->setValue(session_.link.xAddress + session_.numberingBase);
    txtXaddr_->setText(QString::fromStdString(ShownXAddress(session_)));

    const bool useX = session_.link.useXAddress;
    {
        const QSignalBlocker blocker(checkXaddress_);
        checkXaddress_->setChecked(useX);
    }
    labelAddress_->setText(WithMnemonicOf(labelAddress_->text(),
                                          useX ? QStringLiteral("Channel Number") : QStringLiteral("Module Address")));
    labelXaddress_->setVisible(useX);
    txtXaddr_->setVisible(useX);
    upDownXaddr_->setVisible(useX);
    {
        const QSignalBlocker blocker(checkKLnumber_);
        checkKLnumber_->setChecked(session_.numberingBase == 1);
    }
}

void LinkControls::showPortList() {
    std::vector<PortInfo> ports = session_.port.listed;
    const std::string& chosen = session_.port.name;
    // A typed path the system does not list stays in the list while it is chosen; a chosen port
    // that is not there (pulled out, or absent at start) says so.
    if (!chosen.empty() && std::find(session_.port.available.begin(), session_.port.available.end(), chosen) ==
                               session_.port.available.end())
        ports.push_back(PortInfo{chosen, session_.port.lost ? "not present" : "", {}, false, {}});
    bool same = comboPort_->count() == static_cast<int>(ports.size());
    for (int i = 0; same && i < comboPort_->count(); ++i)
        same = comboPort_->itemText(i).toStdString() == PortDisplayText(ports[static_cast<std::size_t>(i)]) &&
               comboPort_->itemData(i).toString().toStdString() == ports[static_cast<std::size_t>(i)].name;
    const QSignalBlocker blocker(comboPort_);
    if (!same) {
        comboPort_->clear();
        for (const PortInfo& port : ports)
            comboPort_->addItem(QString::fromStdString(PortDisplayText(port)), QString::fromStdString(port.name));
    }
    comboPort_->setCurrentIndex(chosen.empty() ? -1 : comboPort_->findData(QString::fromStdString(chosen)));
}

void LinkControls::refreshFromSession() {
    showPortList();
    const int rate = BitRateIndex(session_.port.settings);
    for (int i = 0; i < 3; ++i)
        optionBitRate_[i]->setChecked(i == rate);
    checkVexaBD_->setChecked(session_.link.bidirectional);
    showAddresses();
}

void LinkControls::commitEdits() {
    // The window refreshes every view after the operation; views not yet committed must keep
    // their edits until then.
    const QSignalBlocker blocker(this);
    textAddress_->commitEdit();
    txtXaddr_->commitEdit();
}

} // namespace vexa

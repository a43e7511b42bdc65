#include "events/ui/EventPage.h"

#include "core/NumberField.h"
#include "core/OperationRunner.h"
#include "core/ui/CommitLineEdit.h"
#include "core/ui/HeldMarks.h"
#include "core/ui/NamedButton.h"
#include "core/ui/PinStateStrip.h"
#include "core/ui/UpDownControl.h"
#include "core/ui/ValueMarks.h"
#include "events/EventComparison.h"
#include "events/EventTransfer.h"
#include "pins/PinPageRules.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vexa {

namespace {

constexpr int LastPin = PinCount - 1;
const QColor NoActionColour(0xE0, 0xE0, 0xE0);

QLabel* Caption(const char* name, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    return label;
}

// A number field with its arrows, kept together.
QWidget* Spinner(QWidget* parent, CommitLineEdit*& field, const QString& fieldName, UpDownControl*& arrows,
                 const QString& arrowsName, int lowest, int highest) {
    auto* holder = new QWidget(parent);
    holder->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    auto* pair = new QHBoxLayout(holder);
    pair->setContentsMargins(0, 0, 0, 0);
    pair->setSpacing(0);
    field = new CommitLineEdit(fieldName, holder);
    field->setFixedWidth(40);
    arrows = new UpDownControl(holder);
    arrows->setObjectName(arrowsName);
    arrows->setRange(lowest, highest);
    arrows->setField(field);
    pair->addWidget(field);
    pair->addWidget(arrows);
    return holder;
}

} // namespace

EventPage::EventPage(Session& session, OperationRunner& runner, QWidget* parent)
    : QWidget(parent), session_(session), runner_(runner) {
    setObjectName(QStringLiteral("EventPage"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(6, 6, 6, 6);
    pinStates_ = new PinStateStrip(QStringLiteral("EventPinStates"), QStringLiteral("Pins"), this);
    connect(pinStates_, &PinStateStrip::pinChosen, this, [this](int pin) {
        commitEdits();
        selectPin(pin);
    });
    column->addWidget(pinStates_);
    column->addWidget(buildPinRow());
    column->addWidget(buildActionGrid());
    column->addWidget(buildButtons());
    column->addSpacing(12);
    column->addWidget(buildEnableMap());
    column->addStretch();
    normalPalette_ = actions_[0].edit->palette();
    refreshFromSession();
}

// ---- building ---------------------------------------------------------------------------------

QWidget* EventPage::buildPinRow() {
    auto* area = new QWidget(this);
    auto* row = new QHBoxLayout(area);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(Caption("LabelEC(0)", QStringLiteral("Pin"), area));
    row->addWidget(
        Spinner(area, pinField_, QStringLiteral("TextECpin"), pinUpDown_, QStringLiteral("UpDownECpin"), 0, LastPin));
    row->addStretch();
    connect(pinField_, &CommitLineEdit::commitRequested, this, &EventPage::commitPinField);
    connect(pinUpDown_, &UpDownControl::valueStepped, this, [this](int shown) {
        commitEdits();
        selectPin(shown - session_.numberingBase);
    });
    return area;
}

QWidget* EventPage::buildActionGrid() {
    auto* area = new QWidget(this);
    auto* grid = new QGridLayout(area);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(Caption("LabelEC(1)", QLatin1String(EventOnCaption), area), 1, 0);
    grid->addWidget(Caption("LabelEC(2)", QLatin1String(EventOffCaption), area), 2, 0);
    for (int k = 0; k < EventInputCount; ++k) {
        grid->addWidget(Caption(QStringLiteral("LabelECinput(%1)").arg(k).toLatin1().constData(),
                                QString::fromStdString(EventInputCaption(k)), area),
                        0, k + 1);
        for (bool on : {true, false}) {
            ActionField& field = actions_[static_cast<std::size_t>(on ? k : EventInputCount + k)];
            field.on = on;
            field.input = k;
            const QString kind = on ? QStringLiteral("on") : QStringLiteral("off");
            grid->addWidget(Spinner(area, field.edit, QStringLiteral("TextEC%1(%2)").arg(kind).arg(k), field.upDown,
                                    QStringLiteral("UpDownEC%1(%2)").arg(kind).arg(k), NoEventAction, LastEventAction),
                            on ? 1 : 2, k + 1);
            field.edit->setAccessibleName(QString::fromStdString(EventInputCaption(k)) + QLatin1Char(' ') +
                                          QLatin1String(on ? "ON" : "OFF"));
            ActionField* stored = &field;
            connect(field.edit, &CommitLineEdit::commitRequested, this, [this, stored] { commitAction(*stored); });
            connect(field.upDown, &UpDownControl::valueStepped, this, [this, stored](int value) {
                showAction(*stored, value);
                actionOf(*stored) = static_cast<std::int16_t>(value);
            });
        }
    }
    grid->setColumnStretch(EventInputCount + 1, 1);
    return area;
}

QWidget* EventPage::buildButtons() {
    auto* area = new QWidget(this);
    auto* row = new QHBoxLayout(area);
    row->setContentsMargins(0, 0, 0, 0);
    QPushButton* read = NamedButton("CommandECReadSingle", QStringLiteral("Read"), area);
    QPushButton* write = NamedButton("CommandECWriteSingle", QStringLiteral("Write"), area);
    QPushButton* copy = NamedButton("CommandECcopy", QStringLiteral("Copy to All"), area);
    QPushButton* readAll = NamedButton("CommandECRead", QStringLiteral("Read All Events"), area);
    QPushButton* writeAll = NamedButton("CommandECWrite", QStringLiteral("Write All Events"), area);
    verify_ = NamedButton("CommandECVerify", QStringLiteral("Verify Event Control"), area);
    for (QPushButton* pushButton : {read, write, copy, readAll, writeAll, verify_})
        row->addWidget(pushButton);
    row->addStretch();

    connect(read, &QPushButton::clicked, this, [this] { runner_.runNow("Read", ReadSelectedPinEvents); });
    connect(write, &QPushButton::clicked, this, [this] { runner_.runNow("Write", WriteSelectedPinEvents); });
    connect(copy, &QPushButton::clicked, this, &EventPage::copyToAll);
    connect(readAll, &QPushButton::clicked, this, [this] { runner_.queueCommand("ECReadAll"); });
    connect(writeAll, &QPushButton::clicked, this, [this] { runner_.queueCommand("ECWriteAll"); });
    connect(verify_, &QPushButton::clicked, this, [this] { runner_.queueCommand("ECVerify"); });
    return area;
}

QWidget* EventPage::buildEnableMap() {
    auto* area = new QWidget(this);
    auto* grid = new QGridLayout(area);
    grid->setContentsMargins(0, 0, 0, 0);
    for (int i = 0; i < EnableMapSize; ++i) {
        const int k = i % EventInputCount;
        auto* box = new QCheckBox(area);
        box->setObjectName(QStringLiteral("CheckInitEE(%1)").arg(i));
        box->setAccessibleName(QLatin1String(i < EventInputCount ? EnableOnCaption : EnableOffCaption) +
                               QString::fromStdString(EventInputCaption(k)));
        if (k == 0) {
            // The first box of each row carries the row caption, to the left of the box.
            box->setText(QLatin1String(i == 0 ? EnableOnCaption : EnableOffCaption));
            box->setLayoutDirection(Qt::RightToLeft);
        }
        grid->addWidget(box, i / EventInputCount, k, k == 0 ? Qt::AlignRight | Qt::AlignAbsolute : Qt::AlignLeft);
        enableBoxes_[static_cast<std::size_t>(i)] = box;
        connect(box, &QCheckBox::clicked, this, [this, i](bool checked) { enableClicked(i, checked); });
    }
    QPushButton* readMap = NamedButton("CommandECInitRead", QStringLiteral("Read Enable Map"), area);
    QPushButton* writeMap = NamedButton("CommandECInitWrite", QStringLiteral("Write Enable Map"), area);
    grid->addWidget(readMap, 0, EventInputCount + 1);
    grid->addWidget(writeMap, 1, EventInputCount + 1);
    grid->setColumnStretch(EventInputCount + 2, 1);
    connect(readMap, &QPushButton::clicked, this, [this] { runner_.runNow("Read Enable Map", ReadEnableMap); });
    connect(writeMap, &QPushButton::clicked, this, [this] { runner_.runNow("Write Enable Map", WriteEnableMap); });
    return area;
}

QWidget* EventPage::verifyButton() const {
    return verify_;
}

// ---- showing ----------------------------------------------------------------------------------

void EventPage::startPage() {
    copyToAll();
    {
        const EditGuard::Scope filling(guard_);
        for (ActionField& field : actions_)
            showAction(field, NoEventAction);
    }
    session_.eventTableShown = false;
    startTable_ = session_.image.events;
}

std::int16_t& EventPage::actionOf(const ActionField& field) {
    EventRecord& record = session_.image.events.at(static_cast<std::size_t>(session_.eventPin));
    return (field.on ? record.onEvents : record.offEvents)[static_cast<std::size_t>(field.input)];
}

void EventPage::refreshFromSession() {
    const int base = session_.numberingBase;
    pinUpDown_->setRange(base, base + LastPin);
    showPin();
    // The start defaults stay until the table is read or loaded, or something has changed it.
    if (!session_.eventTableShown && session_.image.events != startTable_)
        session_.eventTableShown = true;
    if (session_.eventTableShown)
        showActions();
    showEnableMap();
}

void EventPage::showEnableMap() {
    const std::optional<EnableMap>& map = session_.image.enableMap;
    for (std::size_t i = 0; i < enableBoxes_.size(); ++i)
        ShowKnownCheck(enableBoxes_[i], map ? std::optional<bool>((*map)[i]) : std::nullopt);
}

void EventPage::showPin() {
    const EditGuard::Scope filling(guard_);
    const int shown = session_.eventPin + session_.numberingBase;
    pinField_->setText(QString::number(shown));
    pinUpDown_->setValue(shown);
}

void EventPage::showActions() {
    for (ActionField& field : actions_)
        showAction(field, actionOf(field));
}

void EventPage::showAction(ActionField& field, int value) {
    const EditGuard::Scope filling(guard_);
    field.edit->setText(QString::number(value));
    field.upDown->setValue(value);
    colour(field, value);
}

void EventPage::colour(ActionField& field, int value) {
    QPalette palette = normalPalette_;
    if (value == NoEventAction)
        palette.setColor(QPalette::Base, NoActionColour);
    field.edit->setPalette(palette);
    MarkUnsendable(field.edit, WireProblem("action", value, EventActionRange));
}

// ---- field rules ------------------------------------------------------------------------------

void EventPage::selectPin(int pin) {
    session_.eventPin = std::clamp(pin, 0, LastPin);
    session_.eventTableShown = true;
    showPin();
    showActions();
}

void EventPage::commitPinField() {
    if (guard_.active())
        return;
    commitEdits();
    selectPin(PinOfField(pinField_->text().toStdString(), session_.numberingBase));
}

void EventPage::commitAction(ActionField& field) {
    if (guard_.active())
        return;
    const int value = ClampedFieldValue(field.edit->text().toStdString(), NoEventAction, LastEventAction);
    const double typed = ParseLeadingNumber(field.edit->text().toStdString());
    {
        const EditGuard::Scope filling(guard_);
        // Only a value outside the range is replaced in the field.
        if (typed < NoEventAction || typed > LastEventAction)
            field.edit->setText(QString::number(value));
        field.upDown->setValue(value);
        colour(field, value);
    }
    actionOf(field) = static_cast<std::int16_t>(value);
}

void EventPage::commitEdits() {
    for (ActionField& field : actions_)
        field.edit->commitEdit();
}

void EventPage::showHeldMarks() {
    pinStates_->showStates([this](int pin) { return EventPinState(session_, pin); }, session_.eventPin,
                           session_.numberingBase);
    for (const ActionField& field : actions_)
        MarkHeldState(field.edit, EventActionState(session_, session_.eventPin,
                                                   field.on ? EventOnDirection() : EventOffDirection(), field.input));
    for (std::size_t entry = 0; entry < enableBoxes_.size(); ++entry)
        MarkHeldState(enableBoxes_[entry], EnableMapEntryState(session_, static_cast<int>(entry)));
}

// A click on a box of an unknown map makes the map known: the clicked box as the click left it
// (checked, coming from grey), every other box unchecked, as the map starts on the controller.
void EventPage::enableClicked(int index, bool checked) {
    EnableMap map = session_.image.enableMap.value_or(EnableMap{});
    map[static_cast<std::size_t>(index)] = checked;
    session_.image.enableMap = map;
    showEnableMap();
}

void EventPage::copyToAll() {
    commitEdits();
    EventActions on{};
    EventActions off{};
    for (const ActionField& field : actions_) {
        const int value = ClampedFieldValue(field.edit->text().toStdString(), NoEventAction, LastEventAction);
        (field.on ? on : off)[static_cast<std::size_t>(field.input)] = static_cast<std::int16_t>(value);
    }
    CopyActionsToAll(session_.image, on, off);
}

} // namespace vexa

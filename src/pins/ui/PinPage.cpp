#include "pins/ui/PinPage.h"

#include "core/ui/NamedButton.h"
#include "pins/ui/PinPageDialogs.h"

#include "core/NumberField.h"
#include "core/OperationRunner.h"
#include "core/ui/ChoiceGroup.h"
#include "core/ui/CommitLineEdit.h"
#include "core/ui/EditGuard.h"
#include "core/ui/HeldMarks.h"
#include "core/ui/PinStateStrip.h"
#include "core/ui/UpDownControl.h"
#include "core/ui/ValueMarks.h"
#include "core/ui/WrapBox.h"
#include "pins/PinComparison.h"
#include "pins/PinConfigRequests.h"
#include "pins/PinPageRules.h"
#include "pins/PinTransfer.h"
#include "pins/PinWireCheck.h"
#include "pins/ui/ClickableLabel.h"
#include "pins/ui/DescriptionValidator.h"
#include "pins/ui/StepRowsFrame.h"
#include "pins/ui/TypeSettingsTabs.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace vexa {

namespace {

const char* const CopyPasteTip = "Click for copy/paste tools";
const char* const KeywordDescriptionTip = "A keyword of the data file cannot be a description: it is not kept";
constexpr int LastPin = PinCount - 1;

QLabel* Caption(const QString& text, QWidget* parent) {
    return new QLabel(text, parent);
}

// `storedText` gives what the image holds for the field.
QLineEdit* DescriptionField(const char* name, QWidget* parent, std::function<QString()> storedText) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(QLatin1String(name));
    field->setValidator(new DescriptionValidator(field, std::move(storedText)));
    // A keyword that stands in the field while it is typed is marked: it will not be kept.
    QObject::connect(field, &QLineEdit::textChanged, field, [field] {
        const bool refused = !field->hasAcceptableInput();
        field->setStyleSheet(refused ? QStringLiteral("color: red") : QString());
        field->setToolTip(refused ? QLatin1String(KeywordDescriptionTip) : QString());
    });
    return field;
}

QHBoxLayout* Row(QWidget* owner) {
    auto* row = new QHBoxLayout(owner);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(6);
    return row;
}

// A number field with its arrows, kept together.
QHBoxLayout* Spinner(QWidget* field, UpDownControl* arrows) {
    arrows->setField(field);
    auto* pair = new QHBoxLayout;
    pair->setSpacing(0);
    pair->addWidget(field);
    pair->addWidget(arrows);
    return pair;
}

} // namespace

PinPage::PinPage(Session& session, OperationRunner& runner, PinPageDialogs& dialogs, QWidget* parent)
    : QWidget(parent), session_(session), runner_(runner), guard_(std::make_unique<EditGuard>()), dialogs_(dialogs) {
    setObjectName(QStringLiteral("PinPage"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(6, 6, 6, 6);
    column->setSpacing(4);
    column->addWidget(buildPinRow());
    column->addWidget(buildAspectRow());
    column->addWidget(buildCountRow());

    // The steps and the type's settings side by side, or the settings under the steps where the
    // window is narrow.
    auto* detail = new WrapBox(this);
    steps_ = new StepRowsFrame(session_, *guard_, dialogs_, this);
    connect(steps_, &StepRowsFrame::stepLabelClicked, this, [this](int row) {
        commitEdits();
        dialogs_.runEditStep(row);
        afterDialog(false);
    });
    detail->box()->addWidget(steps_, 0, Qt::AlignTop | Qt::AlignLeft);
    auto* typeColumn = new QVBoxLayout;
    types_ = new TypeSettingsTabs(session_, *guard_, this);
    typeColumn->addWidget(types_);
    typeColumn->addWidget(buildConfigButtons());
    typeColumn->addStretch();
    detail->box()->addLayout(typeColumn, 1);
    column->addWidget(detail);
    column->addWidget(buildTransferButtons());
    column->addStretch();

    for (QWidget* widget : expertWidgets_)
        widget->setVisible(session_.expertMode);
    refreshFromSession();
}

PinPage::~PinPage() = default;

// ---- building ---------------------------------------------------------------------------------

CommitLineEdit* PinPage::numberField(const char* name, QWidget* parent) {
    auto* field = new CommitLineEdit(QLatin1String(name), parent);
    field->setFixedWidth(40);
    return field;
}

UpDownControl* PinPage::upDown(const char* name, int lowest, int highest, QWidget* parent) {
    auto* control = new UpDownControl(parent);
    control->setObjectName(QLatin1String(name));
    control->setRange(lowest, highest);
    return control;
}

// The pin row, and below it a row for the controls other subsystems place there (address
// labels, device library), so that the page stays within the window's width.
QWidget* PinPage::buildPinRow() {
    auto* area = new QWidget(this);
    auto* rows = new QVBoxLayout(area);
    rows->setContentsMargins(0, 0, 0, 0);
    pinStates_ = new PinStateStrip(QStringLiteral("PinStates"), QStringLiteral("Pins"), area);
    auto* first = new QWidget(area);
    auto* second = new QWidget(area);
    rows->addWidget(pinStates_);
    rows->addWidget(first);
    rows->addWidget(second);
    pinRow_ = Row(first);
    extraRow_ = Row(second);
    pinLabel_ = new ClickableLabel(QStringLiteral("LabelPAspOutput"), QLatin1String(pinpage::Pin), area);
    pinLabel_->setToolTip(QLatin1String(CopyPasteTip));
    pinLabel_->setCursor(Qt::PointingHandCursor);
    pinField_ = numberField("TextPAspOutput", area);
    pinUpDown_ = upDown("UpDownPAspOutput", 0, LastPin, area);
    pinDescription_ = DescriptionField("TextPAspDesc", area, [this] { return ShownText(record().description); });
    pinDescription_->setMinimumWidth(220);
    pinDescription_->setAccessibleName(QStringLiteral("Pin description"));
    devicePin_ = numberField("TextDevicePin", area);
    deviceName_ =
        DescriptionField("TextDeviceDescription", area, [this] { return ShownText(record().deviceDescription); });
    deviceName_->setMinimumWidth(160);

    pinRow_->addWidget(pinLabel_);
    pinRow_->addLayout(Spinner(pinField_, pinUpDown_));
    pinRow_->addWidget(pinDescription_, 2);
    pinRow_->addSpacing(12);
    pinRow_->addWidget(Caption(QLatin1String(pinpage::DevicePin), area));
    pinRow_->addWidget(devicePin_);
    pinRow_->addWidget(Caption(QLatin1String(pinpage::DeviceName), area));
    pinRow_->addWidget(deviceName_, 1);

    connect(pinLabel_, &ClickableLabel::clicked, this, [this] {
        commitEdits();
        dialogs_.runEditPin();
        afterDialog(true);
    });
    connect(pinStates_, &PinStateStrip::pinChosen, this, [this](int pin) {
        commitEdits();
        selectPin(pin);
    });
    connect(pinField_, &CommitLineEdit::commitRequested, this, &PinPage::commitPinField);
    connect(pinUpDown_, &UpDownControl::valueStepped, this, [this](int shown) {
        commitEdits();
        selectPin(shown - session_.numberingBase);
    });
    connect(pinDescription_, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (const std::optional<std::string> stored = StorableText(text))
            record().description = *stored;
    });
    connect(devicePin_, &QLineEdit::textEdited, this, [this](const QString& text) {
        ApplyDevicePinText(session_.image, session_.image.currentPin, text.toStdString(), session_.numberingBase);
    });
    connect(devicePin_, &CommitLineEdit::commitRequested, this, &PinPage::commitDevicePin);
    connect(deviceName_, &QLineEdit::textEdited, this, [this](const QString& text) {
        const std::optional<std::string> stored = StorableText(text);
        if (stored && record().deviceReferral == 0)
            record().deviceDescription = *stored;
    });
    return area;
}

QWidget* PinPage::buildAspectRow() {
    auto* area = new QWidget(this);
    aspectRow_ = Row(area);
    aspectsLabel_ = Caption(QLatin1String(pinpage::Aspects), area);
    aspectsLabel_->setObjectName(QStringLiteral("LabelPAspNrOfAspects"));
    aspectRow_->addWidget(aspectsLabel_);
    auto* group = new ChoiceGroup(area);
    const std::array<const char*, 3> captions{"0", "4", "12"};
    for (int i = 0; i < 3; ++i) {
        auto* option = new QRadioButton(QLatin1String(captions[static_cast<std::size_t>(i)]), area);
        option->setObjectName(QStringLiteral("OptionPAspConf(%1)").arg(i));
        group->addButton(option, i);
        layoutOptions_[static_cast<std::size_t>(i)] = option;
        aspectRow_->addWidget(option);
    }
    connect(group, &ChoiceGroup::chosen, this, &PinPage::chooseLayout);
    aspectRow_->addSpacing(12);

    aspectLabel_ = new ClickableLabel(QStringLiteral("LabelPAspAspect"), QLatin1String(pinpage::Aspect), area);
    aspectLabel_->setToolTip(QLatin1String(CopyPasteTip));
    aspectLabel_->setCursor(Qt::PointingHandCursor);
    aspectField_ = numberField("TextPAspAspect", area);
    aspectUpDown_ = upDown("UpDownPAspAspect", 0, 3, area);
    initLabel_ = Caption(QLatin1String(pinpage::Init), area);
    initLabel_->setObjectName(QStringLiteral("LabelPAspInit"));
    initField_ = numberField("TextPAspInit", area);
    initUpDown_ = upDown("UpDownPAspInit", -1, 3, area);
    aspectDescription_ = DescriptionField("TextPAspAspDesc", area, [this] {
        const int aspect = session_.image.currentAspect;
        return aspect >= 0 && aspect < AspectCount
                   ? ShownText(record().aspects[static_cast<std::size_t>(aspect)].description)
                   : QString();
    });
    aspectDescription_->setMinimumWidth(200);
    aspectDescription_->setAccessibleName(QStringLiteral("Aspect description"));
    writeAspect_ = NamedButton("CommandPAspWriteAspect", QStringLiteral("Write Single"), area);
    showDetails_ = new QCheckBox(QStringLiteral("Show Details"), area);
    showDetails_->setObjectName(QStringLiteral("CheckPAspShowDetails"));

    aspectRow_->addWidget(aspectLabel_);
    aspectRow_->addLayout(Spinner(aspectField_, aspectUpDown_));
    aspectRow_->addWidget(initLabel_);
    aspectRow_->addLayout(Spinner(initField_, initUpDown_));
    aspectRow_->addWidget(aspectDescription_, 1);
    aspectRow_->addWidget(writeAspect_);
    aspectRow_->addStretch();
    aspectRow_->addWidget(showDetails_);

    connect(aspectLabel_, &ClickableLabel::clicked, this, [this] {
        commitEdits();
        dialogs_.runEditAspect();
        afterDialog(false);
    });
    connect(aspectField_, &CommitLineEdit::commitRequested, this, &PinPage::commitAspectField);
    connect(aspectUpDown_, &UpDownControl::valueStepped, this, [this](int aspect) {
        steps_->commitRows();
        session_.image.currentAspect = aspect;
        showPin();
        applyDetailView();
    });
    connect(initField_, &CommitLineEdit::commitRequested, this, &PinPage::commitInitField);
    connect(initUpDown_, &UpDownControl::valueStepped, this, [this](int initial) {
        record().initialAspect = static_cast<std::uint8_t>(initial + 1);
        const EditGuard::Scope filling(*guard_);
        initField_->setText(QString::number(initial));
    });
    connect(aspectDescription_, &QLineEdit::textEdited, this, [this](const QString& text) {
        const std::optional<std::string> stored = StorableText(text);
        if (stored && session_.image.currentAspect >= 0 && session_.image.currentAspect < AspectCount)
            record().aspects[static_cast<std::size_t>(session_.image.currentAspect)].description = *stored;
    });
    connect(writeAspect_, &QPushButton::clicked, this, &PinPage::writeSingleAspect);
    connect(showDetails_, &QCheckBox::clicked, this, &PinPage::applyDetailView);
    return area;
}

QWidget* PinPage::buildCountRow() {
    auto* area = new QWidget(this);
    auto* grid = new QGridLayout(area);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(0);
    countLabel_ = Caption(QLatin1String(pinpage::AddressCounts), area);
    countLabel_->setObjectName(QStringLiteral("LabelPASPAdrCnt"));
    countHeading_ =
        Caption(QLatin1String(pinpage::SerialCount) + QStringLiteral("          ") + QLatin1String(pinpage::DccCount) +
                    QStringLiteral("        ") + QLatin1String(pinpage::XDccCount),
                area);
    grid->addWidget(countLabel_, 1, 0);
    grid->addWidget(countHeading_, 0, 1, 1, 3);

    struct CountSpec {
        const char* field;
        const char* arrows;
        int maximum;
        std::uint8_t PinRecord::*count;
        AddressCount kind;
        const char* tip;
        const char* spoken; // the name a screen reader reads
    };
    const std::array<CountSpec, 3> specs{{
        {"TextPaspLumon", "UpDownPaspLumon", MaxLumoAddressCount, &PinRecord::lumoAddressCount, AddressCount::Lumo,
         "Nr of Serial addresses assigned to Pin", "Serial address count"},
        {"TextPaspDCCn", "UpDownPaspDCCn", MaxDccAddressCount, &PinRecord::dccAddressCount, AddressCount::Dcc,
         "Nr of DCC addresses assigned to Pin", "DCC address count"},
        {"TextPAspXDCCn", "UpDownPaspXDCCn", MaxXdccAddressCount, &PinRecord::xdccAddressCount, AddressCount::XDcc,
         "Nr of DCC addresses assigned to Pin", "Extended DCC address count"},
    }};
    for (std::size_t i = 0; i < specs.size(); ++i) {
        CountField& field = counts_[i];
        field.edit = numberField(specs[i].field, area);
        field.edit->setToolTip(QLatin1String(specs[i].tip));
        field.edit->setAccessibleName(QLatin1String(specs[i].spoken));
        field.upDown = upDown(specs[i].arrows, 0, specs[i].maximum, area);
        field.maximum = specs[i].maximum;
        field.count = specs[i].count;
        field.kind = specs[i].kind;
        auto* holder = new QWidget(area);
        auto* pair = Spinner(field.edit, field.upDown);
        pair->setContentsMargins(0, 0, 0, 0);
        holder->setLayout(pair);
        grid->addWidget(holder, 1, static_cast<int>(i) + 1, Qt::AlignLeft);
        CountField* stored = &field;
        connect(field.edit, &CommitLineEdit::commitRequested, this, [this, stored] { commitCount(*stored); });
        connect(field.upDown, &UpDownControl::valueStepped, this, [this, stored](int value) {
            record().*(stored->count) = static_cast<std::uint8_t>(value);
            {
                const EditGuard::Scope filling(*guard_);
                stored->edit->setText(QString::number(value));
            }
            emit addressCountChanged(session_.image.currentPin);
        });
    }
    grid->setColumnStretch(4, 1);
    return area;
}

QWidget* PinPage::buildConfigButtons() {
    auto* area = new QWidget(this);
    auto* row = Row(area);
    getParam_[0] = NamedButton("CommandPCFGGetParam(0)", QStringLiteral("Get Pin Config"), area);
    getParam_[1] = NamedButton("CommandPCFGGetParam(1)", QStringLiteral("Read Pin Config"), area);
    setParam_[0] = NamedButton("CommandPCFGSetParam(0)", QStringLiteral("Set Pin Config"), area);
    setParam_[0]->setToolTip(QStringLiteral("Sets Active Servo parameters (not permanent)"));
    setParam_[1] = NamedButton("CommandPCFGSetParam(1)", QStringLiteral("Write Pin Config"), area);
    setParam_[1]->setToolTip(QStringLiteral("Writes Servo Parameters to Flash memory"));
    for (int setting : {ActiveSetting, FlashSetting}) {
        connect(getParam_[static_cast<std::size_t>(setting)], &QPushButton::clicked, this,
                [this, setting] { readPinConfig(setting); });
        connect(setParam_[static_cast<std::size_t>(setting)], &QPushButton::clicked, this,
                [this, setting] { writePinConfig(setting); });
    }
    for (QPushButton* pushButton : {getParam_[0], getParam_[1], setParam_[0], setParam_[1]})
        row->addWidget(pushButton);
    row->addStretch();
    return area;
}

QWidget* PinPage::buildTransferButtons() {
    auto* area = new QWidget(this);
    auto* row = Row(area);
    struct Transfer {
        const char* name;
        const char* caption;
        const char* word;
    };
    const std::array<Transfer, 9> transfers{{
        {"CommandPAspReadPin", "Read Asp's", "PAspReadPin"},
        {"CommandPAspWritePin", "Write Asp's", "PAspWritePin"},
        {"CommandReadPin", "Read Pin", "ReadPin"},
        {"CommandWritePin", "Write Pin", "WritePin"},
        {"CommandReadDevice", "Read Device", "ReadDevice"},
        {"CommandWriteDevice", "Write Device", "WriteDevice"},
        {"CommandReadAllPins", "Read All Devices", "ReadAllPins"},
        {"CommandWriteAllPins", "Write All Devices", "WriteAllPins"},
        {"CommandVerifyAllPins", "Verify All Pins", "VerifyAllPins"},
    }};
    for (const Transfer& transfer : transfers) {
        QPushButton* pushButton = NamedButton(transfer.name, QLatin1String(transfer.caption), area);
        const std::string word = transfer.word;
        if (word == "WriteDevice")
            connect(pushButton, &QPushButton::clicked, this, [this] {
                commitEdits();
                if (CheckCurrentDeviceHead(session_))
                    runner_.queueCommand("WriteDevice");
            });
        else
            connect(pushButton, &QPushButton::clicked, this, [this, word] {
                commitEdits();
                runner_.queueCommand(word);
            });
        row->addWidget(pushButton);
        if (word == "PAspReadPin")
            readAspects_ = pushButton;
        else if (word == "PAspWritePin")
            writeAspects_ = pushButton;
        else if (word == "ReadPin" || word == "WritePin" || word == "VerifyAllPins")
            expertWidgets_.push_back(pushButton);
    }
    row->addStretch();
    return area;
}

void PinPage::addAspectWidget(QWidget* widget) {
    if (!widget)
        return;
    aspectRow_->insertWidget(aspectRow_->indexOf(writeAspect_), widget);
    aspectWidgets_.push_back(widget);
    widget->setVisible(
        PinPageVisibilityFor(layoutOption(), showDetails_->isChecked(), session_.expertMode).aspectFields);
}

void PinPage::addTypePageWidget(TypeFamily family, QWidget* widget) {
    if (widget)
        types_->addPageWidget(family, widget);
}

void PinPage::addPinRowWidget(QWidget* widget) {
    if (widget)
        extraRow_->addWidget(widget);
}

QList<QWidget*> PinPage::expertWidgets() const {
    return expertWidgets_;
}

// ---- showing ----------------------------------------------------------------------------------

PinRecord& PinPage::record() {
    return session_.image.pins.at(static_cast<std::size_t>(session_.image.currentPin));
}

int PinPage::layoutOption() const {
    for (int i = 0; i < 3; ++i)
        if (layoutOptions_[static_cast<std::size_t>(i)]->isChecked())
            return i;
    return 0;
}

int PinPage::lastAspect() const {
    return aspectUpDown_->highest();
}

void PinPage::refreshFromSession() {
    const int base = session_.numberingBase;
    pinUpDown_->setRange(base, base + LastPin);
    showPin();
    applyDetailView();
    TypeFamily family{};
    const bool unknown = !FamilyOfType(record().configType, family);
    types_->showPinType(unknown && reportedUnknownPin_ != session_.image.currentPin);
    reportedUnknownPin_ = unknown ? session_.image.currentPin : -1;
}

void PinPage::showPin() {
    const EditGuard::Scope filling(*guard_);
    const int pin = session_.image.currentPin;
    const int shownPin = pin + session_.numberingBase;
    pinField_->setText(QString::number(shownPin));
    pinUpDown_->setValue(shownPin);
    pinDescription_->setText(ShownText(record().description));
    showDeviceFields();
    showCounts();
    showLayoutOption();
}

void PinPage::showDeviceFields() {
    const EditGuard::Scope filling(*guard_);
    const int pin = session_.image.currentPin;
    devicePin_->setText(QString::fromStdString(DevicePinText(session_.image, pin, session_.numberingBase)));
    MarkUnsendable(devicePin_, DeviceReferralProblem(record(), pin, session_.numberingBase));
    const DeviceNameView name = DeviceNameOf(session_.image, pin);
    deviceName_->setText(ShownText(name.text));
    deviceName_->setReadOnly(!name.editable);
}

void PinPage::showCounts() {
    const EditGuard::Scope filling(*guard_);
    for (CountField& field : counts_) {
        const int count = record().*(field.count);
        field.edit->setText(QString::number(count));
        field.upDown->setValue(count);
        MarkUnsendable(field.edit, AddressCountProblem(record(), field.kind));
    }
}

void PinPage::showAspectFields() {
    const EditGuard::Scope filling(*guard_);
    const int aspect = session_.image.currentAspect;
    aspectField_->setText(QString::number(aspect));
    aspectUpDown_->setValue(aspect);
    if (aspect >= 0 && aspect < AspectCount)
        aspectDescription_->setText(ShownText(record().aspects[static_cast<std::size_t>(aspect)].description));
    const int initial = record().initialAspect - 1;
    initField_->setText(QString::number(initial));
    initUpDown_->setValue(initial);
    MarkUnsendable(initField_, InitialAspectProblem(record()));
}

// Sets the layout choice from the pin's layout and shows it: limits of the aspect selectors,
// the selected aspect kept within "4", and the step rows of the layout, drawn from the image.
void PinPage::showLayoutOption() {
    const EditGuard::Scope filling(*guard_);
    const int option = LayoutOptionOf(record().aspectLayout);
    layoutOptions_[static_cast<std::size_t>(option)]->setChecked(true);
    // An unknown layout is shown as "0"; that choice carries the mark of what the write refuses.
    for (int i = 0; i < 3; ++i)
        MarkUnsendable(layoutOptions_[static_cast<std::size_t>(i)], i == option ? LayoutProblem(record()) : "");
    FitCurrentAspectToOption(session_.image, option); // showing a pin never changes it

    if (option != 0) {
        aspectUpDown_->setRange(0, LastAspectOfOption(option));
        initUpDown_->setRange(-1, LastAspectOfOption(option));
    }
    showAspectFields();
    const PinPageVisibility visibility = PinPageVisibilityFor(option, showDetails_->isChecked(), session_.expertMode);
    steps_->setVisibleRows(visibility.stepRows, visibility.aspectDetails);
    steps_->showSteps();
}

void PinPage::applyDetailView() {
    const bool details = showDetails_->isChecked();
    const PinPageVisibility visibility = PinPageVisibilityFor(layoutOption(), details, session_.expertMode);
    for (QWidget* widget : std::initializer_list<QWidget*>{aspectLabel_, aspectField_, aspectUpDown_, initLabel_,
                                                           initField_, initUpDown_, aspectDescription_})
        widget->setVisible(visibility.aspectFields);
    for (QWidget* widget : aspectWidgets_)
        widget->setVisible(visibility.aspectFields);
    writeAspect_->setVisible(visibility.aspectDetails);
    steps_->setVisibleRows(visibility.stepRows, visibility.aspectDetails);
    for (QWidget* widget :
         std::initializer_list<QWidget*>{steps_, types_, getParam_[0], setParam_[0], readAspects_, writeAspects_})
        widget->setVisible(visibility.detailArea);
    getParam_[1]->setVisible(visibility.flashConfigButtons);
    setParam_[1]->setVisible(visibility.flashConfigButtons);

    bool anyCount = false;
    for (CountField& field : counts_) {
        const bool shown = AddressCountVisible(details, field.edit->text().toStdString());
        field.edit->setVisible(shown);
        field.upDown->setVisible(shown);
        anyCount = anyCount || shown;
    }
    countLabel_->setVisible(anyCount);
    countHeading_->setVisible(anyCount);
}

// ---- field rules ------------------------------------------------------------------------------

void PinPage::selectPin(int pin) {
    session_.image.currentPin = std::clamp(pin, 0, LastPin);
    reportedUnknownPin_ = -1;
    showPin();
    applyDetailView();
    types_->showPinType(true);
    emit currentPinShown(session_.image.currentPin);
}

void PinPage::commitPinField() {
    if (guard_->active())
        return;
    selectPin(PinOfField(pinField_->text().toStdString(), session_.numberingBase));
}

void PinPage::commitAspectField() {
    if (guard_->active())
        return;
    session_.image.currentAspect = AspectOfField(aspectField_->text().toStdString(), lastAspect());
    showPin();
    applyDetailView();
}

void PinPage::commitInitField() {
    if (guard_->active())
        return;
    record().initialAspect =
        static_cast<std::uint8_t>(InitialAspectOfField(initField_->text().toStdString(), initUpDown_->highest()));
    const EditGuard::Scope filling(*guard_);
    initField_->setText(QString::number(record().initialAspect - 1));
    initUpDown_->setValue(record().initialAspect - 1);
}

void PinPage::commitCount(CountField& field) {
    if (guard_->active())
        return;
    const int count = ClampedFieldValue(field.edit->text().toStdString(), 0, field.maximum);
    std::uint8_t& stored = record().*(field.count);
    const bool changed = stored != count;
    stored = static_cast<std::uint8_t>(count);
    {
        const EditGuard::Scope filling(*guard_);
        field.edit->setText(QString::number(count));
        field.upDown->setValue(count);
    }
    if (changed)
        emit addressCountChanged(session_.image.currentPin);
}

void PinPage::chooseLayout(int option) {
    if (guard_->active())
        return;
    ApplyLayoutOption(session_.image, option);
    showPin();
    applyDetailView();
}

void PinPage::commitDevicePin() {
    if (guard_->active())
        return;
    SettleDeviceName(session_.image, session_.image.currentPin);
    showDeviceFields();
}

void PinPage::commitEdits() {
    if (committing_ || guard_->active())
        return;
    committing_ = true;
    // Each field commits only an edit of the user's (see CommitLineEdit).
    types_->commitFields();
    steps_->commitRows();
    for (CountField& field : counts_)
        field.edit->commitEdit();
    devicePin_->commitEdit();
    // The aspect fields are hidden on a pin without aspects; their limits then mean nothing.
    if (PinPageVisibilityFor(layoutOption(), false, false).aspectFields) {
        initField_->commitEdit();
        aspectField_->commitEdit();
    }
    committing_ = false;
}

void PinPage::showHeldMarks() {
    pinStates_->showStates([this](int pin) { return PinState(session_, pin); }, session_.image.currentPin,
                           session_.numberingBase);

    const PinFieldStates fields = PinFieldStatesOf(session_, session_.image.currentPin, session_.image.currentAspect);
    for (QRadioButton* option : layoutOptions_)
        MarkHeldState(option, fields.layout);
    MarkHeldState(initField_, fields.initialAspect);
    MarkHeldState(counts_[0].edit, fields.lumoCount);
    MarkHeldState(counts_[1].edit, fields.dccCount);
    MarkHeldState(counts_[2].edit, fields.xdccCount);
    MarkHeldState(devicePin_, fields.devicePointer);
    steps_->showHeldMarks(fields.steps);
    types_->showHeldMarks(fields);
}

// ---- buttons ----------------------------------------------------------------------------------

void PinPage::readPinConfig(int setting) {
    const int pin = session_.image.currentPin;
    const bool read = runner_.runNow(
        setting == ActiveSetting ? "Get Pin Config" : "Read Pin Config", [setting, pin](Session& session) {
            return setting == ActiveSetting ? GetPinConfig(session, pin) : ReadPinConfig(session, pin);
        });
    if (read)
        types_->showPinType(true);
}

void PinPage::writePinConfig(int setting) {
    commitEdits();
    const int pin = session_.image.currentPin;
    const bool ran = runner_.runNow(
        setting == ActiveSetting ? "Set Pin Config" : "Write Pin Config", [setting, pin](Session& session) {
            return setting == ActiveSetting ? SetPinConfig(session, pin) : WritePinConfig(session, pin);
        });
    if (ran)
        types_->showPinType(false); // a servo's flag byte went out masked
}

void PinPage::writeSingleAspect() {
    commitEdits();
    const int pin = session_.image.currentPin;
    const int aspect = session_.image.currentAspect;
    runner_.runNow("Write Single", [pin, aspect](Session& session) { return WriteAspect(session, pin, aspect); });
}

void PinPage::afterDialog(bool pinDialog) {
    showPin();
    applyDetailView();
    if (pinDialog) {
        reportedUnknownPin_ = -1;
        types_->showPinType(true);
        emit addressCountChanged(session_.image.currentPin);
    }
}

} // namespace vexa

#include "pins/ui/TypeSettingsTabs.h"

#include "core/ui/ChoiceGroup.h"
#include "core/ui/CommitLineEdit.h"
#include "core/ui/EditGuard.h"
#include "core/ui/HeldMarks.h"
#include "core/ui/UpDownControl.h"
#include "core/ui/ValueMarks.h"
#include "pins/PinWireCheck.h"
#include "pins/TypeSettingsWords.h"
#include "pins/ui/ClickableLabel.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QRadioButton>
#include <QTabBar>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <algorithm>

namespace vexa {

namespace {

const char* const WarningText = "Warning: Hardware Configuration Mismatch";
constexpr int FieldsPerColumn = 5;

// A framed choice of options named Name(0), Name(1), ...
QGroupBox* OptionGroup(const QString& title, const char* name, const QStringList& captions, ChoiceGroup*& group,
                       QWidget* parent) {
    auto* box = new QGroupBox(title, parent);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(6, 2, 6, 2);
    group = new ChoiceGroup(box);
    for (int i = 0; i < captions.size(); ++i) {
        auto* option = new QRadioButton(captions[i], box);
        option->setObjectName(QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(i));
        group->addButton(option, i);
        row->addWidget(option);
    }
    row->addStretch();
    return box;
}

template <std::size_t N> QStringList Captions(const std::array<const char*, N>& texts) {
    QStringList list;
    for (const char* text : texts)
        list << QLatin1String(text);
    return list;
}

QCheckBox* Check(const char* name, const QString& caption, QWidget* parent) {
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(QLatin1String(name));
    return box;
}

// The grid of a page's number fields: label, field and arrows, FieldsPerColumn to a column.
QGridLayout* FieldGrid(QWidget* page) {
    return page->findChild<QGridLayout*>(QStringLiteral("fields"));
}

QWidget* NewPage(QWidget* parent) {
    auto* page = new QWidget(parent);
    auto* column = new QVBoxLayout(page);
    column->setContentsMargins(6, 6, 6, 6);
    column->setSpacing(4);
    auto* grid = new QGridLayout;
    grid->setObjectName(QStringLiteral("fields"));
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(2);
    column->addLayout(grid);
    return page;
}

void FinishPage(QWidget* page) {
    auto* column = static_cast<QVBoxLayout*>(page->layout());
    column->addStretch();
}

// Choosing a type page installs that type's defaults, so only a click (or the arrow keys on the
// focused tab bar) chooses one: the wheel scrolls the window past it instead.
class TypeTabBar : public QTabBar {
public:
    using QTabBar::QTabBar;

protected:
    void wheelEvent(QWheelEvent* event) override { event->ignore(); }
};

} // namespace

TypeSettingsTabs::TypeSettingsTabs(Session& session, EditGuard& guard, QWidget* parent)
    : QTabWidget(parent), session_(session), guard_(guard) {
    setObjectName(QStringLiteral("SSTabPCFG"));
    setTabBar(new TypeTabBar(this));
    tabBar()->setAccessibleName(QStringLiteral("Configuration type"));
    addTab(buildClearPage(), QLatin1String(typetabs::TabCaptions[0]));
    addTab(buildServoPage(), QLatin1String(typetabs::TabCaptions[1]));
    addTab(buildPwmPage(), QLatin1String(typetabs::TabCaptions[2]));
    addTab(buildInputPage(), QLatin1String(typetabs::TabCaptions[3]));
    connect(this, &QTabWidget::currentChanged, this, &TypeSettingsTabs::userChosePage);
}

QWidget* TypeSettingsTabs::buildClearPage() {
    auto* page = new QWidget(this);
    auto* column = new QVBoxLayout(page);
    auto* label = new QLabel(QLatin1String(typetabs::NotConfigured), page);
    label->setObjectName(QStringLiteral("LabelPCFGClear"));
    column->addWidget(label);
    column->addStretch();
    return page;
}

QWidget* TypeSettingsTabs::buildServoPage() {
    QWidget* page = NewPage(this);
    for (const ParamFieldSpec& spec : ServoParamFields) {
        NumberField* field = &addField(spec, TypeFamily::Servo, page);
        if (spec.param == 1)
            connect(field->edit, &CommitLineEdit::doubleClicked, this, [this, field] { takeLiveValue(*field); });
    }
    auto* column = static_cast<QVBoxLayout*>(page->layout());
    column->addWidget(OptionGroup(QLatin1String(typetabs::ServoRange), "OptionServoRange",
                                  Captions(typetabs::ServoRangeOptions), servoRange_, page));
    connect(servoRange_, &ChoiceGroup::chosen, this, [this] { storeServoFlags(); });
    auto* checks = new QHBoxLayout;
    autoSuspend_ = Check("ChkSrvAutoSuspend", QLatin1String(typetabs::AutoSuspend), page);
    suspended_ = Check("ChkSrvSuspended", QLatin1String(typetabs::Suspended), page);
    initialised_ = Check("ChkSrvInitialized", QLatin1String(typetabs::Initialised), page);
    initialised_->setToolTip(QStringLiteral("If checked, the servo is not activated until the first position is sent"));
    // It shows a bit that is never written, so it takes no clicks.
    initialised_->setAttribute(Qt::WA_TransparentForMouseEvents);
    initialised_->setFocusPolicy(Qt::NoFocus);
    connect(autoSuspend_, &QCheckBox::clicked, this, [this] { storeServoFlags(); });
    connect(suspended_, &QCheckBox::clicked, this, [this] { storeServoFlags(); });
    checks->addWidget(autoSuspend_);
    checks->addWidget(suspended_);
    checks->addWidget(initialised_);
    checks->addStretch();
    column->addLayout(checks);
    servoWarning_ = addWarning(QStringLiteral("LabelSrvHWCWarn"), page);
    FinishPage(page);
    return page;
}

QWidget* TypeSettingsTabs::buildPwmPage() {
    QWidget* page = NewPage(this);
    for (const ParamFieldSpec& spec : PwmParamFields) {
        NumberField* field = &addField(spec, TypeFamily::Pwm, page);
        if (spec.param == 1)
            connect(field->edit, &CommitLineEdit::doubleClicked, this, [this, field] { takeLiveValue(*field); });
    }
    // The label of the initial level takes the live level too.
    if (auto* label = page->findChild<ClickableLabel*>(QStringLiteral("LabelPWMInitialLevel")))
        connect(label, &ClickableLabel::clicked, this, [this] {
            for (NumberField& field : fields_)
                if (field.family == TypeFamily::Pwm && field.spec->param == 1)
                    takeLiveValue(field);
        });
    auto* column = static_cast<QVBoxLayout*>(page->layout());
    auto* modes = new QHBoxLayout;
    modes->addWidget(OptionGroup(QLatin1String(typetabs::DriveMode), "OptionPWMDriveMode",
                                 Captions(typetabs::PwmModeOptions), pwmDrive_, page));
    modes->addWidget(OptionGroup(QLatin1String(typetabs::AccelerationMode), "OptionPWMAccelMode",
                                 Captions(typetabs::PwmModeOptions), pwmAccel_, page));
    column->addLayout(modes);
    connect(pwmDrive_, &ChoiceGroup::chosen, this, [this] { storePwmModes(); });
    connect(pwmAccel_, &ChoiceGroup::chosen, this, [this] { storePwmModes(); });
    pwmInverted_ = Check("CheckPWMInverted", QLatin1String(typetabs::Inverted), page);
    connect(pwmInverted_, &QCheckBox::clicked, this, [this](bool checked) {
        if (pinIsOf(TypeFamily::Pwm))
            pin().configType = static_cast<std::uint8_t>(TypePwm + (checked ? 1 : 0));
    });
    column->addWidget(pwmInverted_);
    FinishPage(page);
    return page;
}

QWidget* TypeSettingsTabs::buildInputPage() {
    QWidget* page = NewPage(this);
    lowActive_ = Check("CheckInputInvert", QLatin1String(typetabs::LowActive), page);
    connect(lowActive_, &QCheckBox::clicked, this, [this](bool checked) {
        if (pinIsOf(TypeFamily::Input))
            pin().configType = static_cast<std::uint8_t>(TypeInput + (checked ? 1 : 0));
    });
    static_cast<QVBoxLayout*>(page->layout())->insertWidget(0, lowActive_);
    for (const ParamFieldSpec& spec : InputDelayFields)
        addField(spec, TypeFamily::Input, page);
    inputWarning_ = addWarning(QStringLiteral("LabelInpHWCWarn"), page);
    FinishPage(page);
    return page;
}

TypeSettingsTabs::NumberField& TypeSettingsTabs::addField(const ParamFieldSpec& spec, TypeFamily family,
                                                          QWidget* page) {
    QGridLayout* grid = FieldGrid(page);
    const int count = grid->count() / 3;
    const int row = count % FieldsPerColumn;
    const int column = (count / FieldsPerColumn) * 3;
    QLabel* label = nullptr;
    if (family == TypeFamily::Pwm && spec.param == 1)
        label = new ClickableLabel(QStringLiteral("LabelPWMInitialLevel"), QLatin1String(spec.caption), page);
    else
        label = new QLabel(QLatin1String(spec.caption), page);
    NumberField field;
    field.spec = &spec;
    field.family = family;
    field.edit = new CommitLineEdit(QLatin1String(spec.fieldName), page);
    field.edit->setFixedWidth(44);
    field.upDown = new UpDownControl(page);
    field.upDown->setObjectName(QLatin1String(spec.upDownName));
    field.upDown->setRange(spec.spinMinimum, spec.spinMaximum);
    field.upDown->setField(field.edit);
    grid->addWidget(label, row, column);
    auto* pair = new QHBoxLayout;
    pair->setSpacing(0);
    pair->addWidget(field.edit);
    pair->addWidget(field.upDown);
    pair->addStretch();
    grid->addLayout(pair, row, column + 1);
    grid->addItem(new QSpacerItem(12, 1), row, column + 2);
    fields_.push_back(field);
    NumberField* stored = &fields_.back();
    connect(stored->edit, &CommitLineEdit::commitRequested, this, [this, stored] { commitField(*stored); });
    connect(stored->upDown, &UpDownControl::valueStepped, this, [this, stored](int value) {
        if (guard_.active() || !pinIsOf(stored->family))
            return;
        StoreParamSpin(pin(), *stored->spec, value);
        showField(*stored);
    });
    if (spec.param == 1)
        connect(stored->edit, &QLineEdit::textEdited, this, [this, stored](const QString& text) {
            if (pinIsOf(stored->family)) {
                StoreWhileTyping(pin(), *stored->spec, text.toStdString());
                stored->upDown->setValue(ShownParamValue(pin(), *stored->spec));
            }
        });
    return *stored;
}

QLabel* TypeSettingsTabs::addWarning(const QString& name, QWidget* page) {
    auto* label = new QLabel(QLatin1String(WarningText), page);
    label->setObjectName(name);
    label->setStyleSheet(QStringLiteral("color: red"));
    label->hide();
    static_cast<QVBoxLayout*>(page->layout())->addWidget(label);
    return label;
}

void TypeSettingsTabs::showHeldMarks(const PinFieldStates& states) {
    for (NumberField& field : fields_)
        MarkHeldState(field.edit, states.params.at(static_cast<std::size_t>(field.spec->param - 1)));
    // The flag byte and the mode byte are parameter 2; inversion is part of the type.
    const HeldState flags = states.params[1];
    for (QWidget* widget : {autoSuspend_, suspended_, initialised_})
        MarkHeldState(widget, flags);
    for (ChoiceGroup* group : {servoRange_, pwmDrive_, pwmAccel_})
        if (auto* box = qobject_cast<QWidget*>(group->parent()))
            MarkHeldState(box, flags);
    MarkHeldState(pwmInverted_, states.type);
    MarkHeldState(lowActive_, states.type);
}

void TypeSettingsTabs::addPageWidget(TypeFamily family, QWidget* page) {
    auto* column = static_cast<QVBoxLayout*>(widget(static_cast<int>(family))->layout());
    column->insertWidget(column->count() - 1, page);
}

// Ctrl+Tab goes on to the window's tabs; here it would change the pin's type.
void TypeSettingsTabs::keyPressEvent(QKeyEvent* event) {
    event->ignore();
}

PinRecord& TypeSettingsTabs::pin() {
    return session_.image.pins.at(static_cast<std::size_t>(session_.image.currentPin));
}

bool TypeSettingsTabs::pinIsOf(TypeFamily family) {
    TypeFamily current{};
    return FamilyOfType(pin().configType, current) && current == family;
}

void TypeSettingsTabs::commitField(NumberField& field) {
    if (guard_.active() || !pinIsOf(field.family))
        return;
    CommitParamField(pin(), *field.spec, field.edit->text().toStdString());
    showField(field);
}

void TypeSettingsTabs::showField(NumberField& field) {
    const EditGuard::Scope filling(guard_);
    const int shown = ShownParamValue(pin(), *field.spec);
    field.edit->setText(QString::number(shown));
    field.upDown->setValue(shown);
    MarkUnsendable(field.edit, ConfigParamProblem(pin(), field.spec->param));
}

void TypeSettingsTabs::takeLiveValue(NumberField& field) {
    if (!pinIsOf(field.family))
        return;
    TakeLiveValueAsInitial(pin(), *field.spec);
    showField(field);
}

void TypeSettingsTabs::storeServoFlags() {
    if (guard_.active() || !pinIsOf(TypeFamily::Servo))
        return;
    pin().param(2) = ServoFlagByte(servoRange_->checkedId(), autoSuspend_->isChecked(), suspended_->isChecked());
    initialised_->setChecked(false);
}

void TypeSettingsTabs::storePwmModes() {
    if (guard_.active() || !pinIsOf(TypeFamily::Pwm))
        return;
    pin().param(2) = PwmModeByte(pwmDrive_->checkedId(), pwmAccel_->checkedId());
}

void TypeSettingsTabs::commitFields() {
    for (NumberField& field : fields_)
        if (static_cast<int>(field.family) == currentIndex())
            field.edit->commitEdit();
}

void TypeSettingsTabs::userChosePage(int index) {
    if (guard_.active() || index < 0)
        return;
    ChooseTypeFamily(pin(), static_cast<TypeFamily>(index));
    showPinType(true);
}

void TypeSettingsTabs::showPinType(bool report) {
    TypeFamily family{};
    if (!FamilyOfType(pin().configType, family)) {
        if (report)
            session_.tell(UnknownConfigurationText(pin().configType));
        return;
    }
    const EditGuard::Scope filling(guard_);
    setCurrentIndex(static_cast<int>(family));
    for (NumberField& field : fields_)
        if (field.family == family)
            showField(field);
    if (family == TypeFamily::Servo)
        fillServo();
    else if (family == TypeFamily::Pwm)
        fillPwm();
    else if (family == TypeFamily::Input)
        fillInput();
}

void TypeSettingsTabs::fillServo() {
    const ServoFlags flags = DecodeServoFlags(pin().param(2));
    servoRange_->button(flags.rangeIndex)->setChecked(true);
    autoSuspend_->setChecked(flags.autoSuspend);
    suspended_->setChecked(flags.suspended);
    initialised_->setChecked(flags.initialised);
    servoWarning_->setVisible(HardwareConfigurationMismatch(session_.image.module, session_.image.currentPin));
}

void TypeSettingsTabs::fillPwm() {
    pwmInverted_->setChecked(pin().configType == TypePwm + 1);
    pwmDrive_->button(PwmDriveIndex(pin().param(2)))->setChecked(true);
    pwmAccel_->button(PwmAccelIndex(pin().param(2)))->setChecked(true);
    // The mode byte is shown by its two choices, which show only its low bits.
    const std::string problem = unshownParamProblem(TypeFamily::Pwm);
    for (ChoiceGroup* group : {pwmDrive_, pwmAccel_})
        MarkUnsendable(qobject_cast<QWidget*>(group->parent()), problem);
}

void TypeSettingsTabs::fillInput() {
    lowActive_->setChecked(pin().configType == TypeInput + 1);
    inputWarning_->setVisible(HardwareConfigurationMismatch(session_.image.module, session_.image.currentPin));
    // Parameters 1 and 2 of an input have no field: the type's box carries their mark.
    MarkUnsendable(lowActive_, unshownParamProblem(TypeFamily::Input));
}

// The first parameter that no number field of the family's page shows and that the write would
// refuse, in the words of the write; "" when there is none.
std::string TypeSettingsTabs::unshownParamProblem(TypeFamily family) {
    for (int n = 1; n <= ConfigParamCount; ++n) {
        const bool shown = std::any_of(fields_.begin(), fields_.end(), [family, n](const NumberField& field) {
            return field.family == family && field.spec->param == n;
        });
        if (std::string problem = shown ? std::string() : ConfigParamProblem(pin(), n); !problem.empty())
            return problem;
    }
    return {};
}

} // namespace vexa

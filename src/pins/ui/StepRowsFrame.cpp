#include "pins/ui/StepRowsFrame.h"

#include "core/NumberField.h"
#include "core/ui/CommitLineEdit.h"
#include "core/ui/EditGuard.h"
#include "core/ui/FocusedWheel.h"
#include "core/ui/HeldMarks.h"
#include "core/ui/ValueMarks.h"
#include "pins/InstructionTable.h"
#include "pins/PinWireCheck.h"
#include "pins/ui/ClickableLabel.h"
#include "pins/ui/PinPageDialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>

#include <algorithm>

namespace vexa {

namespace {

const std::array<const char*, StepParamCount> ParamNames{"TextPAspOffset", "TextPAspPar1", "TextPAspPar2",
                                                         "TextPAspPar3"};
const std::array<const char*, StepParamCount> HeadingNames{"LabelPAspOffset", "LabelPAspHParam1", "LabelPASpHParam2",
                                                           "LabelPAspHParam3"};
// How a screen reader names the step's parameter fields, whose headings change with the instruction.
const std::array<const char*, StepParamCount> ParamWords{"offset", "parameter 1", "parameter 2", "parameter 3"};
const char* const ZeroTime = "00:00.00";
constexpr int TimeColumn = 7;
constexpr int LastTimeValue = 63;

QString Indexed(const char* name, int index) {
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index);
}

StepHelpField HelpFieldOf(int index) {
    return index == 1 ? StepHelpField::Par1 : index == 2 ? StepHelpField::Par2 : StepHelpField::Par3;
}

} // namespace

StepRowsFrame::StepRowsFrame(Session& session, EditGuard& guard, PinPageDialogs& dialogs, QWidget* parent)
    : QFrame(parent), session_(session), guard_(guard), dialogs_(dialogs) {
    setObjectName(QStringLiteral("FrameAspdetails"));
    setFrameShape(QFrame::StyledPanel);
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(4, 4, 4, 4);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(2);
    buildHeadings();
    for (int row = 0; row < StepCount; ++row)
        buildRow(row);
    reserveHeadingRoom();
    grid->setColumnStretch(TimeColumn + 1, 1);
    grid->setRowStretch(StepCount + 1, 1);
}

void StepRowsFrame::buildHeadings() {
    auto* grid = static_cast<QGridLayout*>(layout());
    headStep_ = new QLabel(QStringLiteral("#"), this);
    headStep_->setObjectName(QStringLiteral("LabelPAspHStep"));
    headInstruction_ = new QLabel(QStringLiteral("Instruction"), this);
    headInstruction_->setObjectName(QStringLiteral("LabelPAspHInst"));
    headFade_ = new QLabel(QLatin1String(FadeHeading), this);
    headFade_->setObjectName(QStringLiteral("LabelPAspHFade"));
    grid->addWidget(headStep_, 0, 0);
    grid->addWidget(headInstruction_, 0, 1);
    grid->addWidget(headFade_, 0, 2);
    for (int index = 0; index < StepParamCount; ++index) {
        auto* heading = new QLabel(QString::fromStdString(DefaultStepHeadings[static_cast<std::size_t>(index)]), this);
        heading->setObjectName(QLatin1String(HeadingNames[static_cast<std::size_t>(index)]));
        headParams_[static_cast<std::size_t>(index)] = heading;
        grid->addWidget(heading, 0, 3 + index);
    }
}

// The headings and the fade boxes come and go with the instruction of the row redrawn last: the
// heading row and the columns keep the room of the widest from the start, so that no field moves
// under the pointer when they appear.
void StepRowsFrame::reserveHeadingRoom() {
    auto* grid = static_cast<QGridLayout*>(layout());
    grid->setRowMinimumHeight(0, headStep_->sizeHint().height());
    const QFontMetrics metrics = headFade_->fontMetrics();
    const auto widthOf = [&metrics](const std::string& text) {
        return metrics.boundingRect(QString::fromStdString(text)).width() + 2;
    };
    grid->setColumnMinimumWidth(2, std::max(rows_[0].fade->sizeHint().width(), widthOf(FadeHeading)));
    for (int index = 0; index < StepParamCount; ++index) {
        const auto at = static_cast<std::size_t>(index);
        int widest = widthOf(DefaultStepHeadings[at]);
        for (int code : InstructionListCodes())
            widest = std::max(widest, widthOf(InstructionOf(code).captions[at]));
        grid->setColumnMinimumWidth(3 + index, widest);
    }
}

void StepRowsFrame::buildRow(int row) {
    auto* grid = static_cast<QGridLayout*>(layout());
    Row& r = rows_[static_cast<std::size_t>(row)];
    r.step = new ClickableLabel(Indexed("LabelPAspStep", row), QString::number(row), this);
    r.step->setToolTip(QStringLiteral("Click to Insert/Delete step"));
    r.step->setAccessibleName(QStringLiteral("Step %1").arg(row));
    r.step->setCursor(Qt::PointingHandCursor);
    connect(r.step, &ClickableLabel::clicked, this, [this, row] { emit stepLabelClicked(row); });

    r.instruction = new QComboBox(this);
    r.instruction->setObjectName(Indexed("ComboPAspInst", row));
    r.instruction->setAccessibleName(QStringLiteral("Step %1 instruction").arg(row));
    for (int code : InstructionListCodes())
        r.instruction->addItem(QString::fromStdString(InstructionOf(code).name), code);
    r.instruction->setMaxVisibleItems(20);
    TakeWheelOnlyWhenFocused(r.instruction);
    connect(r.instruction, &QComboBox::activated, this, [this, row](int index) { chooseInstruction(row, index); });

    r.fade = new QCheckBox(this);
    r.fade->setObjectName(Indexed("CheckPAspFade", row));
    r.fade->setAccessibleName(QStringLiteral("Step %1 fade").arg(row));
    connect(r.fade, &QCheckBox::clicked, this, [this, row](bool checked) {
        if (AspectStep* step = stepOf(row)) {
            SetStepFade(*step, checked);
            redrawRow(row);
        }
    });

    grid->addWidget(r.step, 1 + row, 0);
    grid->addWidget(r.instruction, 1 + row, 1);
    grid->addWidget(r.fade, 1 + row, 2);
    for (int index = 0; index < StepParamCount; ++index) {
        auto* edit = new CommitLineEdit(Indexed(ParamNames[static_cast<std::size_t>(index)], row), this);
        edit->setFixedWidth(48);
        edit->setAccessibleName(
            QStringLiteral("Step %1 %2").arg(row).arg(QLatin1String(ParamWords[static_cast<std::size_t>(index)])));
        if (index > 0)
            edit->setToolTip(QStringLiteral("Double-click for help-tool"));
        connect(edit, &CommitLineEdit::commitRequested, this, [this, row, index] { commitParam(row, index); });
        if (index > 0)
            connect(edit, &CommitLineEdit::doubleClicked, this,
                    [this, row, index] { openHelp(row, HelpFieldOf(index)); });
        r.params[static_cast<std::size_t>(index)] = edit;
        grid->addWidget(edit, 1 + row, 3 + index);
    }
    r.time = new ClickableLabel(Indexed("LabelPAspTime", row), QLatin1String(ZeroTime), this);
    r.time->setAccessibleName(QStringLiteral("Step %1 time").arg(row));
    connect(r.time, &ClickableLabel::doubleClicked, this, [this, row] { openHelp(row, StepHelpField::Time); });
    grid->addWidget(r.time, 1 + row, TimeColumn);
}

AspectStep* StepRowsFrame::stepOf(int row) {
    ConfigurationImage& image = session_.image;
    if (image.currentPin < 0 || image.currentPin >= PinCount || image.currentAspect < 0 ||
        image.currentAspect >= AspectCount || row < 0 || row >= StepCount)
        return nullptr;
    return &image.pins[static_cast<std::size_t>(image.currentPin)]
                .aspects[static_cast<std::size_t>(image.currentAspect)]
                .steps[static_cast<std::size_t>(row)];
}

StepContext StepRowsFrame::context() const {
    return {session_.image.currentPin, session_.numberingBase};
}

void StepRowsFrame::setVisibleRows(int rows, bool aspectDetails) {
    visibleRows_ = std::clamp(rows, 0, StepCount);
    headStep_->setVisible(aspectDetails);
    headInstruction_->setVisible(aspectDetails);
    for (int row = 0; row < StepCount; ++row) {
        const Row& r = rows_[static_cast<std::size_t>(row)];
        const bool shown = row < visibleRows_;
        r.step->setVisible(shown);
        r.instruction->setVisible(shown);
        for (CommitLineEdit* edit : r.params)
            edit->setVisible(shown);
        r.time->setVisible(shown);
        if (!shown)
            r.fade->setVisible(false);
    }
}

void StepRowsFrame::showSteps() {
    for (int row = 0; row < visibleRows_; ++row) {
        showRowValues(row);
        redrawRow(row);
    }
}

void StepRowsFrame::showRowValues(int row) {
    const AspectStep* step = stepOf(row);
    if (!step)
        return;
    const EditGuard::Scope filling(guard_);
    Row& r = rows_[static_cast<std::size_t>(row)];
    const int item = r.instruction->findData(static_cast<int>(step->instruction));
    r.instruction->setCurrentIndex(item >= 0 ? item : 0);
    r.fade->setChecked(step->fade != 0);
    MarkUnsendable(r.instruction, StepFieldProblem(*step, StepField::Instruction));
    // The parameter fields in their order: offset, parameters 1..3.
    static constexpr std::array<StepField, StepParamCount> fields{StepField::Offset, StepField::Par1, StepField::Par2,
                                                                  StepField::Par3};
    for (int index = 0; index < StepParamCount; ++index) {
        CommitLineEdit* edit = r.params[static_cast<std::size_t>(index)];
        edit->setText(QString::number(ShownStepParam(*step, index, context())));
        MarkUnsendable(edit, StepFieldProblem(*step, fields[static_cast<std::size_t>(index)]));
    }
}

void StepRowsFrame::redrawRow(int row) {
    AspectStep* step = stepOf(row);
    if (!step)
        return;
    const EditGuard::Scope filling(guard_);
    const InstructionEntry& entry = InstructionOf(step->instruction);
    Row& r = rows_[static_cast<std::size_t>(row)];
    for (int index = 0; index < StepParamCount; ++index) {
        CommitLineEdit* edit = r.params[static_cast<std::size_t>(index)];
        QPalette colours = edit->palette();
        if (entry.usesParameter(index)) {
            colours.setColor(QPalette::Base, palette().color(QPalette::Base));
        } else {
            edit->setText(QStringLiteral("0"));
            colours.setColor(QPalette::Base, palette().color(QPalette::Button));
        }
        edit->setPalette(colours);
    }
    if (entry.fadeAllowed) {
        r.fade->setVisible(row < visibleRows_);
        headFade_->setText(QLatin1String(FadeHeading));
    } else {
        r.fade->setVisible(false);
        r.fade->setChecked(false);
        headFade_->clear();
    }
    for (int index = 0; index < StepParamCount; ++index)
        headParams_[static_cast<std::size_t>(index)]->setText(
            QString::fromStdString(entry.captions[static_cast<std::size_t>(index)]));
    r.time->setText(QString::fromStdString(DurationText(StepTicks(*step))));
}

void StepRowsFrame::commitParam(int row, int index) {
    if (guard_.active() || row >= visibleRows_)
        return;
    AspectStep* step = stepOf(row);
    if (!step)
        return;
    CommitLineEdit* edit = rows_[static_cast<std::size_t>(row)].params[static_cast<std::size_t>(index)];
    CommitStepParam(*step, index, edit->text().toStdString(), context());
    {
        const EditGuard::Scope filling(guard_);
        edit->setText(QString::number(ShownStepParam(*step, index, context())));
    }
    redrawRow(row);
}

void StepRowsFrame::showHeldMarks(const std::array<StepFieldStates, StepCount>& states) {
    for (std::size_t row = 0; row < rows_.size(); ++row) {
        const StepFieldStates& state = states[row];
        MarkHeldState(rows_[row].instruction, state.instruction);
        MarkHeldState(rows_[row].fade, state.fade);
        MarkHeldState(rows_[row].params[0], state.offset);
        for (std::size_t i = 0; i < state.params.size(); ++i)
            MarkHeldState(rows_[row].params[i + 1], state.params[i]);
    }
}

void StepRowsFrame::commitRows() {
    for (int row = 0; row < visibleRows_; ++row)
        for (CommitLineEdit* edit : rows_[static_cast<std::size_t>(row)].params)
            edit->commitEdit();
}

void StepRowsFrame::chooseInstruction(int row, int listIndex) {
    AspectStep* step = stepOf(row);
    if (!step || guard_.active())
        return;
    // Only another item than the row showed is a choice: an instruction without an item (from
    // a file) shows the first one, and choosing that one again keeps the step as it is.
    QComboBox* list = rows_[static_cast<std::size_t>(row)].instruction;
    if (listIndex == std::max(0, list->findData(static_cast<int>(step->instruction))))
        return;
    ChooseInstruction(*step, list->itemData(listIndex).toInt());
    showRowValues(row);
    redrawRow(row);
}

void StepRowsFrame::openHelp(int row, StepHelpField field) {
    AspectStep* step = stepOf(row);
    if (!step)
        return;
    Row& r = rows_[static_cast<std::size_t>(row)];
    CommitLineEdit* par1 = r.params[1];
    CommitLineEdit* par2 = r.params[2];
    CommitLineEdit* par3 = r.params[3];
    switch (HelpToolFor(*step, field)) {
    case StepHelpTool::Pattern:
        if (const std::optional<int> value = dialogs_.runPatternCalculator(par1->text(), PatternOutputs(*step))) {
            par1->setText(QString::number(*value));
            commitParam(row, 1);
        }
        break;
    case StepHelpTool::EventPattern:
        if (const std::optional<int> value = dialogs_.runEventPatternCalculator(par1->text())) {
            par1->setText(QString::number(*value));
            commitParam(row, 1);
        }
        break;
    case StepHelpTool::Time: {
        const int timeValue = ClampedFieldValue(par2->text().toStdString(), 0, LastTimeValue);
        if (const std::optional<TimeCalculatorResult> result = dialogs_.runTimeCalculator(par3->text(), timeValue)) {
            par3->setText(QString::number(result->base));
            par2->setText(QString::number(result->timeValue));
            commitParam(row, 2);
            commitParam(row, 3);
        }
        break;
    }
    case StepHelpTool::None:
        session_.tell(HelpNotAvailableText);
        break;
    }
    if ((step = stepOf(row)) != nullptr)
        redrawRow(row);
}

} // namespace vexa

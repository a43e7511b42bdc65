#include "module/ui/GeneralPage.h"

#include "core/OperationRunner.h"
#include "core/ui/HeldMarks.h"
#include "core/ui/NamedButton.h"
#include "core/ui/ValueMarks.h"
#include "module/GeneralPageWords.h"
#include "module/Identity.h"
#include "module/ui/DccFrame.h"
#include "module/ui/HardwareFrame.h"
#include "module/ui/LedFrame.h"
#include "module/ui/SerialAddressingFrame.h"
#include "module/ui/SerialPortFrame.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include <algorithm>

namespace vexa {

namespace {

const QString IdFrameCaption = QLatin1String(generalpage::IdFrame);

// Printable 7-bit ASCII: every character fits in one data byte and in one line of a file;
// no double quote, which a file cannot hold in a text.
const char* const IdStringPattern = "[\\x20\\x21\\x23-\\x7E]*";

// The ID field's rule; it notes whether the last text it refused held the double quote, so
// that the field can say why the character did not appear.
class IdStringValidator : public QRegularExpressionValidator {
public:
    explicit IdStringValidator(QObject* parent)
        : QRegularExpressionValidator(QRegularExpression(QString::fromLatin1(IdStringPattern)), parent) {}
    State validate(QString& input, int& position) const override {
        const State state = QRegularExpressionValidator::validate(input, position);
        refusedQuote_ = state == Invalid && input.contains(QLatin1Char(IdStringRefusedCharacter));
        return state;
    }
    bool refusedQuote() const { return refusedQuote_; }

private:
    mutable bool refusedQuote_ = false;
};

} // namespace

GeneralPage::GeneralPage(Session& session, OperationRunner& runner, QWidget* parent)
    : QWidget(parent), session_(session), runner_(runner), sections_(new QGridLayout) {
    auto* layout = new QVBoxLayout(this);
    addSection(makeIdFrame());
    addSection(makeVersionRow());
    addSettingsFrame(new DccFrame(session_, runner_, this), SettingBlock::Dcc);
    addSettingsFrame(new SerialAddressingFrame(session_, runner_, this), SettingBlock::SerialAddressing);
    addSettingsFrame(new LedFrame(session_, runner_, this), SettingBlock::Led);
    addSettingsFrame(new HardwareFrame(session_, runner_, this), SettingBlock::Hardware);
    addSettingsFrame(new SerialPortFrame(session_, runner_, this), SettingBlock::SerialPort);
    addSettingsFrame(new EraseFlashFrame(session_, runner_, this));
    layout->addLayout(sections_);
    layout->addStretch(1);
    refreshFromSession();
}

QWidget* GeneralPage::makeIdFrame() {
    auto* frame = new QGroupBox(IdFrameCaption, this);
    frame->setObjectName(QStringLiteral("FrameGenIDString"));
    idFrame_ = frame;
    idString_ = new QLineEdit(frame);
    idString_->setObjectName(QStringLiteral("TextGenIDString"));
    fitIdLength(QString());
    auto* validator = new IdStringValidator(idString_);
    idString_->setValidator(validator);
    connect(idString_, &QLineEdit::inputRejected, this, [this, validator] {
        if (validator->refusedQuote())
            session_.tell(IdStringProblem(std::string(1, IdStringRefusedCharacter)));
    });
    idString_->setMinimumWidth(idString_->fontMetrics().horizontalAdvance(QStringLiteral("WWWWWWWWWWWW")) + 12);
    auto* read = NamedButton("CommandGenIDRead", "Read String", frame);
    auto* write = NamedButton("CommandGenIDWrite", "Write String", frame);
    auto* layout = new QHBoxLayout(frame);
    layout->addWidget(idString_, 1);
    layout->addWidget(read);
    layout->addWidget(write);

    connect(idString_, &QLineEdit::textEdited, this, [this](const QString& text) {
        session_.image.module.idString = text.toLatin1().toStdString();
        fitIdLength(text);
        markIdString();
    });
    connect(read, &QPushButton::clicked, this, [this] { runOperation("Read String", ReadIdString); });
    connect(write, &QPushButton::clicked, this, [this] { runOperation("Write String", WriteIdString); });
    return frame;
}

QWidget* GeneralPage::makeVersionRow() {
    auto* row = new QWidget(this);
    auto* caption = new QLabel(QLatin1String(generalpage::FirmwareVersion), row);
    caption->setObjectName(QStringLiteral("LabelGenVersion"));
    version_ = new QLabel(row);
    version_->setObjectName(QStringLiteral("LabelGenVersionString"));
    version_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* request = NamedButton("CommandGenVersion", "Request Version", row);
    auto* layout = new QHBoxLayout(row);
    layout->addWidget(caption);
    layout->addWidget(version_);
    layout->addSpacing(12);
    layout->addWidget(request);
    layout->addStretch(1);
    connect(request, &QPushButton::clicked, this, [this] { runOperation("Request Version", ReadVersion); });
    return row;
}

void GeneralPage::addSection(QWidget* section) {
    sections_->addWidget(section, sectionCount_ / 2, sectionCount_ % 2, Qt::AlignTop);
    ++sectionCount_;
}

void GeneralPage::addSettingsFrame(SettingsFrame* frame, std::optional<SettingBlock> block) {
    if (block)
        frame->setHeldBlock(*block);
    frames_.push_back(frame);
    addSection(frame);
    connect(frame, &SettingsFrame::pinPageAffected, this, &GeneralPage::pinPageAffected);
}

void GeneralPage::runOperation(const char* title, bool (*operation)(Session&)) {
    runner_.runNow(title, operation);
}

void GeneralPage::refreshFromSession() {
    const QString id = QString::fromLatin1(session_.image.module.idString.c_str());
    if (idString_->text() != id) {
        fitIdLength(id);
        idString_->setText(id);
    }
    markIdString();
    version_->setText(QString::fromStdString(session_.versionText));
    for (SettingsFrame* frame : frames_)
        frame->refreshFromSession();
}

// A string loaded from a file may be longer than the 12 characters a write sends.
void GeneralPage::markIdString() {
    MarkUnsendable(idString_, IdStringProblem(session_.image.module));
}

// The user types at most 12 characters, but a longer ID string loaded from a file is shown
// whole (and shrinks the limit back as characters are removed): the box never cuts it.
void GeneralPage::fitIdLength(const QString& text) {
    const int length = std::max(static_cast<int>(IdStringMaxLength), static_cast<int>(text.size()));
    if (idString_->maxLength() != length)
        idString_->setMaxLength(length);
}

void GeneralPage::showHeldMarks() {
    MarkHeldFrame(idFrame_, IdFrameCaption, SettingBlockState(session_, SettingBlock::IdString));
    for (SettingsFrame* frame : frames_)
        frame->showHeldMarks();
}

void GeneralPage::commitEdits() {
    if (idString_->isModified())
        session_.image.module.idString = idString_->text().toLatin1().toStdString();
    for (SettingsFrame* frame : frames_)
        frame->commitEdits();
}

} // namespace vexa

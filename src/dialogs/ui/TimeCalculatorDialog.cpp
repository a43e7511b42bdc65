#include "dialogs/ui/TimeCalculatorDialog.h"

#include "core/ui/AccessibleNames.h"
#include "dialogs/ui/DialogParts.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>

namespace vexa {

namespace {

// A spin box whose text field can be named like the other text fields.
class BaseSpinBox : public QSpinBox {
public:
    explicit BaseSpinBox(QWidget* parent) : QSpinBox(parent) {}
    using QSpinBox::lineEdit;
};

constexpr int SliderLargeStep = 5;

QLabel* MakeLabel(QWidget* parent, const char* name, const char* text) {
    auto* label = new QLabel(QString::fromLatin1(text), parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

} // namespace

TimeCalculatorDialog::TimeCalculatorDialog(QWidget* parent)
    : QDialog(parent), base_(nullptr), time_(new QSlider(Qt::Horizontal, this)),
      maxTimeValue_(MakeLabel(this, "LabelCTMaxTimeValue", "00:00.00")),
      timeValueText_(MakeLabel(this, "LabelCTTimeValue", "00:00.00")) {
    setObjectName(QStringLiteral("dlgCT"));
    setWindowTitle(QStringLiteral("VexaConfig CalcTime"));
    setModal(true);

    auto* base = new BaseSpinBox(this);
    base->setObjectName(QStringLiteral("UpDownCTBase"));
    base->lineEdit()->setObjectName(QStringLiteral("TextCTBase"));
    base->setRange(0, HighestTimeBase);
    base_ = base;
    QLabel* baseLabel = MakeLabel(this, "LabelCTBase", "Base");
    baseLabel->setBuddy(base_);

    time_->setObjectName(QStringLiteral("SliderCTTime"));
    time_->setAccessibleName(QStringLiteral("Time"));
    time_->setRange(0, HighestTimeValue);
    time_->setSingleStep(1);
    time_->setPageStep(SliderLargeStep);

    connect(base_, &QSpinBox::valueChanged, this, [this](int value) {
        if (showing_)
            return;
        model_.setBase(value);
        showModel();
    });
    connect(time_, &QSlider::valueChanged, this, [this](int value) {
        if (showing_)
            return;
        model_.setTimeValue(value);
        showModel();
    });

    auto* grid = new QGridLayout;
    grid->addWidget(baseLabel, 0, 0);
    grid->addWidget(base_, 0, 1);
    grid->addWidget(MakeLabel(this, "LabelCTMaxTime", "Max Time = "), 1, 0);
    grid->addWidget(maxTimeValue_, 1, 1);
    grid->addWidget(time_, 2, 0, 1, 2);
    grid->addWidget(MakeLabel(this, "LabelCTTime", "Time = "), 3, 0);
    grid->addWidget(timeValueText_, 3, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(MakeOkCancelRow(this));
    NameForScreenReaders(this);
}

std::optional<TimeCalculatorResult> TimeCalculatorDialog::run(const QString& baseText, int timeValue) {
    model_.open(baseText.toStdString(), timeValue);
    showModel();
    if (exec() == QDialog::Accepted) {
        // A base typed but not yet confirmed counts as well.
        base_->interpretText();
        return TimeCalculatorResult{model_.timeValue(), model_.base()};
    }
    model_.cancel();
    showModel();
    return std::nullopt;
}

void TimeCalculatorDialog::showModel() {
    showing_ = true;
    base_->setValue(model_.base());
    time_->setValue(model_.timeValue());
    maxTimeValue_->setText(QString::fromStdString(model_.maxTimeText()));
    timeValueText_->setText(QString::fromStdString(model_.timeText()));
    showing_ = false;
}

} // namespace vexa

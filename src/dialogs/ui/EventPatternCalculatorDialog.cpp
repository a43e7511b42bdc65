#include "dialogs/ui/EventPatternCalculatorDialog.h"

#include "core/ui/AccessibleNames.h"
#include "dialogs/ui/DialogParts.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace vexa {

EventPatternCalculatorDialog::EventPatternCalculatorDialog(QWidget* parent)
    : QDialog(parent), original_(new QLineEdit(this)), parameter_(new QLineEdit(this)),
      operations_(new QButtonGroup(this)) {
    setObjectName(QStringLiteral("dlgVexaCalcEventPattern"));
    setWindowTitle(QStringLiteral("VexaConfig CalcETImap"));
    setModal(true);

    auto* inputBox = new QGroupBox(this);
    auto* inputLayout = new QVBoxLayout(inputBox);
    for (int k = 0; k < EventInputBoxes; ++k) {
        auto* box = new QCheckBox(QStringLiteral("Event Input %1").arg(k), inputBox);
        box->setObjectName(IndexedName("chkEvent", k));
        inputLayout->addWidget(box);
        connect(box, &QCheckBox::clicked, this, [this, k](bool checked) {
            model_.setInput(k, checked);
            showModel();
        });
        inputs_[static_cast<std::size_t>(k)] = box;
    }
    inputLayout->addStretch();

    auto* operationBox = new QGroupBox(this);
    auto* operationLayout = new QVBoxLayout(operationBox);
    operations_->setExclusive(true);
    for (const EventOperationOption& option : EventOperationOptions) {
        auto* button = new QRadioButton(QString::fromLatin1(option.caption), operationBox);
        button->setObjectName(IndexedName("optEvent", option.index));
        operations_->addButton(button, option.index);
        operationLayout->addWidget(button);
    }
    connect(operations_, &QButtonGroup::idClicked, this, [this](int index) {
        model_.chooseOperation(index);
        showModel();
    });

    LayOutPatternCalculator(this, inputBox, operationBox, original_, parameter_);
    NameForScreenReaders(this);
}

std::optional<int> EventPatternCalculatorDialog::run(const QString& boxText) {
    model_.open(boxText.toStdString());
    return ExecPatternCalculator(*this, model_, [this] { showModel(); });
}

void EventPatternCalculatorDialog::showModel() {
    for (int k = 0; k < EventInputBoxes; ++k)
        inputs_[static_cast<std::size_t>(k)]->setChecked(model_.input(k));
    if (QAbstractButton* chosen = operations_->button(model_.operation()))
        chosen->setChecked(true);
    original_->setText(QString::fromStdString(model_.original()));
    parameter_->setText(QString::fromStdString(model_.parameter()));
}

} // namespace vexa

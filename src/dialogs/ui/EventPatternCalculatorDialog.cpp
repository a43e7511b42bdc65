#include "dialogs/ui/EventPatternCalculatorDialog.h"

#include "dialogs/ui/DialogParts.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace vexa {

EventPatternCalculatorDialog::EventPatternCalculatorDialog(QWidget* parent)
    : QDialog(parent), original_(new QLineEdit(this)), parameter_(new QLineEdit(this)),
      operations_(new QButtonGroup(this)) {
    setObjectName(QStringLiteral("dlgVexaCalcEventPattern"));
    setWindowTitle(QStringLiteral("VexaConfig CalcETImap"));
    setModal(true);

    original_->setObjectName(QStringLiteral("txtOriginal"));
    original_->setReadOnly(true);
    parameter_->setObjectName(QStringLiteral("txtParameter"));
    parameter_->setReadOnly(true);

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

    auto* values = new QFormLayout;
    values->addRow(QStringLiteral("Original"), original_);
    values->addRow(QStringLiteral("Parameter"), parameter_);

    QPushButton* ok = MakeButton(this, "OKButton", "OK");
    QPushButton* cancel = MakeButton(this, "CancelButton", "Cancel");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* boxes = new QHBoxLayout;
    boxes->addWidget(inputBox);
    boxes->addWidget(operationBox);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(boxes);
    layout->addLayout(values);
    layout->addLayout(buttons);
}

std::optional<int> EventPatternCalculatorDialog::run(const QString& boxText) {
    model_.open(boxText.toStdString());
    showModel();
    if (exec() == QDialog::Accepted)
        return model_.sum();
    model_.cancel();
    showModel();
    return std::nullopt;
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

#include "dialogs/ui/PatternCalculatorDialog.h"

#include "dialogs/ui/DialogParts.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vexa {

PatternCalculatorDialog::PatternCalculatorDialog(QWidget* parent)
    : QDialog(parent), original_(new QLineEdit(this)), parameter_(new QLineEdit(this)),
      allDark_(new QCheckBox(QStringLiteral("All Dark"), this)),
      noDark_(new QCheckBox(QStringLiteral("No Dark-phase"), this)) {
    setObjectName(QStringLiteral("dlgVexaCalcPattern"));
    setWindowTitle(QStringLiteral("LumoConfig Calculate Pattern"));
    setModal(true);

    original_->setObjectName(QStringLiteral("txtOriginal"));
    original_->setReadOnly(true);
    parameter_->setObjectName(QStringLiteral("txtParameter"));
    parameter_->setReadOnly(true);
    allDark_->setObjectName(QStringLiteral("chkAllDark"));
    noDark_->setObjectName(QStringLiteral("chkNoDark"));

    auto* outputBox = new QGroupBox(this);
    auto* outputLayout = new QVBoxLayout(outputBox);
    for (int i = 0; i < PatternOutputBoxes; ++i) {
        auto* box = new QCheckBox(QStringLiteral("Output +%1").arg(i), outputBox);
        box->setObjectName(IndexedName("chkUitgang", i));
        outputLayout->addWidget(box);
        connect(box, &QCheckBox::clicked, this, [this, i](bool checked) {
            model_.setOutput(i, checked);
            showModel();
        });
        outputs_[static_cast<std::size_t>(i)] = box;
    }

    auto* darkBox = new QGroupBox(this);
    auto* darkLayout = new QVBoxLayout(darkBox);
    darkLayout->addWidget(allDark_);
    darkLayout->addWidget(noDark_);
    darkLayout->addStretch();
    connect(allDark_, &QCheckBox::clicked, this, [this](bool checked) {
        model_.setAllDark(checked);
        showModel();
    });
    connect(noDark_, &QCheckBox::clicked, this, [this](bool checked) {
        model_.setNoDark(checked);
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
    boxes->addWidget(outputBox);
    boxes->addWidget(darkBox);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(boxes);
    layout->addLayout(values);
    layout->addLayout(buttons);
}

std::optional<int> PatternCalculatorDialog::run(const QString& boxText, int outputCount) {
    model_.open(boxText.toStdString(), outputCount);
    showModel();
    if (exec() == QDialog::Accepted)
        return model_.sum();
    model_.cancel();
    showModel();
    return std::nullopt;
}

void PatternCalculatorDialog::showModel() {
    for (int i = 0; i < PatternOutputBoxes; ++i) {
        QCheckBox* box = outputs_[static_cast<std::size_t>(i)];
        box->setChecked(model_.output(i));
        box->setEnabled(model_.outputEnabled(i));
    }
    allDark_->setChecked(model_.allDark());
    noDark_->setChecked(model_.noDark());
    allDark_->setEnabled(model_.darkEnabled());
    noDark_->setEnabled(model_.darkEnabled());
    original_->setText(QString::fromStdString(model_.original()));
    parameter_->setText(QString::fromStdString(model_.parameter()));
}

} // namespace vexa

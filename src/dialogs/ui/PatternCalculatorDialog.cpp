#include "dialogs/ui/PatternCalculatorDialog.h"

#include "core/ui/AccessibleNames.h"
#include "dialogs/ui/DialogParts.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QVBoxLayout>

namespace vexa {

PatternCalculatorDialog::PatternCalculatorDialog(QWidget* parent)
    : QDialog(parent), original_(new QLineEdit(this)), parameter_(new QLineEdit(this)),
      allDark_(new QCheckBox(QStringLiteral("All Dark"), this)),
      noDark_(new QCheckBox(QStringLiteral("No Dark-phase"), this)) {
    setObjectName(QStringLiteral("dlgVexaCalcPattern"));
    setWindowTitle(QStringLiteral("LumoConfig Calculate Pattern"));
    setModal(true);

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

    LayOutPatternCalculator(this, outputBox, darkBox, original_, parameter_);
    NameForScreenReaders(this);
}

std::optional<int> PatternCalculatorDialog::run(const QString& boxText, int outputCount) {
    model_.open(boxText.toStdString(), outputCount);
    return ExecPatternCalculator(*this, model_, [this] { showModel(); });
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

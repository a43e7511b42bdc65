#include "dialogs/ui/DialogParts.h"
#include "core/ui/NamedButton.h"

#include <QDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vexa {

QString IndexedName(const char* name, int index) {
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index);
}

QHBoxLayout* MakeOkCancelRow(QDialog* dialog) {
    QPushButton* ok = NamedButton("OKButton", "OK", dialog);
    QPushButton* cancel = NamedButton("CancelButton", "Cancel", dialog);
    ok->setDefault(true);
    QObject::connect(ok, &QPushButton::clicked, dialog, &QDialog::accept);
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    return buttons;
}

void LayOutPatternCalculator(QDialog* dialog, QWidget* leftBox, QWidget* rightBox, QLineEdit* original,
                             QLineEdit* parameter) {
    original->setObjectName(QStringLiteral("txtOriginal"));
    original->setReadOnly(true);
    parameter->setObjectName(QStringLiteral("txtParameter"));
    parameter->setReadOnly(true);
    auto* values = new QFormLayout;
    values->addRow(QStringLiteral("Original"), original);
    values->addRow(QStringLiteral("Parameter"), parameter);

    auto* boxes = new QHBoxLayout;
    boxes->addWidget(leftBox);
    boxes->addWidget(rightBox);
    auto* layout = new QVBoxLayout(dialog);
    layout->addLayout(boxes);
    layout->addLayout(values);
    layout->addLayout(MakeOkCancelRow(dialog));
}

} // namespace vexa

#include "dialogs/ui/EditStepDialog.h"

#include "core/ui/AccessibleNames.h"
#include "core/ui/NamedButton.h"
#include "dialogs/StepEditing.h"
#include "dialogs/ui/DialogParts.h"

#include <QPushButton>
#include <QVBoxLayout>

namespace vexa {

EditStepDialog::EditStepDialog(Session& session, QWidget* parent) : QDialog(parent), session_(session) {
    setObjectName(QStringLiteral("dlgEditStep"));
    setWindowTitle(QStringLiteral("Edit Step"));
    setModal(true);

    QPushButton* insert = NamedButton("commandInsert", "Insert Step", this);
    QPushButton* remove = NamedButton("commandDelete", "Delete Step", this);
    QPushButton* cancel = NamedButton("commandCancel", "Cancel", this);

    connect(insert, &QPushButton::clicked, this, [this] {
        InsertStep(session_.image, step_);
        changed_ = true;
        accept();
    });
    connect(remove, &QPushButton::clicked, this, [this] {
        DeleteStep(session_.image, step_);
        changed_ = true;
        accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    for (QPushButton* button : {insert, remove, cancel})
        layout->addWidget(button);
    NameForScreenReaders(this);
}

bool EditStepDialog::run(int step) {
    step_ = step;
    changed_ = false;
    exec();
    return changed_;
}

} // namespace vexa

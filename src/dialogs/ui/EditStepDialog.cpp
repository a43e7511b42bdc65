#include "dialogs/ui/EditStepDialog.h"

#include "dialogs/StepEditing.h"
#include "dialogs/ui/DialogParts.h"

#include <QPushButton>
#include <QVBoxLayout>

namespace vexa {

EditStepDialog::EditStepDialog(Session& session, QWidget* parent) : QDialog(parent), session_(session) {
    setObjectName(QStringLiteral("dlgEditStep"));
    setWindowTitle(QStringLiteral("Edit Step"));
    setModal(true);

    QPushButton* insert = MakeButton(this, "commandInsert", "Insert Step");
    QPushButton* remove = MakeButton(this, "commandDelete", "Delete Step");
    QPushButton* cancel = MakeButton(this, "commandCancel", "Cancel");

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
}

bool EditStepDialog::run(int step) {
    step_ = step;
    changed_ = false;
    exec();
    return changed_;
}

} // namespace vexa

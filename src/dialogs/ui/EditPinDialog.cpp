#include "dialogs/ui/EditPinDialog.h"

#include "dialogs/ui/DialogParts.h"

#include <QPushButton>
#include <QVBoxLayout>

namespace vexa {

EditPinDialog::EditPinDialog(Session& session, QWidget* parent) : QDialog(parent), session_(session) {
    setObjectName(QStringLiteral("dlgEditPin"));
    setWindowTitle(QStringLiteral("Edit Pin"));
    setModal(true);

    QPushButton* clear = MakeButton(this, "CommandClearPin", "Clear Pin");
    QPushButton* copy = MakeButton(this, "CommandCopyPin", "Copy Pin");
    QPushButton* paste = MakeButton(this, "CommandPastePin", "Paste Pin");
    QPushButton* cancel = MakeButton(this, "commandCancel", "Cancel");

    connect(clear, &QPushButton::clicked, this, [this] {
        ClearCurrentPin(session_.image);
        changed_ = true;
        accept();
    });
    connect(copy, &QPushButton::clicked, this, [this] {
        CopyCurrentPin(session_.image, clipboard_);
        accept();
    });
    connect(paste, &QPushButton::clicked, this, [this] {
        if (!PasteCurrentPin(session_, clipboard_))
            return; // nothing to paste: the dialog stays open
        changed_ = true;
        accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    for (QPushButton* button : {clear, copy, paste, cancel})
        layout->addWidget(button);
}

bool EditPinDialog::run() {
    changed_ = false;
    exec();
    return changed_;
}

} // namespace vexa

#include "dialogs/ui/EditPinDialog.h"

#include "core/ui/AccessibleNames.h"
#include "core/ui/NamedButton.h"
#include "dialogs/ui/DialogParts.h"

#include <QPushButton>
#include <QVBoxLayout>

namespace vexa {

EditPinDialog::EditPinDialog(Session& session, QWidget* parent) : QDialog(parent), session_(session) {
    setObjectName(QStringLiteral("dlgEditPin"));
    setWindowTitle(QStringLiteral("Edit Pin"));
    setModal(true);

    QPushButton* clear = NamedButton("CommandClearPin", "Clear Pin", this);
    QPushButton* copy = NamedButton("CommandCopyPin", "Copy Pin", this);
    QPushButton* paste = NamedButton("CommandPastePin", "Paste Pin", this);
    QPushButton* cancel = NamedButton("commandCancel", "Cancel", this);

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
    NameForScreenReaders(this);
}

bool EditPinDialog::run() {
    changed_ = false;
    exec();
    return changed_;
}

} // namespace vexa

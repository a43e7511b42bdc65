#include "dialogs/ui/EditAspectDialog.h"

#include "core/ui/AccessibleNames.h"
#include "core/ui/NamedButton.h"
#include "dialogs/ui/DialogParts.h"

#include <QPushButton>
#include <QVBoxLayout>

namespace vexa {

EditAspectDialog::EditAspectDialog(Session& session, QWidget* parent) : QDialog(parent), session_(session) {
    setObjectName(QStringLiteral("dlgEditAspect"));
    setWindowTitle(QStringLiteral("Edit Aspect"));
    setModal(true);

    QPushButton* clear = NamedButton("CommandClear", "Clear Aspect", this);
    QPushButton* clean = NamedButton("CommandClean", "Cleanup Aspect", this);
    QPushButton* copy = NamedButton("CommandCopy", "Copy Aspect", this);
    QPushButton* paste = NamedButton("CommandPaste", "Paste Aspect", this);
    QPushButton* cancel = NamedButton("CommandCancel", "Cancel", this);

    connect(clear, &QPushButton::clicked, this, [this] {
        ClearCurrentAspect(session_.image);
        changed_ = true;
        accept();
    });
    connect(clean, &QPushButton::clicked, this, [this] {
        CleanUpCurrentAspect(session_.image);
        changed_ = true;
        accept();
    });
    connect(copy, &QPushButton::clicked, this, [this] {
        CopyCurrentAspect(session_.image, clipboard_);
        accept();
    });
    connect(paste, &QPushButton::clicked, this, [this] {
        if (!PasteCurrentAspect(session_, clipboard_))
            return; // nothing to paste: the dialog stays open
        changed_ = true;
        accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    for (QPushButton* button : {clear, clean, copy, paste, cancel})
        layout->addWidget(button);
    NameForScreenReaders(this);
}

bool EditAspectDialog::run() {
    changed_ = false;
    exec();
    return changed_;
}

} // namespace vexa

#pragma once

#include "core/Session.h"
#include "dialogs/PinEditing.h"

#include <QDialog>

namespace vexa {

// "Edit Pin": clears, copies or pastes the whole record of the current pin. Keeps the pin
// clipboard for as long as the dialog lives.
class EditPinDialog : public QDialog {
    Q_OBJECT
public:
    EditPinDialog(Session& session, QWidget* parent = nullptr);

    // Opens modally; returns true when the image was changed.
    bool run();

    const PinClipboard& clipboard() const { return clipboard_; }

private:
    Session& session_;
    PinClipboard clipboard_;
    bool changed_ = false;
};

} // namespace vexa

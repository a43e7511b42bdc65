#pragma once

#include "core/Session.h"
#include "dialogs/AspectEditing.h"

#include <QDialog>

namespace vexa {

// "Edit Aspect": clears, cleans up, copies or pastes the current aspect of the current pin.
// Keeps the aspect clipboard for as long as the dialog lives.
class EditAspectDialog : public QDialog {
    Q_OBJECT
public:
    EditAspectDialog(Session& session, QWidget* parent = nullptr);

    // Opens modally; returns true when the image was changed.
    bool run();

    const AspectClipboard& clipboard() const { return clipboard_; }

private:
    Session& session_;
    AspectClipboard clipboard_;
    bool changed_ = false;
};

} // namespace vexa

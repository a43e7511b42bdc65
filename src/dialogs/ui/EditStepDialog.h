#pragma once

#include "core/Session.h"

#include <QDialog>

namespace vexa {

// "Edit Step": inserts or deletes a step of the current aspect of the current pin.
class EditStepDialog : public QDialog {
    Q_OBJECT
public:
    EditStepDialog(Session& session, QWidget* parent = nullptr);

    // Opens modally for the selected step (0..8); returns true when the image was changed.
    bool run(int step);

private:
    Session& session_;
    int step_ = 0;
    bool changed_ = false;
};

} // namespace vexa

#pragma once

namespace vexa {

// A view of part of the Session. The window refreshes every view after an operation, and
// asks every view to commit its visible edit fields before one.
class SessionView {
public:
    virtual ~SessionView() = default;
    // Shows the Session's current values.
    virtual void refreshFromSession() = 0;
    // Writes the values of visible edit fields into the Session.
    virtual void commitEdits() {}
    // Shows where what it shows stands against what the controller holds (see HeldMarks.h).
    virtual void showHeldMarks() {}
};

} // namespace vexa

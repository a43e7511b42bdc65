#pragma once

#include <QButtonGroup>

namespace vexa {

// An option group that reports only a change by the user: a click (or arrow key) that checks
// another option emits `chosen`; a click on the option already checked, and every check the
// page sets itself, emit nothing.
class ChoiceGroup : public QButtonGroup {
    Q_OBJECT
public:
    explicit ChoiceGroup(QObject* parent = nullptr);

signals:
    void chosen(int id);

private:
    int before_ = -1; // the option checked when the user pressed one
};

} // namespace vexa

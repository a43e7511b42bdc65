#pragma once

#include <QWidget>

class QToolButton;

namespace vexa {

// The up-down arrows beside a number field. It holds a value within its range; a step by the
// user (an arrow, or the wheel while the field has the focus) moves it and emits valueStepped.
// setValue does not emit.
class UpDownControl : public QWidget {
    Q_OBJECT
public:
    explicit UpDownControl(QWidget* parent = nullptr);

    void setRange(int lowest, int highest);
    void setValue(int value);
    int value() const { return value_; }
    int lowest() const { return lowest_; }
    int highest() const { return highest_; }

    // One step up (+1) or down (-1), as the arrows do.
    void stepBy(int steps);

    // The number field the arrows belong to: the wheel steps the value only while that field
    // has the focus. A wheel turn that merely passes over the arrows scrolls the page instead,
    // so scrolling through a page never changes a value.
    void setField(QWidget* field) { field_ = field; }

signals:
    void valueStepped(int value);

protected:
    void wheelEvent(QWheelEvent* event) override;

private:
    QToolButton* up_;
    QToolButton* down_;
    QWidget* field_ = nullptr;
    int lowest_ = 0;
    int highest_ = 0;
    int value_ = 0;
};

} // namespace vexa

#pragma once

#include <QLabel>

namespace vexa {

// A label that reports double clicks and mouse presses with their button.
class GestureLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

signals:
    void doubleClicked();
    void pressed(Qt::MouseButton button);

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
};

} // namespace vexa

#pragma once

#include <QLabel>

namespace vexa {

// A label that opens something on a click or a double-click. Tab reaches it, and Space does
// what the mouse does (its focus is framed).
class ClickableLabel : public QLabel {
    Q_OBJECT
public:
    ClickableLabel(const QString& name, const QString& text, QWidget* parent = nullptr);

signals:
    void clicked();
    void doubleClicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace vexa

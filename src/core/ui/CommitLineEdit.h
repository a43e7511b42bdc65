#pragma once

#include <QLineEdit>

namespace vexa {

// A number or text field whose rule runs when the user clicks into it, leaves it or presses
// Enter. Leaving by switching to another window (or a popup) does not count: the field
// still holds the focus within this window.
class CommitLineEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit CommitLineEdit(const QString& name, QWidget* parent = nullptr);

signals:
    void commitRequested();
    void doubleClicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};

} // namespace vexa

#pragma once

#include <QLabel>

namespace vexa {

// A label that opens something on a click or a double-click.
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
};

} // namespace vexa

#include "core/ui/WrapBox.h"

#include <QBoxLayout>

#include <algorithm>

namespace vexa {

WrapBox::WrapBox(QWidget* parent) : QWidget(parent), box_(new QBoxLayout(QBoxLayout::LeftToRight, this)) {
    box_->setContentsMargins(0, 0, 0, 0);
    // The box's own minimum would be that of its parts side by side; the widget asks for less.
    box_->setSizeConstraint(QLayout::SetNoConstraint);
}

bool WrapBox::sideBySide() const {
    return box_->direction() == QBoxLayout::LeftToRight;
}

int WrapBox::sideBySideWidth() const {
    int width = 0;
    int parts = 0;
    for (int i = 0; i < box_->count(); ++i) {
        QLayoutItem* item = box_->itemAt(i);
        if (item->isEmpty())
            continue;
        width += item->minimumSize().width();
        ++parts;
    }
    const QMargins margins = box_->contentsMargins();
    return width + std::max(0, parts - 1) * box_->spacing() + margins.left() + margins.right();
}

QSize WrapBox::minimumSizeHint() const {
    int widest = 0;
    int tallest = 0;
    int stacked = 0;
    int parts = 0;
    for (int i = 0; i < box_->count(); ++i) {
        QLayoutItem* item = box_->itemAt(i);
        if (item->isEmpty())
            continue;
        const QSize smallest = item->minimumSize();
        widest = std::max(widest, smallest.width());
        tallest = std::max(tallest, smallest.height());
        stacked += smallest.height();
        ++parts;
    }
    const QMargins margins = box_->contentsMargins();
    const int height = sideBySide() ? tallest : stacked + std::max(0, parts - 1) * box_->spacing();
    return {widest + margins.left() + margins.right(), height + margins.top() + margins.bottom()};
}

void WrapBox::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const auto direction = width() >= sideBySideWidth() ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom;
    if (direction != box_->direction()) {
        box_->setDirection(direction);
        updateGeometry(); // the height asked for changes with it
    }
}

} // namespace vexa

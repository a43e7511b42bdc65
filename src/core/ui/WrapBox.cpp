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

std::vector<QSize> WrapBox::partSizes() const {
    std::vector<QSize> sizes;
    for (int i = 0; i < box_->count(); ++i)
        if (QLayoutItem* item = box_->itemAt(i); !item->isEmpty())
            sizes.push_back(item->minimumSize());
    return sizes;
}

int WrapBox::sideBySideWidth() const {
    const std::vector<QSize> parts = partSizes();
    int width = 0;
    for (const QSize& part : parts)
        width += part.width();
    const QMargins margins = box_->contentsMargins();
    return width + std::max(0, static_cast<int>(parts.size()) - 1) * box_->spacing() + margins.left() + margins.right();
}

QSize WrapBox::minimumSizeHint() const {
    const std::vector<QSize> parts = partSizes();
    int widest = 0;
    int tallest = 0;
    int stacked = std::max(0, static_cast<int>(parts.size()) - 1) * box_->spacing();
    for (const QSize& part : parts) {
        widest = std::max(widest, part.width());
        tallest = std::max(tallest, part.height());
        stacked += part.height();
    }
    const QMargins margins = box_->contentsMargins();
    return {widest + margins.left() + margins.right(),
            (sideBySide() ? tallest : stacked) + margins.top() + margins.bottom()};
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
